#pragma once

#include "logging/notificationservice.h"
#include "maintenance/maintenancemenuentry.h"

#include <QDialog>
#include <QTimer>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;
class ContentUpdateService;
class PackageUpdateService;

// What the operator sees once maintenance mode has authenticated the USB
// key: one button per page (those above the key's level are hidden, those
// without a page disabled), the key's level, the program version, a clock,
// the support request, restart and exit. Pressing an entry stores it and
// accepts the menu; exit rejects it.
class MaintenanceMenu : public QDialog
{
    Q_OBJECT

public:
    MaintenanceMenu(VM24::NotificationService* notifications, QWidget* parent = nullptr);

    void setUserLevel(int level);
    int userLevel() const { return m_userLevel; }
    // Entries without a page stay disabled.
    void setEntryAvailable(int entry, bool available);
    int chosenEntry() const { return m_chosen; }
    // The nightly package check: the software update button and the entry
    // that installs the cached packages follow it while the menu shows.
    void setPackageUpdates(PackageUpdateService* service);
    // The content update check: its button follows it while the menu shows.
    void setContentUpdates(ContentUpdateService* service);

    QAbstractButton* entryButton(int entry) const;
    QLabel* levelLabel() const { return m_levelLabel; }
    QLabel* clockLabel() const { return m_clockLabel; }
    QPushButton* supportButton() const { return m_support; }
    QPushButton* exitButton() const { return m_exit; }
    QPushButton* restartButton() const { return m_restart; }
    QPushButton* softwareUpdateButton() const { return m_softwareUpdate; }
    QPushButton* contentUpdateButton() const { return m_contentUpdate; }

signals:
    void menuClicked(int entry);
    void restartRequested();

public slots:
    void onMenuButtonPressed(int entry);
    void sendSupportRequest();
    void setSoftwareUpdatesState(int state);
    void setInstallablePackageCount(int count);
    void onDownloadProgressChanged(int downloaded, int total);
    void checkSoftwareUpdates();
    void setContentUpdatesState(int state);
    void checkContentUpdates();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createEntries();
    void sendSupportMail();
    void createControls();
    void retranslate();
    void updateEntries();
    void updateClock();
    void createPackageControls(QGridLayout* grid);
    void followPackageUpdates(bool follow);
    void followContentUpdates(bool follow);
    void retranslatePackageControls();

    VM24::NotificationService* m_notifications;
    QButtonGroup* m_entries;
    QLabel* m_titleLabel;
    QLabel* m_levelLabel;
    QLabel* m_versionLabel;
    QLabel* m_clockLabel;
    QPushButton* m_support;
    QPushButton* m_exit;
    QPushButton* m_restart;
    QPushButton* m_softwareUpdate = nullptr;
    PackageUpdateService* m_packages = nullptr;
    QPushButton* m_contentUpdate = nullptr;
    ContentUpdateService* m_contents = nullptr;
    int m_contentState = 0;
    int m_softwareState = 0;
    int m_installablePackages = 0;
    int m_downloaded = 0;
    int m_toDownload = 0;
    QTimer m_clock;
    bool m_available[MaintenanceMenuEntry::COUNT] = {};
    int m_userLevel = 0;
    int m_chosen = -1;
};
