#pragma once

#include <QGroupBox>
#include <QList>
#include <QPair>

class QAbstractButton;
class QLabel;
class QLayout;
class QPushButton;

// A framed group of the peripheral monitor, one of its two columns wide. Its
// title and texts are the page's (translated in the page's context) and
// follow the language.
class MonitorGroup : public QGroupBox
{
    Q_OBJECT
public:
    static const int COLUMN_SPACING = 16;
    static const int WIDTH = (1080 - 2 * 16 - COLUMN_SPACING) / 2;

    // The page's text for source.
    static QString translated(const char* source);

protected:
    MonitorGroup(const char* title, QWidget* parent);

    QLabel* addTextLabel(const char* text);
    // A value on the right of its row, "-" until known.
    QLabel* addValueLabel();
    QPushButton* addButton(const QString& styleClass, const char* text);
    // The group's frame gives the room around its contents.
    static void tighten(QLayout* layout);
    // Sets the title and every text in the current language.
    void retranslate();
    void changeEvent(QEvent* event) override;

private:
    const char* m_title;
    QList<QPair<QWidget*, const char*>> m_texts;
};
