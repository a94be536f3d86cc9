#include "maintenance/stickwait.h"

#include "security/usbmonitor.h"
#include "ui/longrunningoperation.h"
#include "ui/taskwatcherdialog.h"

#include <QCoreApplication>

namespace VM24 {

bool wait_for_stick(UsbMonitor* usb, bool present, const QString& message, const QString& footer, QWidget* parent,
                    bool closesOnTouch)
{
    if (usb->isUsbInserted() == present)
        return true;
    TaskWatcherDialog dialog(message, footer, parent);
    dialog.setClosesOnTouch(closesOnTouch);
    QObject::connect(usb, &UsbMonitor::usbStick, &dialog, [&dialog, present](bool inserted) {
        if (inserted == present)
            dialog.accept();
    });
    // Only the stick or a touch close the box; anything else (the program
    // quitting) gives up waiting.
    while (usb->isUsbInserted() != present) {
        if (dialog.exec() != QDialog::Accepted || closesOnTouch)
            break;
    }
    return usb->isUsbInserted() == present;
}

void unmount_and_wait_for_removal(UsbMonitor* usb, QWidget* parent)
{
    if (!usb->isUsbInserted())
        return;
    long_running_operation(run_in_thread_pool([usb] { return usb->umountUsb(); }), parent,
                           QCoreApplication::translate("MaintenanceMode", "Rimozione USB in corso"),
                           QCoreApplication::translate("MaintenanceMode", "Attendere prego"));
    wait_for_stick(usb, false, QCoreApplication::translate("MaintenanceMode", "Rimuovere il dispositivo USB per continuare"),
                   QString(), parent);
}

} // namespace VM24
