#pragma once

#include <QString>

#include <functional>

namespace VM24 {

static const char* const SOFT_RESET_FILENAME = "soft_reset.txt";
static const char* const ENVIRONMENT_FILENAME = "vm24.env";
// In the application directory: the checksums of "once" instruction files
// that ran but could not be renamed on their stick (a stick mounted
// read-only, a directory in the way), so that they do not run again.
static const char* const RESET_RECORD_FILENAME = "soft_reset.done";
// Larger stick files are not taken.
static const int MAX_RESET_FILE_SIZE = 4096;
static const int MAX_ENVIRONMENT_FILE_SIZE = 64 * 1024;

// True when the stick's folder dir (an absolute path) holds reset
// instructions that have not already run once, or an environment file.
// Only regular files count, never a link.
bool has_reset_actions(const QString& dir);

// Runs the reset instructions of the stick's folder dir on this machine:
// keywords of "soft_reset.txt" (getenv, clearenv, settings, once; any case)
// and the installation of the stick's "vm24.env". An empty or relative dir
// does nothing. Stick files are read only as small regular files. Failed
// copies and deletions are ignored. The keyword "settings" calls
// clearSettings. Runs on a worker thread.
void run_reset_actions(const QString& dir, const std::function<void()>& clearSettings);

} // namespace VM24
