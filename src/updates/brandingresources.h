#pragma once

#include "updates/resourcehandler.h"

class AssetsRegistry;

// The partner brand's events picture and banner.
class BrandingResources : public ResourceHandler
{
public:
    static const char* const BRIXO_EVENTS_FILENAME; // "brixo-events.jpg"
    static const char* const BANNER_FILENAME;       // "brixo-banner.png"

    explicit BrandingResources(AssetsRegistry* registry);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    void copyInto(QDir& dir, const char* fileName, const char* asset);

    AssetsRegistry* m_registry;
};
