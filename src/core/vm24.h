#pragma once

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QMargins>
#include <QString>
#include <QTime>

namespace VM24 {

// Look constants shared by the pages.
static const QMargins PROMO_BUTTON_MARGINS(129, 26, 129, 71);
static const QColor PRESSED_BUTTON_SHADE(127, 0, 127, 55);
static const QColor PRESSED_BUTTON_BRIGHT(255, 196, 196, 96);
static const QColor CLICKED_AREA_SHADE(25, 25, 25, 33);

static const char* const XML_DATE_FORMAT = "yyyyMMdd_hhmmss";
static const char* const SQL_DATE_TIME_FORMAT = "yyyy-MM-dd hh:mm:ss";
static const char* const ITALIAN_DATE_TIME_FORMAT = "dd/MM/yyyy hh:mm:ss";
static const char* const LOG_DB_CONNECTION_NAME = "log-db-connection-internal";
static const int ALARM_FLAGS[] = {1, 2, 4, 8, 16, 32, 64};

// Money: integer euro cents everywhere, shown as "12,34"; a negative
// amount gets one leading "-". The 64-bit form is for the ledger's totals.
QString format_credit(int cents);
QString format_credit(qint64 cents);
QString format_money(int cents);
int read_money_amount(const QString& text);

void thread_sleep(int seconds);
void thread_msleep(int milliseconds);

QString format_rk_date(const QDateTime& dateTime);
QDateTime read_rk_date(const QString& text);

// Machine serial number, 0..99999, kept in the settings file, which clamps
// it on every read and write.
static const int MAX_SERIAL = 99999;
QString format_serial(int serial);
int clamp_serial(int serial);

bool get_env_bool(const char* name, bool dflt);
int get_env_int(const char* name, int dflt);

// The directory the program lives in, or VM24_APP_DIR when that is set.
QString application_dir();
// True when application_dir() exists or can be made and a file can be
// created in it: the settings, ledgers and event log live there.
bool application_dir_writable();
// Relative paths are resolved against application_dir().
QString get_path(const QString& path);
// The serial device of the controller board: VM24_SERIAL_DEVICE or "/dev/ttyAMA0".
QString serial_device_path();

QString make_temp_dir(const char* templ);

QByteArray strip_version_string(const QByteArray& answer);
QByteArray strip_serial_number_string(const QByteArray& answer);

void change_hostname(int serial);
void set_system_date_time(const QDateTime& dateTime);
void adjust_system_date_time(const QDateTime& dateTime);

} // namespace VM24
