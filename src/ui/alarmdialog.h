#pragma once

#include "core/alarm.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;

// The out-of-service notice the home page shows while alarms are active: a
// title and up to four alarm texts, one per line. The dialog is as tall as
// its title block plus one line per text shown.
class AlarmDialog : public QDialog
{
    Q_OBJECT
public:
    static const int LABEL_COUNT = 4;
    static const int BASE_HEIGHT = 272;
    static const int DIALOG_WIDTH = 880;

    explicit AlarmDialog(QWidget* parent = nullptr);

    QString title() const;
    // The alarm texts shown, in order.
    QStringList shownTexts() const;

public slots:
    void setAlarms(VM24::Alarms alarms);
    // Shows the first four strings; the labels beyond the list are hidden.
    void setAlarmStrings(const QStringList& strings);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showStrings(const QStringList& strings);

    QLabel* m_title;
    QList<QLabel*> m_labels;
    VM24::Alarms m_alarms;
    bool m_showsAlarms = false;
};
