#pragma once

#include <QByteArray>
#include <QString>

// The version order of the platform's package manager, taken from its own
// library, so that the program decides "newer" exactly as the package
// manager itself does.
namespace VM24 {

// Compares two full versions "[epoch:]version[-release]": 1 when a is newer,
// -1 when b is newer, 0 when they are the same version. A null string is
// older than any other; two null strings are equal.
int compare_versions(const char* a, const char* b);
int compare_versions(const QByteArray& a, const QByteArray& b);
int compare_versions(const QString& a, const QString& b);

} // namespace VM24
