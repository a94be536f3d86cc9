#include "logging/talviologexporter.h"

#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "logging/notifications.h"

#include <QIODevice>

namespace VM24 {

namespace {

bool is_xml_char(char16_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c < 0xFFFE);
}

bool needs_cleaning(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            ++i;
            continue;
        }
        if (!is_xml_char(c))
            return true;
    }
    return false;
}

} // namespace

QString xml_safe_text(const QString& text)
{
    if (!needs_cleaning(text))
        return text;
    QString clean;
    clean.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            clean.append(text.at(i));
            clean.append(text.at(++i));
        } else if (is_xml_char(c)) {
            clean.append(text.at(i));
        }
    }
    return clean;
}

namespace {

const int FLUSH_CHARACTERS = 64 * 1024;

// True when text can be written as it is: nothing to escape or to drop
// (most names and messages).
bool is_plain(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == u'&' || u == u'<' || u == u'>' || u == u'"' || u >= 0xD800)
            return false;
    }
    return true;
}

// Appends text escaped for an attribute value (quote true) or for content.
void append_escaped(QString& out, const QString& text, bool quote)
{
    if (is_plain(text)) {
        out += text;
        return;
    }
    const QString safe = xml_safe_text(text);
    for (const QChar c : safe) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += quote ? QLatin1String("&quot;") : QLatin1String("\"");
            break;
        case u'\r':
            out += QLatin1String("&#13;");
            break;
        case u'\n':
            out += quote ? QLatin1String("&#10;") : QLatin1String("\n");
            break;
        case u'\t':
            out += quote ? QLatin1String("&#9;") : QLatin1String("\t");
            break;
        default:
            out += c;
        }
    }
}

} // namespace

TalvioLogExporter::TalvioLogExporter(QIODevice* device, const ProductNames& productNames)
    : m_device(device)
    , m_productNames(productNames)
{
    m_pending.reserve(FLUSH_CHARACTERS + 4096);
}

void TalvioLogExporter::flush(bool force)
{
    if (m_pending.isEmpty() || (!force && m_pending.size() < FLUSH_CHARACTERS))
        return;
    const QByteArray bytes = m_pending.toUtf8();
    if (m_device->write(bytes) != bytes.size())
        m_error = true;
    m_pending.clear();
}

void TalvioLogExporter::startDocument(const QDateTime& timestamp, int serial)
{
    m_pending += QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TalvioLog");
    writeAttribute("TimeStamp", format_rk_date(timestamp));
    writeAttribute("SerialNumber", format_serial(serial));
}

void TalvioLogExporter::endDocument()
{
    closeOpenElement();
    m_pending += m_hasChildren ? QLatin1String("\n</TalvioLog>\n") : QLatin1String("/>\n");
    flush(true);
}

void TalvioLogExporter::closeOpenElement()
{
    if (m_openEmpty)
        m_pending += QLatin1String("/>");
    m_openEmpty = false;
}

void TalvioLogExporter::openChild(const char* name)
{
    closeOpenElement();
    flush();
    if (!m_hasChildren)
        m_pending += QLatin1Char('>');
    m_hasChildren = true;
    m_pending += QLatin1String("\n    <");
    m_pending += QLatin1String(name);
    m_openEmpty = true;
}

bool TalvioLogExporter::beginElement(const char* name, const NotificationBase* n)
{
    if (!n->timestamp().isValid())
        return false;
    openChild(name);
    writeAttribute("DateTime", format_rk_date(n->timestamp()));
    return true;
}

// Attributes follow; the element is closed by the next child or the end.
bool TalvioLogExporter::beginEmptyElement(const char* name, const NotificationBase* n)
{
    return beginElement(name, n);
}

void TalvioLogExporter::writeAttribute(const char* name, int value)
{
    m_pending += QLatin1Char(' ');
    m_pending += QLatin1String(name);
    m_pending += QLatin1String("=\"");
    m_pending += QString::number(value);
    m_pending += QLatin1Char('"');
}

void TalvioLogExporter::writeAttribute(const char* name, const QString& value)
{
    m_pending += QLatin1Char(' ');
    m_pending += QLatin1String(name);
    m_pending += QLatin1String("=\"");
    append_escaped(m_pending, value, true);
    m_pending += QLatin1Char('"');
}

void TalvioLogExporter::writeTextElement(const char* name, const NotificationBase* n, const QString& text)
{
    if (!beginElement(name, n))
        return;
    m_openEmpty = false;
    m_pending += QLatin1Char('>');
    append_escaped(m_pending, text, false);
    m_pending += QLatin1String("</");
    m_pending += QLatin1String(name);
    m_pending += QLatin1Char('>');
}

