#include "catalogue/productids.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <iterator>

namespace VM24 {

bool is_brixo_reserved_button(int selection)
{
    return std::binary_search(std::begin(BRIXO_RESERVED_BUTTONS), std::end(BRIXO_RESERVED_BUTTONS),
                              selection);
}

QString catalogue_part(const QString& id)
{
    const int slash = id.indexOf(QLatin1Char('/'));
    return slash < 0 ? id : id.left(slash);
}

QString local_part(const QString& id)
{
    const int slash = id.indexOf(QLatin1Char('/'));
    return slash < 0 ? id : id.mid(slash + 1);
}

QString qualify_product_id(const QString& catalogueName, const QString& id)
{
    if (id.indexOf(QLatin1Char('/')) >= 1)
        return id;
    return catalogueName + QLatin1Char('/') + id;
}

QString make_local(const Catalogue& catalogue, const QString& id)
{
    const int slash = id.indexOf(QLatin1Char('/'));
    if (slash >= 1 && id.left(slash) == catalogue.name)
        return id.mid(slash + 1);
    return id;
}

bool is_brixo_product_id(const QString& id)
{
    return catalogue_part(id).contains(QLatin1String("brixo"), Qt::CaseSensitive);
}

} // namespace VM24
