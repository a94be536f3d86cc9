#pragma once

#include "updates/resourcehandler.h"

class AssetsRegistry;

// Catalogue archives ("<name>.rkdb"). Only the operator's own catalogue
// "user" and, for a user level above 1, catalogues of the partner brand are
// installed this way; the others come only through the content descriptor.
class CatalogueResourceHandler : public ResourceHandler
{
public:
    static const char* const CATALOGUE_EXTENSION; // ".rkdb"

    explicit CatalogueResourceHandler(AssetsRegistry* registry);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    bool isInstallable(const QString& name, int userLevel) const;

    AssetsRegistry* m_registry;
};
