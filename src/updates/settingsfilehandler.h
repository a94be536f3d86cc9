#pragma once

#include "updates/resourcehandler.h"

#include <functional>

// A settings file "VM24.ini" to import. The import itself is handed in (the
// settings manager's, bound by the main window), so that this layer does not
// depend on the settings code.
class SettingsFileHandler : public ResourceHandler
{
public:
    static const char* const CONFIG_FILENAME; // "VM24.ini"

    // importer(absolute path, user level) → whether the import worked.
    using Importer = std::function<bool(const QString&, int)>;

    explicit SettingsFileHandler(Importer importer);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    Importer m_importer;
};
