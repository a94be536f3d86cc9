#pragma once

#include <QString>

class Catalogue;

// Product ids are qualified: catalogue name, "/", local id ("main/1234").
namespace VM24 {

// Catalogue of the operator's edits; loads last and overrides the others.
static const char* const USER_EDITS_CATALOGUE_NAME = "zz-user-edits";
// Catalogue of the products created on the machine.
static const char* const USER_CATALOGUE = "user";

static const int NUMBER_OF_SELECTIONS = 18;
// Selections that may only offer products of the partner brand, ascending.
static const int BRIXO_RESERVED_BUTTONS[] = {2, 3, 4, 5, 6, 7, 8, 9, 11, 12};

bool is_brixo_reserved_button(int selection);

// Text before the first "/"; the whole id when it holds none.
QString catalogue_part(const QString& id);
// Text after the first "/"; the whole id when it holds none.
QString local_part(const QString& id);
// An id read from the file of catalogue catalogueName: kept when already
// qualified (a "/" at position 1 or later), otherwise prefixed.
QString qualify_product_id(const QString& catalogueName, const QString& id);
// The local id when id belongs to the catalogue, else id unchanged.
QString make_local(const Catalogue& catalogue, const QString& id);
// True for products of the partner brand: their catalogue's name contains "brixo".
bool is_brixo_product_id(const QString& id);

} // namespace VM24
