#pragma once

#include <QString>

#include <functional>

class QWidget;
class UsbMonitor;

namespace VM24 {

// Opens a window-modal box with message until a USB stick is present
// (present true) or gone and returns at once; done(true) follows when the
// stick is in the state waited for, at once when it already is. With
// closesOnTouch a touch gives up waiting (done(false) unless the stick came).
void wait_for_stick(UsbMonitor* usb, bool present, const QString& message, const QString& footer,
                    QWidget* parent, bool closesOnTouch, std::function<void(bool)> done);

// Unmounts a present stick behind a wait box, then waits until it is
// removed; done follows (it may be empty).
void unmount_and_wait_for_removal(UsbMonitor* usb, QWidget* parent, std::function<void()> done);

} // namespace VM24
