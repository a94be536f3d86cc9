#pragma once

#include "core/version.h"

#include <QTime>

// Default values of the settings keys.
namespace VM24 {
namespace Defaults {

namespace General {
static const char* const DATA_DIR = "data";
static const char* const DEFAULT_LANGUAGE = "ita";
static const char* const SUPPORT_EMAIL = "assistenza@korvane.it";
} // namespace General

namespace Log {
static const char* const LOG_FILE = "log.db";
} // namespace Log

namespace Schedule {
static const char* const DRAFTS = "drafts";
static const char* const OUTGOING = "outgoing";
static const char* const MAILBOX = "mailbox";
static const char* const ARCHIVE = "archive";
static const QTime LOG_COMPILATION(0, 0);
static const QTime RECORD_MACHINE_STATE(0, 0);
static const QTime FTP_TRANSFER(2, 0);
static const QTime REMOTE_UPDATE(2, 0);
} // namespace Schedule

namespace NetworkConfig {
static const char* const METHOD = "dynamic";
static const char* const HOST_IP = "192.168.0.100";
static const int NETMASK = 24;
static const char* const GATEWAY = "192.168.0.1";
static const char* const DNS = "192.168.0.1";
} // namespace NetworkConfig

namespace FtpServer {
static const char* const PROTOCOL = "ftp";
} // namespace FtpServer

namespace UpdatesServer {
static const char* const PROTOCOL = "http";
} // namespace UpdatesServer

} // namespace Defaults

static const char* const ORGANIZATION_NAME = "Korvane";
static const char* const ORGANIZATION_DOMAIN = "korvane.it";
static const char* const APPLICATION_NAME = "VM24";

} // namespace VM24
