#pragma once

#include "security/keyprogramming.h"
#include "ui/menuactivity.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class UsbMonitor;

// Programs further USB security keys on blank sticks: an operator with a
// key of level 2 or more can make keys of levels 1 and 2 and, with the
// master key on a key of level 3 or more, of level 3. Shown as a modal box
// over the screen, not as a page.
class SecurityDialog : public MenuActivity
{
    Q_OBJECT

public:
    SecurityDialog(UsbMonitor* usb, Context* context, QWidget* parent);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

    QAbstractButton* levelButton(int level) const;
    QLabel* informationLabel() const { return m_information; }

public slots:
    void onProgramKeyClicked(int level);
    // Makes sure no stick is left in, then ends the activity.
    void done();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();
    void loadKeys();
    void updateButtons();
    void programKey(int level);

    UsbMonitor* m_usb;
    QLabel* m_title;
    QLabel* m_information;
    QButtonGroup* m_levels;
    QPushButton* m_exit;
    VM24::PrivateKeys m_keys;
};
