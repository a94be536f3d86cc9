#pragma once

#include "updates/resourcehandler.h"

#include <QByteArray>

class AssetsRegistry;
class ProductProvider;

// A file of product edits "mod.xml" sent from the web: products created,
// changed or removed, with their pictures beside the file. A file that is
// not well-formed XML changes nothing. The catalogue lives on the GUI
// thread, so the file is applied there.
class CatalogueEditsHandler : public ResourceHandler
{
public:
    static const char* const EDITS_FILENAME; // "mod.xml"
    static constexpr qint64 MAX_FILE_SIZE = 8 * 1024 * 1024;

    CatalogueEditsHandler(ProductProvider* provider, AssetsRegistry* registry);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;
    bool runsOnGuiThread() const override { return true; }

private:
    // The edits of a well-formed document.
    void applyEdits(const QByteArray& document, const QDir& dir);
    void applyProduct(class QXmlStreamReader& reader, const QDir& dir);

    ProductProvider* m_provider;
    AssetsRegistry* m_registry;
};
