#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

// A typed handle to one row of the settings table; Settings::value() reads
// it as its type.
template <typename T>
struct Setting
{
    int row;
};

// Every key of the settings file but the product arrangement and the alarm
// switches (rows made from the alarm list): handle name, type, key, default,
// and the rule the settings page and an import check a value by. A key is
// added here and nowhere else, so it cannot exist without its default and
// its rule. A grouped key is written "group/key".
//
// Money is in cents, intervals and waits in seconds unless the handle says.
#define VM24_SETTINGS(X)                                                                                       \
    /* Language and home page */                                                                               \
    X(DefaultLanguage, QString, "default-language", QStringLiteral("it"), choice({"it", "en"}))                \
    X(RestoreLanguageTimeout, int, "restore-default-language-timeout", 60, number(0, MAX_FORM_NUMBER))         \
    X(UserText, QString, "user-text", QString(), text())                                                       \
    /* Receipts */                                                                                             \
    X(ReceiptRow1, QString, "receipt-row-1", QString(), text(RECEIPT_ROW_LENGTH))                             \
    X(ReceiptRow2, QString, "receipt-row-2", QString(), text(RECEIPT_ROW_LENGTH))                             \
    X(ReceiptRow3, QString, "receipt-row-3", QString(), text(RECEIPT_ROW_LENGTH))                             \
    /* Customer session */                                                                                     \
    X(ShortWait, int, "short-wait", 45, number(0, MAX_FORM_NUMBER))                                           \
    X(LongWait, int, "long-wait", 60, number(0, MAX_FORM_NUMBER))                                             \
    X(MaxCredit, int, "max-credit", 5000, number(0, MAX_CREDIT_CENTS))                                        \
    X(MaxChange, int, "max-change", 500, number(0, MAX_CHANGE_CENTS))                                         \
    /* The coin value in a change hopper, in cents; 0 for none */                                              \
    X(HopperValue1, int, "hopper-value_1", 0, choice(HOPPER_CHOICES))                                         \
    X(HopperValue2, int, "hopper-value_2", 0, choice(HOPPER_CHOICES))                                         \
    /* Board and peripherals */                                                                                \
    X(UseOpticalBarrier, bool, "use-optical-barrier", false, flag())                                          \
    X(BatteryThresholdMs, int, "battery-threshold", 5000, number(0, MAX_BATTERY_THRESHOLD))                   \
    X(TemperatureThreshold, int, "temperature-threshold", 40, number(0, MAX_TEMPERATURE))                     \
    X(MotorMap, QStringList, "motor-map", QStringList(), motorMap())                                          \
    X(TimeUpdateInterval, int, "time-update-interval", 3600, number(MIN_INTERVAL_S, MAX_INTERVAL_S))          \
    /* Machine identity and support */                                                                         \
    X(Serial, int, "advanced/serial", 0, serial())                                                            \
    X(SupportEmail, QString, "advanced/support-email", QStringLiteral("assistenza@korvane.it"),               \
      text(0, ADVANCED))                                                                                       \
    /* Network of eth0 */                                                                                      \
    X(NetworkMethod, QString, "NetworkConfig/method", QStringLiteral("dynamic"), choice({"static", "dynamic"})) \
    X(NetworkHostIp, QString, "NetworkConfig/host-ip", QStringLiteral("192.168.0.100"), address())            \
    X(NetworkNetmask, QString, "NetworkConfig/netmask", QStringLiteral("24"), netmask())                      \
    X(NetworkGateway, QString, "NetworkConfig/gateway", QStringLiteral("192.168.0.1"), address())             \
    X(NetworkDns, QString, "NetworkConfig/dns", QStringLiteral("192.168.0.1"), address())                     \
    /* Where the operator's network test looks when the machine's own                                         \
       configuration is not to be used (tests and the demo name loopback):                                     \
       the address stands in for the default gateway, the host for the                                         \
       updates or mail server; empty for the machine's own */                                                  \
    X(NetworkTestInterface, QString, "NetworkTest/interface", QStringLiteral("eth0"), name())                 \
    X(NetworkTestAddress, QString, "NetworkTest/address", QString(), address())                               \
    X(NetworkTestHost, QString, "NetworkTest/host", QString(), name())                                        \
    /* Updates: the server as host or host:port (empty: no remote check runs),                                 \
       the time of day of the nightly checks, and the most an update may                                       \
       bring in bytes: each package file, each content file, the content                                       \
       descriptor, the two package lists together */                                                           \
    X(UpdatesServerAddress, QString, "UpdatesServer/address", QString(), text(0, DESTINATION))                \
    X(RemoteUpdateTime, QTime, "Schedule/remote-update", QTime(2, 0), time())                                 \
    X(UpdatesMaxPackageBytes, qint64, "UpdatesServer/max-package-bytes", 256LL * 1024 * 1024, download())     \
    X(UpdatesMaxContentBytes, qint64, "UpdatesServer/max-content-bytes", 512LL * 1024 * 1024, download())     \
    X(UpdatesMaxDescriptorBytes, qint64, "UpdatesServer/max-descriptor-bytes", 4LL * 1024 * 1024, download()) \
    X(UpdatesMaxListBytes, qint64, "UpdatesServer/max-list-bytes", 4LL * 1024 * 1024, download())             \
    /* Reports leaving the machine: mail, FTP and the spool housekeeping */                                    \
    X(EnableNotifications, bool, "enable-notifications", false, flag())                                       \
    X(AlarmsEmail, QString, "Alarms/email", QString(), text(0, DESTINATION))                                  \
    X(FtpAddress, QString, "FtpServer/address", QString(), text(0, DESTINATION))                              \
    X(FtpUsername, QString, "FtpServer/username", QString(), text(0, DESTINATION))                            \
    X(FtpPassword, QString, "FtpServer/password", QString(), text(0, DESTINATION))                            \
    X(FtpPort, int, "FtpServer/port", 21, number(0, MAX_PORT, DESTINATION))                                   \
    X(FtpProtocol, QString, "FtpServer/protocol", QStringLiteral("ftp"), choice({"ftp", "sftp"}, DESTINATION)) \
    X(LogCompilationTime, QTime, "Schedule/log-compilation", QTime(0, 0), time())                             \
    /* The daily audit file with the day's log; a missing key reads as on                                      \
       when an FTP server is set */                                                                            \
    X(EvadtsDailyFile, bool, "evadts-daily-file", false, flag())                                              \
    X(RecordMachineStateTime, QTime, "Schedule/record-machine-state", QTime(0, 0), time())                    \
    X(FtpTransferTime, QTime, "Schedule/ftp-transfer", QTime(2, 0), time())                                   \
    X(FtpSendInterval, int, "ftp-send-interval", 300, number(MIN_INTERVAL_S, MAX_INTERVAL_S))                 \
    X(MailSendInterval, int, "mail-send-interval", 180, number(MIN_INTERVAL_S, MAX_INTERVAL_S))               \
    X(GcInterval, int, "gc-interval", 7200, number(MIN_INTERVAL_S, MAX_INTERVAL_S))                           \
    X(MaxOutgoingFilesAgeDays, int, "max-outgoing-files-age-days", 30, number(1, MAX_AGE_DAYS))               \
    X(OutgoingFilesLimit, int, "outgoing-files-limit", 100, number(1, MAX_FILES))                             \
    X(MaxMailAgeDays, int, "max-mail-age-days", 2, number(1, MAX_AGE_DAYS))                                   \
    X(MailboxLimit, int, "mailbox-limit", 20, number(1, MAX_FILES))                                           \
    X(MaxArchivedFilesAgeDays, int, "max-archived-files-age-days", 180, number(1, MAX_AGE_DAYS))              \
    X(ArchivedFilesLimit, int, "archived-files-limit", 500, number(1, MAX_FILES))

// The row numbers: the named rows in table order, then one alarm switch
// ("Alarms/<code>", default on) per alarm flag.
namespace SettingRows {
enum : int {
#define VM24_SETTING_ROW(name, type, key, fallback, rule) name,
    VM24_SETTINGS(VM24_SETTING_ROW)
#undef VM24_SETTING_ROW
    FirstAlarmSwitch
};
} // namespace SettingRows
