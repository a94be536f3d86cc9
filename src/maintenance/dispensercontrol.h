#pragma once

#include <QAbstractButton>

class MiniLed;

// One motor dispenser on the peripheral monitor: a tile with its number
// (from 1), blue while its column holds products, ochre when empty, red in
// error, grey when the board has no controller for it (disabled). A small
// green light shows the product sensor.
class DispenserControl : public QAbstractButton
{
    Q_OBJECT
public:
    static const int SIDE = 76;

    DispenserControl(int number, QWidget* parent = nullptr);

    int number() const { return m_number; }
    void setProductAvailable(bool available);
    void setError(bool error);
    bool isProductAvailable() const { return m_available; }
    bool hasError() const { return m_error; }
    QSize sizeHint() const override { return QSize(SIDE, SIDE); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fillColour() const;

    int m_number;
    bool m_available = false;
    bool m_error = false;
    MiniLed* m_led;
};
