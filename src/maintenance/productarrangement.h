#pragma once

#include "ui/menuactivity.h"
#include "vending/motordispensermonitor.h"

#include <QList>
#include <QVector>

class ProductMenuButton;
class ProductProvider;
class QLabel;
class QPushButton;

// "Impostazione selezioni": which product each of the 18 selections offers,
// laid out like the customer's grid, each selection coloured by the state of
// its motor. Products are chosen on a working copy that reaches customers
// only with "Salva modifiche"; the motor number of a selection opens a pad
// that moves the selection to another motor, stored with the same save.
class ProductArrangement : public MenuActivity
{
    Q_OBJECT

public:
    static const QSize BUTTON_SIZE;

    ProductArrangement(ProductProvider* provider, MotorDispenserMonitor* motors, Context* context,
                       QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

    // Where selection s stands: like the customer's grid, selections 0 and 1
    // at the ends of the first row, the others in rows 1 to 4.
    static QPoint buttonPosition(int selection);

    bool isModified() const { return m_modified; }
    const QVector<QString>& workingArrangement() const { return m_arrangement; }
    ProductMenuButton* button(int selection) const { return m_buttons.at(selection); }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* exitButton() const { return m_exit; }
    QString reservedLegendText() const;

public slots:
    void onProductSelected(int selection);
    void onMotorMapButtonClicked(int selection);
    void saveSettings();
    void onExitClicked();
    void onMotorStateChanged(int motor, MotorDispenserMonitor::MotorState state);
    void onMotorMappingChanged();
    void setModified(bool modified);

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* createLegend();
    void retranslate();
    void showProduct(int selection);
    void showMotor(int selection);
    void placeProduct(int selection, bool reserved, const QString& productId);
    QVector<int> currentMapping() const;
    void restoreMapping();

    ProductProvider* m_provider;
    MotorDispenserMonitor* m_motors;
    QVector<QString> m_arrangement;
    // The motor map as last stored, to go back to when leaving without saving.
    QVector<int> m_storedMapping;
    QList<ProductMenuButton*> m_buttons;
    QList<QMetaObject::Connection> m_monitorConnections;
    QList<QPair<QLabel*, const char*>> m_legendTexts;
    QLabel* m_title;
    QLabel* m_legendTitle;
    QLabel* m_reservedText;
    QPushButton* m_exit;
    QPushButton* m_save;
    bool m_modified = false;
};
