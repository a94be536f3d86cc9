#pragma once

#include <QAbstractButton>
#include <QImage>

// A product offered after a purchase: its large picture on a card with the
// price below.
class SuggestionButton : public QAbstractButton
{
    Q_OBJECT

public:
    static const QSize BUTTON_SIZE;

    explicit SuggestionButton(QWidget* parent = nullptr);

    QImage image() const { return m_image; }
    void setImage(const QImage& image);
    int price() const { return m_price; }
    void setPrice(int cents);

    QSize sizeHint() const override { return BUTTON_SIZE; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    int m_price = 0;
};
