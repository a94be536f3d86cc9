#pragma once

#include "ui/taskwatcherdialog.h"
#include "updates/updateprocesscontext.h"

// Shows an update's stages and items. The update calls it from any thread:
// every report becomes a queued signal to the dialog and is shown on the GUI
// thread. At the end it shows the completion text, closes at a touch and
// accepts itself after five seconds.
class UpdateProgressDialog : public TaskWatcherDialog, public UpdateProcessContext
{
    Q_OBJECT

public:
    static constexpr int CLOSE_DELAY_MS = 5000;

    explicit UpdateProgressDialog(QWidget* parent = nullptr);

    // Ready for a new update: the opening texts, not closable, no autoclose.
    void prepare(const QString& message, const QString& footer, int userLevel);

protected:
    void updateProgress(const QString& stage) override;
    void updateEnd() override;
    void onFileProgress(const QString& item, int current, int total) override;

signals:
    void stageReported(const QString& stage);
    void itemReported(const QString& item, int current, int total);
    void endReported(bool restartRequired);

private:
    void showStage(const QString& stage);
    void showItem(const QString& item, int current, int total);
    void showCompletion(bool restartRequired);
};
