#pragma once

#include "updates/resourcehandler.h"

class AssetsRegistry;

// The home page's media: a directory "media" or an archive "media.zip",
// whose files replace the whole of "data:media".
class HomePageMediaHandler : public ResourceHandler
{
public:
    static const char* const MEDIA_DIR;              // "media"
    static const char* const MEDIA_ARCHIVE_FILENAME; // "media.zip"
    static const char* const LOCAL_MEDIA_DIR;        // "data:media"

    explicit HomePageMediaHandler(AssetsRegistry* registry);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    void install(const QString& source, UpdateProcessContext* ctx);

    AssetsRegistry* m_registry;
};