void TalvioLogExporter::visit(const UserCashlessRechargeNotification* n)
{
    if (!beginEmptyElement("Recharge", n))
        return;
    writeAttribute("Amount", n->amount());
    writeAttribute("CardNumber", n->userId());
}

void TalvioLogExporter::visit(const ProductPurchasedNotification* n)
{
    if (!beginEmptyElement("Program", n))
        return;
    writeAttribute("id", n->dispenser() + 1);
    writeAttribute("Amount", n->cost());
    writeAttribute("Payment", ProductPurchasedNotification::methodToString(n->method()));
    writeAttribute("Description", m_productNames.value(n->productId()));
    if (!n->userInfo().isEmpty())
        writeAttribute("CardNumber", n->userInfo());
}

void TalvioLogExporter::visit(const ChangeReturnedNotification* n)
{
    if (beginEmptyElement("Return", n))
        writeAttribute("Amount", n->amount());
}

void TalvioLogExporter::visit(const OverpayNotification* n)
{
    if (beginEmptyElement("Ticket", n))
        writeAttribute("Amount", n->amount());
}

void TalvioLogExporter::visit(const VendingSessionInfo* n)
{
    if (!beginEmptyElement("SessionInfo", n))
        return;
    switch (n->flag()) {
    case VendingSessionInfo::SessionBegin:
        writeAttribute("descriptor", QStringLiteral("begin"));
        break;
    case VendingSessionInfo::Dispensing:
        writeAttribute("descriptor", QStringLiteral("credit"));
        writeAttribute("cash", n->cash());
        writeAttribute("cashless", n->cashless());
        break;
    case VendingSessionInfo::SessionEnd:
        writeAttribute("descriptor", QStringLiteral("end"));
        break;
    }
}

void TalvioLogExporter::visit(const CashInsertedNotification* n)
{
    if (beginEmptyElement("CashIn", n))
        writeAttribute("Amount", n->banknotes() + n->coins());
}

void TalvioLogExporter::visit(const PowerManagementNotification* n)
{
    const int event = n->event();
    if (event == PowerManagementNotification::PowerOn) {
        beginEmptyElement("PowerOn", n);
    } else if (event >= PowerManagementNotification::Restart
               && event <= PowerManagementNotification::EmergencyShutdown) {
        if (beginEmptyElement("PowerOff", n))
            writeAttribute("Description", PowerManagementNotification::readableEvent(n->event()));
    }
}

void TalvioLogExporter::visit(const AlarmActiveNotification* n)
{
    if (beginEmptyElement("AlarmEnable", n))
        writeAttribute("id", n->isActive() ? 1 : 0);
}

void TalvioLogExporter::visit(const AlarmNotification* n)
{
    writeAlarm(n);
}

// The element of StandardRkAlarm::toXml.
void TalvioLogExporter::writeAlarm(const StandardRkAlarm* alarm)
{
    if (!alarm->timestamp().isValid())
        return;
    openChild(alarm->isCleared() ? "AlarmClear" : "Alarm");
    writeAttribute("id", alarm->id());
    writeAttribute("Description", alarm->description());
    writeAttribute("DateTime", format_rk_date(alarm->timestamp()));
}

void TalvioLogExporter::visit(const ProductSoldOutNotification* n)
{
    writeAlarm(n);
}

void TalvioLogExporter::visit(const MotorDispenserErrorNotification* n)
{
    writeAlarm(n);
}

void TalvioLogExporter::visit(const EmptyHopperNotification* n)
{
    writeAlarm(n);
}

void TalvioLogExporter::visit(const InfoNotification* n)
{
    writeTextElement("Info", n, n->message());
}

void TalvioLogExporter::visit(const WarningNotification* n)
{
    writeTextElement("Warning", n, n->message());
}

void TalvioLogExporter::visit(const DebugNotification* n)
{
    writeTextElement("Debug", n, n->message());
}

void TalvioLogExporter::visit(const SupportRequestNotification* n)
{
    beginEmptyElement("SOS", n);
}

bool export_log_talvio_format(QIODevice* device, const QDateTime& timestamp, int serial,
                              const ProductNames& productNames, int days)
{
    TalvioLogExporter exporter(device, productNames);
    exporter.startDocument(timestamp, serial);
    const int visited = apply_visitor_to_log(exporter, QLatin1String(LOG_DB_CONNECTION_NAME), days);
    exporter.endDocument();
    return visited >= 0 && !exporter.hasError();
}

} // namespace VM24
