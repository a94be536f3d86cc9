#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

// The whole screen while the state directory (settings, ledgers, event log)
// cannot be written: no sale could be booked, so none is offered. Looks at
// the directory again every retry interval and emits writable() once it
// takes files.
class StorageFaultScreen : public QWidget
{
    Q_OBJECT

public:
    static const int RETRY_INTERVAL_MS = 10000;
    static const int CARD_WIDTH = 880;

    explicit StorageFaultScreen(QWidget* parent = nullptr);

    // The notice in the current language.
    static QString message();
    QString shownMessage() const;
    QLabel* messageLabel() const { return m_message; }
    void setRetryInterval(int ms) { m_retry.setInterval(ms); }

signals:
    void writable();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showMessage();
    void lookAgain();

    QLabel* m_message;
    QTimer m_retry;
};
