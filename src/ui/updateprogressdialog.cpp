#include "ui/updateprogressdialog.h"

UpdateProgressDialog::UpdateProgressDialog(QWidget* parent)
    : TaskWatcherDialog(parent)
{
    // Queued even from the GUI thread: a report is shown after the call that made it.
    connect(this, &UpdateProgressDialog::stageReported, this, &UpdateProgressDialog::showStage, Qt::QueuedConnection);
    connect(this, &UpdateProgressDialog::itemReported, this, &UpdateProgressDialog::showItem, Qt::QueuedConnection);
    connect(this, &UpdateProgressDialog::endReported, this, &UpdateProgressDialog::showCompletion,
            Qt::QueuedConnection);
}

void UpdateProgressDialog::prepare(const QString& message, const QString& footer, int userLevel)
{
    setMessage(message);
    setFooter(footer);
    setClosesOnTouch(false);
    setAutoclose(0);
    setUserLevel(userLevel);
    resetProgressCounters();
}

void UpdateProgressDialog::updateProgress(const QString& stage)
{
    emit stageReported(stage);
}

void UpdateProgressDialog::onFileProgress(const QString& item, int current, int total)
{
    emit itemReported(item, current, total);
}

void UpdateProgressDialog::updateEnd()
{
    emit endReported(restartRequired());
}

void UpdateProgressDialog::showStage(const QString& stage)
{
    setFooter(QString());
    setMessage(stage);
}

void UpdateProgressDialog::showItem(const QString& item, int current, int total)
{
    if (total >= 1)
        setFooter(tr("%1 (%2/%3)").arg(item, QString::number(current), QString::number(total)));
    else
        setFooter(item);
}

void UpdateProgressDialog::showCompletion(bool restartRequired)
{
    if (restartRequired) {
        setMessage(tr("Aggiornamento completato - Riavvio necessario"));
        setFooter(tr("La macchina si riavvierà tra 5 secondi"));
    } else {
        setMessage(tr("Aggiornamento completato"));
        setFooter(tr("Toccare questo riquadro per continuare"));
    }
    setClosesOnTouch(true);
    setAutoclose(CLOSE_DELAY_MS);
}
