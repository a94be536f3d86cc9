#pragma once

#include <QString>

namespace VM24 {

static const char* const SOFT_RESET_FILENAME = "soft_reset.txt";
static const char* const ENVIRONMENT_FILENAME = "vm24.env";

// True when the stick's folder holds reset instructions or an environment file.
bool has_reset_actions(const QString& dir);

// Runs the reset instructions of the stick's folder dir on this machine:
// keywords of "soft_reset.txt" (getenv, clearenv, settings, once; any case)
// and the installation of the stick's "vm24.env". Failed copies and
// deletions are ignored. Runs on a worker thread.
void run_reset_actions(const QString& dir);

} // namespace VM24
