#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the summary receipt of the guided hardware test prints.
struct HardwareTestReport
{
    // One test: its title, its result in words and its own summary lines.
    struct Test
    {
        QString title;
        QString result;
        QStringList details;
    };

    QDateTime time;
    QString serial;
    QString version;
    // One per Devices::Index; empty when the board gave none.
    QStringList deviceVersions;
    QList<Test> tests;
};
