#pragma once

#include "ui/menuactivity.h"

class AccountingService;
class AssetsRegistry;
class PowerControl;
class QAbstractButton;
class ProductProvider;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class Rk710Controller;
class UpdateProgressDialog;
class UsbMonitor;

// Copies the machine's data onto the operator's stick: the operator ticks
// the items (home-page media and branding from level 2), chooses how many
// days of event log, and the export runs on a worker while a progress box
// shows its stages. An export that could not write everything says so in
// its completion text, naming what is missing. Shown as a box over the
// screen; power actions wait while it is open.
class UsbExportMenu : public MenuActivity
{
    Q_OBJECT

public:
    static const int DEFAULT_LOG_DAYS = 14;

    UsbExportMenu(UsbMonitor* usb, AccountingService* accounting, ProductProvider* products, AssetsRegistry* assets,
                  PowerControl* power, Rk710Controller* controller, Context* context, QWidget* parent);

    void onStart() override;
    void onStop() override;

    void setLogInterval(int days);
    int logInterval() const { return m_logDays; }
    void setLogIntervalControlsVisible(bool visible);

    QAbstractButton* itemBox(int item) const;
    QPushButton* okButton() const { return m_ok; }
    QPushButton* allButton() const { return m_all; }
    QPushButton* minusButton() const { return m_minus; }
    QPushButton* plusButton() const { return m_plus; }
    QLabel* daysLabel() const { return m_days; }
    UpdateProgressDialog* progressDialog() const { return m_progress; }

public slots:
    void onItemClicked();
    void onAllButtonClicked();
    void startExport();
    void onDaysMinusClicked();
    void onDaysPlusClicked();
    // Hides the box and ends the activity: the maintenance menu comes back.
    void done();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();
    bool isAllowed(int item) const;
    QList<int> checkedItems() const;
    QList<int> allowedCheckedItems() const;
    void onExportFinished(const QStringList& failures);

    UsbMonitor* m_usb;
    AccountingService* m_accounting;
    ProductProvider* m_products;
    AssetsRegistry* m_assets;
    PowerControl* m_power;
    Rk710Controller* m_controller;
    QLabel* m_heading;
    QButtonGroup* m_items;
    QPushButton* m_minus;
    QLabel* m_days;
    QPushButton* m_plus;
    QLabel* m_daysCaption;
    QWidget* m_daysRow;
    QPushButton* m_all;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QLabel* m_footer;
    UpdateProgressDialog* m_progress;
    int m_logDays = DEFAULT_LOG_DAYS;
};
