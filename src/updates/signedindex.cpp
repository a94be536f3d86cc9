#include "updates/signedindex.h"

#include "core/vm24.h"
#include "updates/updatefiles.h"

#include <QList>
#include <QRegularExpression>

const char* const SignedIndex::SUFFIX = ".index";

namespace {

bool is_sha256_hex(const QByteArray& text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    return hex.match(QString::fromLatin1(text)).hasMatch();
}

} // namespace

bool SignedIndex::parse(const QByteArray& text)
{
    *this = SignedIndex();
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != "vm24-index 1")
        return false;
    bool haveFor = false;
    for (const QByteArray& raw : lines.mid(1)) {
        const QList<QByteArray> fields = raw.simplified().split(' ');
        const QByteArray key = fields.first();
        if (key.isEmpty() || key.startsWith('#'))
            continue;
        if (key == "published" && fields.size() == 2) {
            m_published = QDateTime::fromString(QString::fromLatin1(fields.at(1)), Qt::ISODate);
        } else if (key == "for" && fields.size() >= 2) {
            haveFor = true;
            for (const QByteArray& serial : fields.mid(1)) {
                if (serial == "all")
                    m_forAll = true;
                else
                    m_serials.append(QString::fromLatin1(serial));
            }
        } else if (key == "file" && fields.size() == 4) {
            const QString name = QString::fromUtf8(fields.at(1));
            bool ok = false;
            const qint64 size = fields.at(2).toLongLong(&ok);
            if (!VM24::is_safe_file_name(name) || !ok || size < 0 || !is_sha256_hex(fields.at(3))
                || m_files.contains(name))
                return false;
            m_files.insert(name, {size, fields.at(3)});
        } else {
            return false;
        }
    }
    return m_published.isValid() && haveFor;
}

bool SignedIndex::isFor(int serial) const
{
    return m_forAll || m_serials.contains(VM24::format_serial(serial));
}
