#pragma once

#include <QAbstractButton>
#include <QPixmap>

// One selection of the product grid: the product's thumbnail on the button
// base, its price in the price frame and, when the policy says so, the
// selection number. A disabled button is drawn at half opacity.
class ProductButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum IndexVisibilityPolicy {
        IndexNever = 0,
        IndexAlways = 1,
        IndexWhenDisabled = 2,
    };

    static const QSize BUTTON_SIZE;
    // The price frame of a selection button and its price in the widget's
    // font and text colour; nothing for an empty selection (price 0).
    static void paintPriceFrame(QPainter& painter, const QWidget& button, const QPixmap& frame, int price);

    explicit ProductButton(QWidget* parent = nullptr);

    QPixmap image() const { return m_image; }
    void setImage(const QPixmap& image);
    int price() const { return m_price; }
    void setPrice(int cents);
    int index() const { return m_index; }
    void setIndex(int selection);
    IndexVisibilityPolicy indexVisibilityPolicy() const { return m_policy; }
    void setIndexVisibilityPolicy(IndexVisibilityPolicy policy);
    bool isIndexShown() const;

    QSize sizeHint() const override { return BUTTON_SIZE; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintPrice(QPainter& painter);
    void paintIndex(QPainter& painter);

    QPixmap m_base;
    QPixmap m_priceFrame;
    QPixmap m_image;
    int m_price = 0;
    int m_index = 0;
    IndexVisibilityPolicy m_policy = IndexNever;
};
