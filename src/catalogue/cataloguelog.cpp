#include "catalogue/cataloguelog.h"

Q_LOGGING_CATEGORY(catalogueLog, "vm24.catalogue", QtInfoMsg)
