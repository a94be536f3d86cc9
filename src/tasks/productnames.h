#pragma once

#include "logging/talviologexporter.h"

class ProductProvider;

namespace VM24 {

// Every product's name by its qualified id, read in the provider's thread
// for an export that runs on a worker.
ProductNames product_names(const ProductProvider& products);

} // namespace VM24
