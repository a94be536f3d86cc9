#pragma once

#include <QAbstractButton>
#include <QPixmap>

// One selection on the arrangement screen: the product's thumbnail and cash
// price on a base whose colour tells the state of the selection's motor
// (blue working, ochre empty column, red in error), with the motor's number
// in the top-left corner. Touching the number emits topButtonClicked(),
// touching anywhere else clicked().
class ProductMenuButton : public QAbstractButton
{
    Q_OBJECT

public:
    static const QSize BUTTON_SIZE;
    // The corner that carries the motor number, large enough for a finger.
    static const QRect MOTOR_AREA;

    explicit ProductMenuButton(QWidget* parent = nullptr);

    int motor() const { return m_motor; }
    void setMotor(int motor);
    QPixmap image() const { return m_image; }
    void setImage(const QPixmap& image);
    int price() const { return m_price; }
    void setPrice(int cents);
    bool isEmpty() const { return m_empty; }
    void setEmpty(bool empty);
    bool isError() const { return m_error; }
    void setError(bool error);

    QSize sizeHint() const override { return BUTTON_SIZE; }

signals:
    void topButtonClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintPrice(QPainter& painter);
    void paintMotor(QPainter& painter);

    QPixmap m_priceFrame;
    QPixmap m_image;
    int m_motor = 0;
    int m_price = 0;
    bool m_empty = false;
    bool m_error = false;
    bool m_motorPressed = false;
};
