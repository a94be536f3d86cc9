#pragma once

#include "ui/activity.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

class ClickableImageLabel;

// Base of the small display pages opened from the home page and the product
// grid: a content area over the whole width above a "TORNA INDIETRO" button.
// A page goes back by itself 7 seconds after it appeared unless its timer is
// restarted.
class SimpleDisplayActivity : public QWidget, public Activity
{
    Q_OBJECT

public:
    static const int TIMEOUT_MS = 7000;
    static const QPoint EXIT_BUTTON_LOCATION;

    explicit SimpleDisplayActivity(Context* context, QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onPause() override;

    // The area above the back button, where subclasses put their content.
    QWidget* contentWidget() const { return m_content; }
    ClickableImageLabel* backButton() const { return m_backButton; }
    bool isTimerRunning() const { return m_timer.isActive(); }
    int remainingTime() const { return m_timer.remainingTime(); }
    // How long the page stays up by itself; TIMEOUT_MS unless changed.
    void setTimeout(int ms) { m_timer.setInterval(ms); }

public slots:
    void goBack();
    void pauseTimer();
    // Starts the timer again from its full time.
    void restoreTimer();

protected:
    // Starts the timer and shows the page; run on start and on resume.
    void initActivity();
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QWidget* m_content;
    ClickableImageLabel* m_backButton;
    QTimer m_timer;
    QMetaObject::Connection m_timeoutConnection;
};
