#pragma once

#include "core/version.h"

// Fixed names of the program's files and directories and of the update
// server's scheme; the settings keep their own defaults.
namespace VM24 {
namespace Defaults {

namespace General {
static const char* const DATA_DIR = "data";
} // namespace General

namespace Log {
static const char* const LOG_FILE = "log.db";
} // namespace Log

namespace Schedule {
static const char* const DRAFTS = "drafts";
static const char* const OUTGOING = "outgoing";
static const char* const MAILBOX = "mailbox";
static const char* const ARCHIVE = "archive";
} // namespace Schedule

namespace UpdatesServer {
static const char* const PROTOCOL = "http";
} // namespace UpdatesServer

} // namespace Defaults

static const char* const ORGANIZATION_NAME = "Korvane";
static const char* const ORGANIZATION_DOMAIN = "korvane.it";
static const char* const APPLICATION_NAME = "VM24";

} // namespace VM24
