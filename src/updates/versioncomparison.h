#pragma once

#include <QByteArray>
#include <QString>

// The version order of the platform's package manager, so that the program
// decides "newer" exactly as the package manager itself does.
namespace VM24 {

// Compares two full versions "[epoch:]version[-release]": 1 when a is newer,
// -1 when b is newer, 0 when they are the same version. A missing or empty
// epoch counts as 0; releases are compared only when both sides have one.
// A null string is older than any other; two null strings are equal.
int compare_versions(const char* a, const char* b);
int compare_versions(const QByteArray& a, const QByteArray& b);
int compare_versions(const QString& a, const QString& b);

// Compares two version parts (epoch, version or release) segment by
// segment: runs of digits as numbers, runs of letters as text, a longer
// separator run as newer, a letter suffix ("1.0a") as older than nothing.
int compare_version_segments(const char* a, const char* b);

} // namespace VM24
