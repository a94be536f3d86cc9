#include "ui/updateprogressdialog.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

enum ProgressEventType {
    StageEvent = QEvent::User + 10,
    ItemEvent = QEvent::User + 11,
    EndEvent = QEvent::User + 12,
};

class ProgressEvent : public QEvent
{
public:
    ProgressEvent(ProgressEventType type, const QString& text, int current = 0, int total = 0,
                  bool restart = false)
        : QEvent(QEvent::Type(type)), text(text), current(current), total(total), restart(restart)
    {
    }

    const QString text;
    const int current;
    const int total;
    const bool restart;
};

} // namespace

UpdateProgressDialog::UpdateProgressDialog(QWidget* parent)
    : TaskWatcherDialog(parent)
{
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
    QCoreApplication::postEvent(this, new ProgressEvent(StageEvent, stage));
}

void UpdateProgressDialog::onFileProgress(const QString& item, int current, int total)
{
    QCoreApplication::postEvent(this, new ProgressEvent(ItemEvent, item, current, total));
}

void UpdateProgressDialog::updateEnd()
{
    QCoreApplication::postEvent(this, new ProgressEvent(EndEvent, QString(), 0, 0, restartRequired()));
}

void UpdateProgressDialog::customEvent(QEvent* event)
{
    const int type = int(event->type());
    if (type != StageEvent && type != ItemEvent && type != EndEvent) {
        TaskWatcherDialog::customEvent(event);
        return;
    }
    const auto* progress = static_cast<const ProgressEvent*>(event);
    if (type == StageEvent)
        showStage(progress->text);
    else if (type == ItemEvent)
        showItem(progress->text, progress->current, progress->total);
    else
        showCompletion(progress->restart);
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
