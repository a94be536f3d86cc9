#pragma once

#include "accounting/evadtscollector.h"
#include "accounting/ledger.h"
#include "logging/talviologexporter.h"

#include <QDateTime>
#include <QDir>
#include <QList>
#include <QStringList>

class Rk710Controller;
class UpdateProcessContext;

// Copies the chosen items onto the stick, into a new folder
// "export_<yyyy-MM-dd_hh-mm-ss>" of the stick's application folder, on a
// worker thread, reporting its stages to the progress context. Everything
// it needs from the GUI's objects is copied when it is made.
//
// A copy, an archive or a file that fails (a full stick, a stick pulled
// out, a missing source) does not stop the export, but it is not passed
// over in silence either: its name is in the result, and a folder that is
// not complete holds a file "INCOMPLETE" naming what is missing.
class ExportTask
{
public:
    static const char* const INCOMPLETE_FILE;

    struct Sources
    {
        QString settingsFile;
        QString catalogueRoot;
        QString mediaDir;
        QString eventsPictureDir;
        QString bannerPictureDir;
        QString userDir;
        VM24::ProductNames productNames;
        Ledger ledger;
        Rk710Controller* controller = nullptr;
        int serial = 0;
        VM24::EvaDtsSelections selections;
    };

    struct Result
    {
        // Empty when no folder could be made.
        QString folder;
        // What could not be written, by name; empty after a complete export.
        QStringList failures;
    };

    // root: the stick's folder, an absolute path; with a relative one
    // (no stick) nothing is written.
    ExportTask(const QDir& root, const Sources& sources, const QList<int>& items, int userLevel, int logDays,
               UpdateProcessContext* context);
    Result run();

private:
    void exportItem(int item, const QDir& folder);
    void copyInto(const QString& source, const QDir& folder, const QString& name);
    void archiveInto(const QString& zip, const QString& dir, const QString& name);
    void writeEventLog(const QDir& folder);
    void writeAccountingReport(const QDir& folder);
    void writeAuditFile(const QDir& folder);
    void markIncomplete(const QDir& folder);

    QDir m_root;
    Sources m_sources;
    QList<int> m_items;
    int m_userLevel;
    int m_logDays;
    UpdateProcessContext* m_context;
    QDateTime m_now;
    QStringList m_failures;
};

namespace VM24 {

// Stores every file of dir and of its sub-directories, without their paths
// and uncompressed, at the top of the archive zip (zip adds ".zip" to a name
// without an extension). True when zip succeeded.
bool compress_directory_junk_path(const QString& zip, const QString& dir);

} // namespace VM24
