#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A command-line tool a test's set-up runs to its end: no shell, standard
// input closed, both outputs kept apart.
struct ToolRun
{
    int exitCode = -1; // -1: did not start, crashed or did not end in time
    QByteArray output;
    QByteArray errors;

    bool succeeded() const { return exitCode == 0; }
    // "program arguments…: errors", for a test's failure message.
    QString failure(const QString& program, const QStringList& arguments) const;
};

ToolRun run_tool(const QString& program, const QStringList& arguments, const QString& workDir = QString(),
                 int timeoutMs = 60000);

// A fresh Ed25519 key pair made by openssl, as the owner makes one.
bool make_ed25519_key_pair(const QString& privatePath, const QString& publicPath, QString* error = nullptr);
