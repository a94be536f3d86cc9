#pragma once

#include "ui/messagedialog.h"

#include <QTimer>

// A modal box that tells a person what is going on while work runs
// elsewhere. It can close itself after a time and, when asked to, at the
// first touch.
class TaskWatcherDialog : public MessageDialog
{
    Q_OBJECT

public:
    explicit TaskWatcherDialog(QWidget* parent = nullptr);
    TaskWatcherDialog(const QString& message, const QString& footer, QWidget* parent = nullptr);

    void setMessage(const QString& message) { setText(message); }
    void setFooter(const QString& footer) { setSubtitle(footer); }

    void setClosesOnTouch(bool closesOnTouch) { m_closesOnTouch = closesOnTouch; }
    bool closesOnTouch() const { return m_closesOnTouch; }

    // Accepts the dialog ms milliseconds after it is shown (at once counting
    // when it is already showing). Zero or less turns the timer off. The
    // timer stops whenever the dialog closes.
    void setAutoclose(int ms);
    int autoclose() const { return m_autocloseMs; }
    bool isAutocloseRunning() const { return m_autocloseTimer.isActive(); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void startAutoclose();

    QTimer m_autocloseTimer;
    int m_autocloseMs = 0;
    bool m_closesOnTouch = false;
};
