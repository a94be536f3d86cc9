#pragma once

#include "logging/notificationhandlerbase.h"

#include <QAtomicInt>
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

class QThreadPool;

namespace VM24 {
class StandardRkAlarm;
}

// The second handler of the notification service: turns every board alarm
// raised or cleared into an XML alarm file in the outgoing directory (sent
// by FTP) and every alarm raised into a short e-mail text in the mailbox
// directory. Warnings meant for the owner become e-mail texts too. The
// handler only formats into memory; the files are written on the pool.
// Names carry the time to the second; a second report of the same kind in
// the same second gets "_2" (then "_3", ...) after the time rather than
// overwriting the first.
class FileNotifier : public NotificationHandlerBase
{
public:
    explicit FileNotifier(QThreadPool* pool = nullptr);

    void setOutgoingDir(const QString& dir) { m_outgoingDir = dir; }
    void setMailboxDir(const QString& dir) { m_mailboxDir = dir; }
    QString outgoingDir() const { return m_outgoingDir; }
    QString mailboxDir() const { return m_mailboxDir; }
    // The machine's serial number in the names, from the settings.
    void setSerial(int serial) { m_serial.storeRelaxed(serial); }
    int serial() const { return m_serial.loadRelaxed(); }

    void visit(const VM24::UserCashlessRechargeNotification*) override {}
    void visit(const VM24::ProductPurchasedNotification*) override {}
    void visit(const VM24::ChangeReturnedNotification*) override {}
    void visit(const VM24::OverpayNotification*) override {}
    void visit(const VM24::VendingSessionInfo*) override {}
    void visit(const VM24::AlarmNotification* n) override;
    void visit(const VM24::CashInsertedNotification*) override {}
    void visit(const VM24::PowerManagementNotification*) override {}
    void visit(const VM24::ProductSoldOutNotification* n) override;
    void visit(const VM24::MotorDispenserErrorNotification* n) override;
    void visit(const VM24::AlarmActiveNotification*) override {}
    void visit(const VM24::EmptyHopperNotification* n) override;
    void visit(const VM24::InfoNotification*) override {}
    void visit(const VM24::WarningNotification* n) override;
    void visit(const VM24::DebugNotification*) override {}
    void visit(const VM24::SupportRequestNotification*) override {}

    void serializeRkAlarm(const VM24::StandardRkAlarm* alarm);

    // "<prefix>_<serial>_<yyyyMMdd_hhmmss>"
    static QString baseName(const char* prefix, int serial, const QDateTime& time);
    // baseName, made unique against the names this notifier handed out before.
    QString uniqueName(const char* prefix, const QDateTime& time);
    // The alarm document of the outgoing directory.
    static QByteArray alarmDocument(const VM24::StandardRkAlarm* alarm, int serial);
    // Three lines: "<application> <serial> ver <version>", heading, "<date> - <text>".
    static QByteArray mailText(int serial, const QString& heading, const QDateTime& time, const QString& text);

private:
    void serializeXml(const VM24::StandardRkAlarm* alarm, const QString& name);
    void serializePlainText(const VM24::StandardRkAlarm* alarm, const QString& name);
    void writeFile(const QString& path, const QByteArray& data);

    QThreadPool* m_pool;
    QString m_outgoingDir;
    QString m_mailboxDir;
    // Read in the publisher's thread, written by the settings manager.
    QAtomicInt m_serial = 0;
    // The names of the last second, with how often each was used; only
    // touched under the notification service's lock.
    QDateTime m_lastSecond;
    QHash<QString, int> m_namesOfLastSecond;
};
