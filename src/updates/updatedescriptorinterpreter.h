#pragma once

#include <QDir>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <memory>
#include <vector>

class QIODevice;
class UpdateCommand;
class UpdateProcessContext;

// Reads the content descriptor: offers each line to the commands in order;
// the first that takes it keeps what it needs.
class UpdateDescriptorInterpreter
{
public:
    // A longer descriptor is refused whole (nothing is taken from it).
    static constexpr qint64 MAX_DESCRIPTOR_SIZE = 4 * 1024 * 1024;

    UpdateDescriptorInterpreter();
    ~UpdateDescriptorInterpreter();

    // Names the command (its stage title) and appends it.
    void addCommand(const QString& name, std::unique_ptr<UpdateCommand> command);

    // Resets every command, then reads the descriptor. False when the
    // descriptor was refused (too long); lines that no command takes,
    // malformed or holding control characters, are skipped.
    bool parse(QIODevice* device);

    // Every command's downloads, in command order.
    QList<QPair<QUrl, QString>> downloads() const;
    bool hasPendingActions() const;
    // Runs on a worker thread: one stage per command.
    void executeUpdateCommands(QDir& downloadDir, UpdateProcessContext* ctx);

    int commandCount() const { return int(m_commands.size()); }
    UpdateCommand* command(int index) const { return m_commands.at(size_t(index)).get(); }

private:
    void parseLine(QStringView line);

    std::vector<std::unique_ptr<UpdateCommand>> m_commands;
};
