#pragma once

#include <QWidget>

// A yes/no light of the peripheral monitor: green when on, red when off,
// grey while the state is not known.
class OnOffLed : public QWidget
{
    Q_OBJECT
public:
    static const int DIAMETER = 36;

    explicit OnOffLed(QWidget* parent = nullptr);

    void setOn(bool on);
    bool isOn() const { return m_on; }
    bool isKnown() const { return m_known; }
    QSize sizeHint() const override { return QSize(DIAMETER, DIAMETER); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = false;
    bool m_known = false;
};
