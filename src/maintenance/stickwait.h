#pragma once

#include <QString>

class QWidget;
class UsbMonitor;

namespace VM24 {

// Shows message until a USB stick is present (present true) or gone;
// returns at once when it already is. With closesOnTouch a touch gives up
// waiting. True when the stick is in the state waited for.
bool wait_for_stick(UsbMonitor* usb, bool present, const QString& message, const QString& footer,
                    QWidget* parent, bool closesOnTouch = false);

// Unmounts a present stick behind a wait box, then waits until it is removed.
void unmount_and_wait_for_removal(UsbMonitor* usb, QWidget* parent);

} // namespace VM24
