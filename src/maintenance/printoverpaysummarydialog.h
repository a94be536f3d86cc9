#pragma once

#include "ui/menuactivity.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class Rk710Controller;

// "Stampa scontrini per resto non erogato": prints the credit notes of the
// last days (one to any number, preset or stepped with plus and minus) on
// one receipt. Shown as a box over the screen.
class PrintOverpaySummaryDialog : public MenuActivity
{
    Q_OBJECT

public:
    explicit PrintOverpaySummaryDialog(Rk710Controller* controller, Context* context, QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

    void setCustomDuration(int days);
    int duration() const { return m_days; }
    QLabel* durationLabel() const { return m_duration; }
    QPushButton* decreaseButton() const { return m_decrease; }
    QPushButton* increaseButton() const { return m_increase; }
    QPushButton* presetButton(int days) const;
    QPushButton* printButton() const { return m_print; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void onIntervalButtonClicked(int days);
    void onIncreaseClicked();
    void onDecreaseClicked();
    // Prints the receipt of the chosen days, then closes.
    void onCustomIntervalClicked();
    // Closes the box and ends the activity.
    void done(int result);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();

    Rk710Controller* m_controller;
    int m_days = 1;
    QLabel* m_title;
    QLabel* m_text;
    QButtonGroup* m_presets;
    QPushButton* m_decrease;
    QPushButton* m_increase;
    QLabel* m_duration;
    QPushButton* m_print;
    QPushButton* m_cancel;
};
