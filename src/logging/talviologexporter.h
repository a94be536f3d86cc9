#pragma once

#include "logging/notificationvisitor.h"

#include <QDateTime>
#include <QHash>
#include <QString>

class QIODevice;

namespace VM24 {

class NotificationBase;
class StandardRkAlarm;

// Product names by qualified product id, taken from the product catalogue in
// the thread that owns it before the export runs elsewhere.
using ProductNames = QHash<QString, QString>;

// Writes event-log notifications as one telemetry log document: the root
// element "TalvioLog" and one element per notification, in the order they
// are visited. Notifications without a valid time are left out, and text
// that XML cannot carry (control characters) is dropped from names and
// messages, so the document always parses.
class TalvioLogExporter : public NotificationVisitor
{
public:
    TalvioLogExporter(QIODevice* device, const ProductNames& productNames);

    void startDocument(const QDateTime& timestamp, int serial);
    void endDocument();
    // True when the device refused a write.
    bool hasError() const { return m_error; }

    void visit(const UserCashlessRechargeNotification* n) override;
    void visit(const ProductPurchasedNotification* n) override;
    void visit(const ChangeReturnedNotification* n) override;
    void visit(const OverpayNotification* n) override;
    void visit(const VendingSessionInfo* n) override;
    void visit(const AlarmNotification* n) override;
    void visit(const CashInsertedNotification* n) override;
    void visit(const PowerManagementNotification* n) override;
    void visit(const ProductSoldOutNotification* n) override;
    void visit(const MotorDispenserErrorNotification* n) override;
    void visit(const AlarmActiveNotification* n) override;
    void visit(const EmptyHopperNotification* n) override;
    void visit(const InfoNotification* n) override;
    void visit(const WarningNotification* n) override;
    void visit(const DebugNotification* n) override;
    void visit(const SupportRequestNotification* n) override;

private:
    // Open a (possibly empty) element with its DateTime attribute; false,
    // writing nothing, for a notification without a valid time.
    bool beginElement(const char* name, const NotificationBase* n);
    bool beginEmptyElement(const char* name, const NotificationBase* n);
    void writeAttribute(const char* name, int value);
    void writeAttribute(const char* name, const QString& value);
    void writeTextElement(const char* name, const NotificationBase* n, const QString& text);
    void writeAlarm(const StandardRkAlarm* alarm);
    // Closes the start tag of the root when the first child comes.
    void openChild(const char* name);
    void closeOpenElement();
    // Hands the text written so far to the device, as UTF-8, once enough
    // has gathered (always when force is set).
    void flush(bool force = false);

    // The document is formatted by hand into this string, as the toolkit's
    // stream writer would format it with automatic formatting, and written
    // in large pieces: a stream writer costs several times the reading of
    // the event log.
    QIODevice* m_device;
    QString m_pending;
    ProductNames m_productNames;
    bool m_hasChildren = false;
    // An empty element's start tag waits for more attributes.
    bool m_openEmpty = false;
    bool m_error = false;
};

// Writes the telemetry log of the event-log rows of the last days to device,
// which must be open for writing (the caller closes it). Reads the event log
// in the calling thread on its own connection; the device is written from a
// worker thread meanwhile (see apply_visitor_to_log) and is the caller's
// again on return. True when the log was read and every byte was written.
bool export_log_talvio_format(QIODevice* device, const QDateTime& timestamp, int serial,
                              const ProductNames& productNames, int days);

// Removes the characters that XML 1.0 cannot carry.
QString xml_safe_text(const QString& text);

} // namespace VM24
