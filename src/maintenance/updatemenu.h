#pragma once

#include "ui/menuactivity.h"
#include "updates/resourcehandler.h"

#include <map>
#include <memory>

class AssetsRegistry;
class PowerControl;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class SettingsManager;
class UpdateAuthenticator;
class UpdateProgressDialog;
class UsbMonitor;

// Updates from the USB stick's program folder: the operator ticks the kinds
// of resource found there and the chosen handlers install them under a
// progress dialog. Shown as a modal box over the screen.
class UpdateMenu : public MenuActivity
{
    Q_OBJECT

public:
    enum UpdateItem { Settings = 0, Products = 1, Software = 2, HomePage = 3, Customizations = 4, Branding = 5 };
    static const int ITEM_COUNT = 6;

    UpdateMenu(UsbMonitor* usb, PowerControl* powerControl, AssetsRegistry* registry,
               SettingsManager* settingsManager, Context* context, QWidget* parent,
               UpdateAuthenticator* authenticator = nullptr);
    ~UpdateMenu() override;

    // The handler of an item; an item without one is never selectable.
    void setHandler(UpdateItem item, std::unique_ptr<ResourceHandler> handler);

    QCheckBox* checkBox(UpdateItem item) const;
    QPushButton* allButton() const { return m_all; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    UpdateProgressDialog* progressDialog() const { return m_dialog; }

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

public slots:
    void startUpdate();
    void done();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();
    bool isShown(int item) const;
    void enableItemsFound();
    void updateOkButton();
    void checkAll();

    UsbMonitor* m_usb;
    PowerControl* m_powerControl;
    UpdateProgressDialog* m_dialog;
    QLabel* m_title;
    QLabel* m_footer;
    QButtonGroup* m_items;
    QPushButton* m_all;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::map<int, std::unique_ptr<ResourceHandler>> m_handlers;
};
