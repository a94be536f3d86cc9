#include "catalogue/catalogue.h"

void Catalogue::addDependency(const QString& catalogueName)
{
    if (catalogueName.isEmpty() || dependencies.contains(catalogueName))
        return;
    dependencies.append(catalogueName);
}
