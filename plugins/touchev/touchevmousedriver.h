#pragma once

#include <QGenericPlugin>

// The plug-in object the window system loads for "-plugin touchev:...".
class TouchevMouseDriver : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "touchev.json")

public:
    explicit TouchevMouseDriver(QObject* parent = nullptr);

    static QStringList keys();
    // Returns a new TouchevMouseHandler (owned by the caller) or null.
    QObject* create(const QString& key, const QString& deviceString) override;
};
