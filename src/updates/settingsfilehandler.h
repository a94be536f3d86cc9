#pragma once

#include "updates/resourcehandler.h"

#include <functional>

class UpdateAuthenticator;

// A settings file "VM24.ini" to import. The import itself is handed in (the
// settings manager's, bound by the main window), so that this layer does not
// depend on the settings code.
class SettingsFileHandler : public ResourceHandler
{
public:
    static const char* const CONFIG_FILENAME; // "VM24.ini"

    // importer(absolute path, user level) → whether the import worked.
    using Importer = std::function<bool(const QString&, int)>;

    // With an authenticator whose key is present, a file from below level 2
    // (a level-1 stick, the push directory) is imported only when the
    // directory's signed index lists it with its hash.
    explicit SettingsFileHandler(Importer importer, UpdateAuthenticator* authenticator = nullptr);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    Importer m_importer;
    UpdateAuthenticator* m_authenticator;
};
