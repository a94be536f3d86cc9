#pragma once

#include <QPixmap>
#include <QWidget>

// One product on the price screen: its thumbnail, the cash price and, when
// the machine has a cashless reader, the cashless price below it. Each price
// is a touch area of its own; a help icon may open the description.
class ProductButtonPrices : public QWidget
{
    Q_OBJECT

public:
    enum Selection {
        NotSelected = 0,
        HighPriceSelected = 1,
        LowPriceSelected = 2,
        WholeSelected = 3,
    };

    static const QSize BUTTON_SIZE;
    static const QRect HELP_AREA;

    explicit ProductButtonPrices(QWidget* parent = nullptr);

    void setImage(const QPixmap& image);
    void setHighPrice(int cents);
    void setLowPrice(int cents);
    // An empty place of the sold list: the base of an empty column, no prices.
    void setEmptyProduct(bool empty);
    void select(Selection selection);
    void unselect() { select(NotSelected); }
    void setLowPriceVisible(bool visible);
    void setChecked(bool checked);
    void setHelpVisible(bool visible);

    int highPrice() const { return m_highPrice; }
    int lowPrice() const { return m_lowPrice; }
    Selection selection() const { return m_selection; }
    bool isChecked() const { return m_checked; }
    bool isLowPriceVisible() const { return m_lowPriceVisible; }
    bool isHelpVisible() const { return m_helpVisible; }
    // Where the prices are touched, in the widget's coordinates.
    QRect highPriceArea() const;
    QRect lowPriceArea() const;

    QSize sizeHint() const override { return BUTTON_SIZE; }

public slots:
    void onHighPriceClicked();
    void onLowPriceClicked();

signals:
    void highPriceClicked();
    void lowPriceClicked();
    void helpClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum Area { NoArea, HighArea, LowArea, HelpArea };

    Area areaAt(const QPoint& point) const;
    QRect thumbnailRect() const;
    QRect priceFrame(bool low) const;
    void paintPrice(QPainter& painter, const QRect& frame, int cents, const QPixmap& icon);

    QPixmap m_image;
    QPixmap m_priceFrame;
    QPixmap m_cashIcon;
    QPixmap m_cardIcon;
    QPixmap m_help;
    QPixmap m_checkedIcon;
    int m_highPrice = 0;
    int m_lowPrice = 0;
    Selection m_selection = NotSelected;
    Area m_pressed = NoArea;
    bool m_empty = false;
    bool m_checked = false;
    bool m_lowPriceVisible = true;
    bool m_helpVisible = false;
};
