#pragma once

#include <QDir>
#include <QString>

class UpdateProcessContext;

// One kind of resource that reaches the machine as files in a directory (a
// USB stick's program folder, the push-update directory): recognises its
// files and installs them, reporting progress through the context. apply()
// runs on a worker thread, unless the handler changes objects that live on
// the GUI thread (the catalogue): those run there, between the workers' runs.
class ResourceHandler
{
public:
    virtual ~ResourceHandler() = default;

    // Whether an entry of that name (file or directory) is this handler's.
    virtual bool accepts(const QString& fileName) const = 0;
    // Installs what dir holds of this handler's resources; does nothing
    // when there is none.
    virtual void apply(QDir dir, UpdateProcessContext* ctx) = 0;
    virtual bool runsOnGuiThread() const { return false; }
};
