#pragma once

#include "settings/iconfigurable.h"
#include "tasks/dailyjob.h"

#include <QString>

// Once a day (at "Schedule/ftp-transfer"): moves the day's reports from the
// drafts directory to the outgoing one, so that they are uploaded together.
// Only readable regular files directly in the source move, never a file
// still being written under its temporary name; a file that cannot be moved
// stays for the next day.
class PrepareFtpFilesTask : public DailyJob, public IConfigurable
{
public:
    PrepareFtpFilesTask(const QString& source, const QString& target);

    void loadConfiguration(const Settings& settings) override;
    void run() override;

private:
    QString m_source;
    QString m_target;
};
