#pragma once

#include <QColor>
#include <QLabel>
#include <QTimer>

// A label that can flash: while flashing, its text colour alternates every
// 500 ms between its own colour and the flash colour (white unless set).
// The timer runs only while the label is visible.
class FlashingLabel : public QLabel
{
    Q_OBJECT

public:
    static const int FLASH_INTERVAL_MS = 500;

    explicit FlashingLabel(QWidget* parent = nullptr);

    void setFlashColor(const QColor& color) { m_flashColor = color; }
    QColor flashColor() const { return m_flashColor; }
    bool isFlashing() const { return m_flashing; }
    bool isTimerRunning() const { return m_timer.isActive(); }
    // The colour the text shows now.
    QColor currentTextColor() const;

public slots:
    void startFlashing();
    void stopBlinking();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void toggle();
    void rememberOwnColor();
    void applyColor(const QColor& color);

    QTimer m_timer;
    QColor m_ownColor;
    QColor m_flashColor = Qt::white;
    bool m_flashing = false;
    bool m_flashPhase = false;
};
