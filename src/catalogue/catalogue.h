#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The header of one loaded catalogue file.
class Catalogue
{
public:
    QString name;
    // Path of the catalogue's index.xml as it was opened.
    QString fileName;
    QDateTime timestamp;
    QStringList dependencies;

    // Ignores an empty name and one already listed.
    void addDependency(const QString& catalogueName);
};
