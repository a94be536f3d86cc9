#include "tasks/productnames.h"

#include "catalogue/productprovider.h"

namespace VM24 {

ProductNames product_names(const ProductProvider& products)
{
    ProductNames names;
    const int count = products.productCount();
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        const ProductRecord& product = products.getProduct(i);
        names.insert(product.id(), product.name());
    }
    return names;
}

} // namespace VM24
