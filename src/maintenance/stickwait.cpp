#include "maintenance/stickwait.h"

#include "security/usbmonitor.h"
#include "ui/longrunningoperation.h"
#include "ui/taskwatcherdialog.h"

#include <QCoreApplication>
#include <QtConcurrentRun>

namespace VM24 {

void wait_for_stick(UsbMonitor* usb, bool present, const QString& message, const QString& footer, QWidget* parent,
                    bool closesOnTouch, std::function<void(bool)> done)
{
    if (usb->isUsbInserted() == present) {
        if (done)
            done(true);
        return;
    }
    auto* dialog = new TaskWatcherDialog(message, footer, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setClosesOnTouch(closesOnTouch);
    QObject::connect(usb, &UsbMonitor::usbStick, dialog, [dialog, present](bool inserted) {
        if (inserted == present)
            dialog->accept();
    });
    // Only the stick or a touch close the box; anything else (the program
    // quitting) gives up waiting.
    QObject::connect(dialog, &QDialog::finished, dialog, [usb, dialog, present, closesOnTouch, done](int result) {
        const bool reached = usb->isUsbInserted() == present;
        if (!reached && result == QDialog::Accepted && !closesOnTouch) {
            dialog->open();
            return;
        }
        if (done)
            done(reached);
    });
    dialog->open();
}

void unmount_and_wait_for_removal(UsbMonitor* usb, QWidget* parent, std::function<void()> done)
{
    if (!usb->isUsbInserted()) {
        if (done)
            done();
        return;
    }
    long_running_operation(QtConcurrent::run([usb] { return usb->umountUsb(); }), parent,
                           QCoreApplication::translate("MaintenanceMode", "Rimozione USB in corso"),
                           QCoreApplication::translate("MaintenanceMode", "Attendere prego"), false,
                           [usb, parent, done](bool) {
                               wait_for_stick(usb, false,
                                              QCoreApplication::translate("MaintenanceMode",
                                                                          "Rimuovere il dispositivo USB per continuare"),
                                              QString(), parent, false, [done](bool) {
                                                  if (done)
                                                      done();
                                              });
                           });
}

} // namespace VM24
