#pragma once

#include <QString>
#include <QUrl>

// What a nightly check needs of an update service: its configuration, and
// whether and how a check starts. The service reports the check's end with
// a signal of its own.
class UpdateCheck
{
public:
    struct Configuration
    {
        QUrl serverUrl;
        // As the server's paths spell it.
        QString serial;
        // The descriptor or the package list.
        qint64 listSizeLimit;
        // Each content file or package.
        qint64 fileSizeLimit;
    };

    virtual ~UpdateCheck() = default;

    virtual void configure(const Configuration& configuration) = 0;
    // A check needs a server to ask.
    virtual bool hasServer() const = 0;
    // No check, download or installation under way.
    virtual bool isIdle() const = 0;
    // Ignored unless idle.
    virtual void checkForUpdates() = 0;
};
