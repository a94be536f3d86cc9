#pragma once

// The names of the settings file's keys, with the defaults their readers use.
// A grouped key is addressed as "group/key".
namespace VM24 {
namespace Keys {

// Language and home page
inline constexpr char DEFAULT_LANGUAGE[] = "default-language";
inline constexpr char RESTORE_DEFAULT_LANGUAGE_TIMEOUT[] = "restore-default-language-timeout";
inline constexpr int DEFAULT_RESTORE_DEFAULT_LANGUAGE_TIMEOUT_S = 60;
inline constexpr char USER_TEXT[] = "user-text";

// Receipts
inline constexpr const char* RECEIPT_ROWS[] = { "receipt-row-1", "receipt-row-2", "receipt-row-3" };
inline constexpr int RECEIPT_ROW_LENGTH = 24;

// Customer session
inline constexpr char SHORT_WAIT[] = "short-wait";
inline constexpr int DEFAULT_SHORT_WAIT_S = 45;
inline constexpr char LONG_WAIT[] = "long-wait";
inline constexpr int DEFAULT_LONG_WAIT_S = 60;
inline constexpr char MAX_CREDIT[] = "max-credit";
inline constexpr int DEFAULT_MAX_CREDIT = 5000;
inline constexpr char MAX_CHANGE[] = "max-change";
inline constexpr int DEFAULT_MAX_CHANGE = 500;
// The coin value in a change hopper, in cents; 0 for none.
inline constexpr const char* HOPPER_VALUES[] = { "hopper-value_1", "hopper-value_2" };
// The coins a change hopper can hold, in cents.
inline constexpr int HOPPER_COIN_VALUES[] = { 5, 10, 20, 50, 100, 200 };

// Board and peripherals
inline constexpr char USE_OPTICAL_BARRIER[] = "use-optical-barrier";
inline constexpr char BATTERY_THRESHOLD[] = "battery-threshold";
inline constexpr int DEFAULT_BATTERY_THRESHOLD_MS = 5000;
inline constexpr char TEMPERATURE_THRESHOLD[] = "temperature-threshold";
inline constexpr int DEFAULT_TEMPERATURE_THRESHOLD = 40;
inline constexpr char MOTOR_MAP[] = "motor-map";
inline constexpr char TIME_UPDATE_INTERVAL[] = "time-update-interval";
inline constexpr int DEFAULT_TIME_UPDATE_INTERVAL_S = 3600;

// Machine identity and support
inline constexpr char SERIAL[] = "advanced/serial";
inline constexpr char SUPPORT_EMAIL[] = "advanced/support-email";

// Network
inline constexpr char NETWORK_METHOD[] = "NetworkConfig/method";
inline constexpr char NETWORK_HOST_IP[] = "NetworkConfig/host-ip";
inline constexpr char NETWORK_NETMASK[] = "NetworkConfig/netmask";
inline constexpr char NETWORK_GATEWAY[] = "NetworkConfig/gateway";
inline constexpr char NETWORK_DNS[] = "NetworkConfig/dns";
// Where the operator's network test looks when the machine's own
// configuration is not to be used (tests and the demo name loopback): the
// address stands in for the default gateway, the host for the updates or
// mail server.
inline constexpr char NETWORK_TEST_INTERFACE[] = "NetworkTest/interface";
inline constexpr char DEFAULT_NETWORK_TEST_INTERFACE[] = "eth0";
inline constexpr char NETWORK_TEST_ADDRESS[] = "NetworkTest/address";
inline constexpr char NETWORK_TEST_HOST[] = "NetworkTest/host";

// Updates: the server as host or host:port (no default: no remote check
// runs until it is set), and the time of day of the nightly checks.
inline constexpr char UPDATES_SERVER_ADDRESS[] = "UpdatesServer/address";
inline constexpr char REMOTE_UPDATE_SCHEDULE[] = "Schedule/remote-update";
// The most an update may bring from the server, in bytes: each package
// file, each content file (media archive, picture, catalogue archive), the
// content descriptor, the two package lists together.
inline constexpr char UPDATES_MAX_PACKAGE_BYTES[] = "UpdatesServer/max-package-bytes";
inline constexpr long long DEFAULT_UPDATES_MAX_PACKAGE_BYTES = 256LL * 1024 * 1024;
inline constexpr char UPDATES_MAX_CONTENT_BYTES[] = "UpdatesServer/max-content-bytes";
inline constexpr long long DEFAULT_UPDATES_MAX_CONTENT_BYTES = 512LL * 1024 * 1024;
inline constexpr char UPDATES_MAX_DESCRIPTOR_BYTES[] = "UpdatesServer/max-descriptor-bytes";
inline constexpr long long DEFAULT_UPDATES_MAX_DESCRIPTOR_BYTES = 4LL * 1024 * 1024;
inline constexpr char UPDATES_MAX_LIST_BYTES[] = "UpdatesServer/max-list-bytes";
inline constexpr long long DEFAULT_UPDATES_MAX_LIST_BYTES = 4LL * 1024 * 1024;

// Reports leaving the machine: mail, FTP and the spool housekeeping
inline constexpr char ENABLE_NOTIFICATIONS[] = "enable-notifications";
inline constexpr char ALARMS_EMAIL[] = "Alarms/email";
inline constexpr char FTP_ADDRESS[] = "FtpServer/address";
inline constexpr char FTP_USERNAME[] = "FtpServer/username";
inline constexpr char FTP_PASSWORD[] = "FtpServer/password";
inline constexpr char FTP_PORT[] = "FtpServer/port";
inline constexpr int DEFAULT_FTP_PORT = 21;
inline constexpr char FTP_PROTOCOL[] = "FtpServer/protocol";
inline constexpr char LOG_COMPILATION_TIME[] = "Schedule/log-compilation";
// The daily audit file with the day's log; a missing key reads as on when
// an FTP server is set.
inline constexpr char EVADTS_DAILY_FILE[] = "evadts-daily-file";
inline constexpr char RECORD_MACHINE_STATE_TIME[] = "Schedule/record-machine-state";
inline constexpr char FTP_TRANSFER_TIME[] = "Schedule/ftp-transfer";
inline constexpr char FTP_SEND_INTERVAL[] = "ftp-send-interval";
inline constexpr int DEFAULT_FTP_SEND_INTERVAL_S = 300;
inline constexpr char MAIL_SEND_INTERVAL[] = "mail-send-interval";
inline constexpr int DEFAULT_MAIL_SEND_INTERVAL_S = 180;
inline constexpr char GC_INTERVAL[] = "gc-interval";
inline constexpr int DEFAULT_GC_INTERVAL_S = 7200;
inline constexpr char MAX_OUTGOING_FILES_AGE_DAYS[] = "max-outgoing-files-age-days";
inline constexpr int DEFAULT_MAX_OUTGOING_FILES_AGE_DAYS = 30;
inline constexpr char OUTGOING_FILES_LIMIT[] = "outgoing-files-limit";
inline constexpr int DEFAULT_OUTGOING_FILES_LIMIT = 100;
inline constexpr char MAX_MAIL_AGE_DAYS[] = "max-mail-age-days";
inline constexpr int DEFAULT_MAX_MAIL_AGE_DAYS = 2;
inline constexpr char MAILBOX_LIMIT[] = "mailbox-limit";
inline constexpr int DEFAULT_MAILBOX_LIMIT = 20;
inline constexpr char MAX_ARCHIVED_FILES_AGE_DAYS[] = "max-archived-files-age-days";
inline constexpr int DEFAULT_MAX_ARCHIVED_FILES_AGE_DAYS = 180;
inline constexpr char ARCHIVED_FILES_LIMIT[] = "archived-files-limit";
inline constexpr int DEFAULT_ARCHIVED_FILES_LIMIT = 500;

// Groups
inline constexpr char ALARMS_GROUP[] = "Alarms";
inline constexpr char PRODUCTS_GROUP[] = "Products";

} // namespace Keys
} // namespace VM24
