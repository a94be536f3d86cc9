#include "simulatorlinklog.h"

#include <QFile>

namespace {

// "<ms> <direction> [<hex bytes>] [# <note>]"
struct LogLine
{
    QByteArray direction;
    QByteArray bytes;
    QByteArray note;
};

LogLine parse(const QByteArray& text)
{
    LogLine line;
    const int hash = text.indexOf(" # ");
    line.note = hash < 0 ? QByteArray() : text.mid(hash + 3).trimmed();
    const QList<QByteArray> fields = (hash < 0 ? text : text.left(hash)).simplified().split(' ');
    if (fields.size() >= 2)
        line.direction = fields.at(1);
    for (int i = 2; i < fields.size(); ++i)
        line.bytes.append(char(fields.at(i).toInt(nullptr, 16)));
    return line;
}

// ACK, identifier, length (2 bytes), data, checksum.
QByteArray answer_data(const QByteArray& bytes)
{
    const int start = bytes.indexOf(char(0x06));
    if (start < 0 || bytes.size() < start + 5)
        return QByteArray();
    return bytes.mid(start + 4, bytes.size() - start - 5);
}

} // namespace

QList<LoggedFrame> read_simulator_link_log(const QString& requestLogPath, qint64 from)
{
    QList<LoggedFrame> frames;
    QFile log(requestLogPath);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(from))
        return frames;
    while (!log.atEnd()) {
        const LogLine line = parse(log.readLine());
        if (line.direction == "rx") {
            // A request frame: "#", identifier, length, data (from the command letter), checksum.
            if (line.bytes.size() < 6 || line.bytes.at(0) != '#' || line.note == "bad checksum"
                || line.note.startsWith("incomplete") || line.note.startsWith("length"))
                continue;
            const int length = (quint8(line.bytes.at(2)) << 8) | quint8(line.bytes.at(3));
            if (line.bytes.size() != length + 5)
                continue;
            LoggedFrame frame;
            frame.code = line.bytes.at(4);
            frame.request = line.bytes.mid(4, length);
            frame.fate = line.note == "silent" ? LoggedFrame::Ignored : LoggedFrame::Answered;
            frames.append(frame);
        } else if (!frames.isEmpty() && line.direction == "--" && line.note == "answer dropped") {
            frames.last().fate = LoggedFrame::Dropped;
            frames.last().answer = answer_data(line.bytes);
        } else if (!frames.isEmpty() && line.direction == "tx") {
            if (line.bytes.size() == 1 && line.bytes.at(0) == char(0x15))
                frames.last().fate = LoggedFrame::Refused;
            else
                frames.last().answer = answer_data(line.bytes);
        }
    }
    return frames;
}

QList<QByteArray> request_data(const QList<LoggedFrame>& frames)
{
    QList<QByteArray> requests;
    requests.reserve(frames.size());
    for (const LoggedFrame& frame : frames)
        requests.append(frame.request);
    return requests;
}

QByteArray codes_with_fate(const QList<LoggedFrame>& frames, int from, LoggedFrame::Fate fate)
{
    QByteArray codes;
    for (int i = qMax(0, from); i < frames.size(); ++i) {
        if (frames.at(i).fate == fate)
            codes.append(frames.at(i).code);
    }
    return codes;
}
