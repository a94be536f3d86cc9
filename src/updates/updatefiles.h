#pragma once

#include <QDir>
#include <QString>
#include <QUrl>

// File functions shared by every update path. Nothing here runs a shell, and
// nothing extracted from an archive lands outside its target directory.
namespace VM24 {

// Removes everything inside dir (hidden entries too), keeping dir itself.
// Symbolic links are removed, never followed.
bool clean_dir(const QString& dir);
// Removes dir and everything in it; a symbolic link is removed, not followed.
// True when nothing is left at that path.
bool rm_dir(const QString& dir);

// The last segment of the URL's path, when it can serve as a file name:
// empty for a name that is empty, "." or "..", holds a separator or a
// control character, or starts with "-".
QString url_filename(const QUrl& url);
// A plain name (catalogue, file) that cannot name another directory.
bool is_safe_file_name(const QString& name);
// Only http and https are fetched.
bool is_downloadable_url(const QUrl& url);

// If src holds name (a plain file, not a link): removes name from dst and
// copies it there; returns the copy's success. False when src does not hold it.
bool overwrite_copy_if_exists(QDir& src, const QString& name, QDir& dst);

// Extracts a safe archive into a new directory "/tmp/vm24-unzip.XXXXXX" and
// returns its path; empty when the archive is missing or refused, the
// directory cannot be created or the extraction fails.
QString unzip_archive_temp(const QString& zip);

// Extracts zip into dir (which must exist). Refuses archives whose entries
// would leave dir (absolute paths, "..", symbolic links) or would eat into
// the disk space reserve. True when every entry was extracted whole.
bool extract_zip(const QString& zip, const QString& dir);

// A new empty directory beside target, in which its replacement is prepared.
QString make_staging_dir(const QString& target);
// Puts the prepared directory staged in target's place; the former content
// of target is removed only once the new one is in place. On failure target
// is left as it was and staged is removed.
bool replace_dir(const QString& staged, const QString& target);
// Puts right what an interrupted replace_dir left in parent: a target whose
// former content was moved aside but not yet replaced gets that content
// back; every other staging directory (a half-made replacement, a former
// content already replaced) is removed. Run at start-up, before anything
// reads the directory.
void recover_interrupted_replacements(const QString& parent);

// Extracts zip into a staging directory and, only when that worked,
// replaces target with it. A damaged or refused archive leaves target as it was.
bool extract_zip_replacing(const QString& zip, const QString& target);

} // namespace VM24
