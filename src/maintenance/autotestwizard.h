#pragma once

#include <QObject>

class InteractiveAutotestDialog;
class PeripheralMonitorModel;
class QRect;
class QWidget;

// The guided hardware test of the peripheral monitor: its pages, fed with
// what the board reports while the operator works on the monitor above, and
// the summary receipt at its end. The panel lies over a part of the page
// that is not to be used meanwhile; finished() says it has gone.
class AutotestWizard : public QObject
{
    Q_OBJECT
public:
    AutotestWizard(PeripheralMonitorModel* model, QWidget* page);

    // Every test incomplete, the first page shown over area.
    void start(const QRect& area);
    void hide();
    InteractiveAutotestDialog* dialog() const { return m_dialog; }

signals:
    void finished();

private:
    void addPages();
    void printSummary();

    PeripheralMonitorModel* m_model;
    QWidget* m_page;
    InteractiveAutotestDialog* m_dialog;
};
