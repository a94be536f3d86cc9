#pragma once

#include <QDialog>

class QLabel;

// A frameless modal box without buttons: a large centred text above a
// smaller subtitle. The code that opened it closes it.
class MessageDialog : public QDialog
{
    Q_OBJECT

public:
    MessageDialog(const QString& text, const QString& subtitle, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QString subtitle() const;
    void setSubtitle(const QString& subtitle);

    // Switches the box to the look of an error message.
    void setErrorStyle(bool error);
    bool hasErrorStyle() const { return m_error; }

protected:
    // Where subclasses put their own widgets, below the subtitle.
    void addBottomWidget(QWidget* widget);

private:
    void applyStyleClass();

    QLabel* m_text;
    QLabel* m_subtitle;
    bool m_error = false;
};
