#include "maintenance/resetdialog.h"

ResetDialog::ResetDialog(QWidget* parent)
    : TaskWatcherDialog(tr("Esecuzione operazioni di ripristino"), QString(), parent)
{
}

void ResetDialog::onResetDone()
{
    setMessage(tr("Attendere il riavvio ed estrarre il dispositivo USB"));
    setFooter(tr("Tocca questo riquadro per riavviare"));
    setClosesOnTouch(true);
    setAutoclose(CLOSE_AFTER_MS);
}
