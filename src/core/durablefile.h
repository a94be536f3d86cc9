#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace VM24 {

// Replaces the file at path by data so that a crash or a power cut at any
// moment leaves either the former file or the new one complete under that
// name, never a part of either. The data reaches the storage medium before
// the call returns true. A symbolic link at path is replaced, never written
// through.
bool write_file_durably(const QString& path, const QByteArray& data);
// The same for content written by a function to the open temporary file;
// a function that returns false leaves the former file (or none) in place.
bool write_file_durably(const QString& path, const std::function<bool(QIODevice*)>& content);

// True for the name of a temporary file that a durable write in progress,
// or one cut short, leaves beside its file: readers of a directory skip it.
bool is_durable_write_temporary(const QString& fileName);
// Removes the temporary files that writes of path cut short left beside it.
void remove_durable_write_temporaries(const QString& path);

// Makes a file just replaced by a rename last through a power cut (as the
// toolkit writes a settings file: a temporary file, its data synced, renamed
// over the old one): the file and its directory are synced.
bool sync_file_durably(const QString& path);

// Syncs the directory that holds path, so that a rename inside it lasts.
bool sync_directory_of(const QString& path);

// Flushes the file system that holds the open descriptor fd to the storage
// medium (syncfs).
bool sync_file_system(int fd);

} // namespace VM24
