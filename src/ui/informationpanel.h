#pragma once

#include <QPixmap>
#include <QWidget>

class ClickableArea;
class FlashingLabel;
class QLabel;

// The customer's panel on the product grid, the details page and the
// suggestions page: credit, remaining time, how much change the machine can
// pay, whether a receipt can be printed, and "CHIUDI OPERAZIONE".
class InformationPanel : public QWidget
{
    Q_OBJECT

public:
    static const QSize PANEL_SIZE;
    static const QPoint PANEL_POSITION;
    static const int FLASHING_BELOW_SECONDS = 10;

    explicit InformationPanel(QWidget* parent = nullptr);

    QString creditText() const;
    QString countdownText() const;
    QString changeText() const;
    bool isCountdownFlashing() const;
    bool isChangeFlashing() const;
    bool isTicketWarningShown() const;
    FlashingLabel* countdownLabel() const { return m_countdown; }
    FlashingLabel* changeLabel() const { return m_change; }
    ClickableArea* endSessionArea() const { return m_endSession; }

public slots:
    void setCredit(int cents);
    void setCountdownValue(int seconds);
    void setTicketAvailable(bool available);
    // The change state, as the change observer reports it.
    void setMaxChange(int cents);
    void setChangeAvailable(bool available);
    void updateChangeLabelText();
    void updateChangeLabelStatus();

signals:
    void endSessionTriggered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLabel* addLabel(const QString& styleClass, const QRect& zone, Qt::Alignment alignment);
    FlashingLabel* addFlashingLabel(const QString& styleClass, const QRect& zone, Qt::Alignment alignment);
    void retranslate();

    QPixmap m_background;
    QLabel* m_heading;
    QLabel* m_creditCaption;
    QLabel* m_credit;
    QLabel* m_countdownCaption;
    FlashingLabel* m_countdown;
    FlashingLabel* m_change;
    QLabel* m_ticket;
    QLabel* m_endSessionText;
    ClickableArea* m_endSession;
    int m_maxChange = 0;
    bool m_changeAvailable = false;
    bool m_ticketAvailable = true;
};
