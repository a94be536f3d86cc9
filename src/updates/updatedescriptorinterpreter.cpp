#include "updates/updatedescriptorinterpreter.h"

#include "updates/updatecommand.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QIODevice>

namespace {

// C0 (but tab) and C1 controls, and DEL.
bool has_control_characters(QStringView line)
{
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || (u >= 0x7f && u < 0xa0))
            return true;
    }
    return false;
}

QStringList split_fields(QStringView line)
{
    QStringList fields;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        const bool space = i == line.size() || line.at(i).isSpace();
        if (space && start >= 0) {
            fields.append(line.mid(start, i - start).toString());
            start = -1;
        } else if (!space && start < 0) {
            start = i;
        }
    }
    return fields;
}

} // namespace

UpdateDescriptorInterpreter::UpdateDescriptorInterpreter() = default;

UpdateDescriptorInterpreter::~UpdateDescriptorInterpreter() = default;

void UpdateDescriptorInterpreter::addCommand(const QString& name, std::unique_ptr<UpdateCommand> command)
{
    command->setName(name);
    m_commands.push_back(std::move(command));
}

bool UpdateDescriptorInterpreter::parse(QIODevice* device)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (const auto& command : m_commands) {
        command->reset();
        command->beginParse(now);
    }
    const QByteArray text = device->read(MAX_DESCRIPTOR_SIZE + 1);
    if (text.size() > MAX_DESCRIPTOR_SIZE) {
        qCWarning(updatesLog) << "Content descriptor refused: longer than" << MAX_DESCRIPTOR_SIZE << "bytes";
        return false;
    }
    const QString decoded = QString::fromUtf8(text);
    for (const QStringView line : QStringView(decoded).split(QLatin1Char('\n')))
        parseLine(line.trimmed());
    return true;
}

void UpdateDescriptorInterpreter::parseLine(QStringView line)
{
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || has_control_characters(line))
        return;
    const QStringList fields = split_fields(line);
    for (const auto& command : m_commands) {
        if (command->parse(fields))
            return;
    }
}

QList<QPair<QUrl, QString>> UpdateDescriptorInterpreter::downloads() const
{
    QList<QPair<QUrl, QString>> downloads;
    for (const auto& command : m_commands)
        downloads += command->downloads();
    return downloads;
}

bool UpdateDescriptorInterpreter::hasPendingActions() const
{
    for (const auto& command : m_commands) {
        if (command->hasPendingActions())
            return true;
    }
    return false;
}

void UpdateDescriptorInterpreter::executeUpdateCommands(QDir& downloadDir, UpdateProcessContext* ctx)
{
    ctx->beginUpdate();
    for (const auto& command : m_commands) {
        ctx->beginStage(command->name());
        command->execute(downloadDir, ctx);
    }
    ctx->finishUpdate();
}
