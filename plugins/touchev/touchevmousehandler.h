#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <linux/input.h>

#include <memory>

class QSocketNotifier;

// Reads an evdev touchscreen and reports the touches to the window system
// as mouse events with the left button, in screen coordinates of the
// 1080 x 1920 portrait screen.
//
// The device string handed to create() is the device path followed by
// options, separated by colons: "/dev/vm60_touchscreen:rot=90:dejitter=5".
class TouchevMouseHandler : public QObject
{
    Q_OBJECT

public:
    class CoordTransform;
    class Rot90;
    class Rot270;

    // One kernel input record; 16 bytes on the 32-bit board, 24 on 64-bit
    // hosts where the time stamp is wider.
    static constexpr int RECORD_SIZE = sizeof(input_event);
    static constexpr int BUFFER_RECORDS = 64;

    // Parses the device string, opens the device and returns a new handler, or null
    // (with a warning) when the device cannot be opened.
    static TouchevMouseHandler* create(const QString& driver, const QString& deviceString);

    // Takes ownership of fd and transform. A transform that already has
    // hardware limits keeps them; otherwise they are read from the device.
    TouchevMouseHandler(const QString& driver, const QString& device, int fd, bool compression,
                        int jitterLimit, CoordTransform* transform, QObject* parent = nullptr);
    ~TouchevMouseHandler() override;

    void suspend();
    void resume();

    QString driver() const { return m_driver; }
    QString device() const { return m_device; }
    int fd() const { return m_fd; }
    bool compression() const { return m_compression; }
    int jitterLimit() const { return m_jitterLimit; }
    const CoordTransform* transform() const { return m_transform.get(); }
    bool isReading() const;

public slots:
    void readMouseData();

protected:
    // Called for every event with the screen point and the button state
    // (bit 0: left button). Hands the event to the window system.
    virtual void mouseChanged(const QPoint& screenPos, int buttons);

    void initState();

private:
    void readHardwareLimits();
    void processRecords(int count);
    void processRecord(const input_event& record, bool& pending);
    void skipDroppedRecord(const input_event& record);
    bool readDeviceState();
    void moveBy(int dx, int dy);
    void sendEvent();
    void closeDevice();
    bool isBeyondJitterLimit() const;

    QString m_driver;
    QString m_device;
    QSocketNotifier* m_notifier = nullptr;
    int m_x = 0;
    int m_y = 0;
    int m_lastX = 0;
    int m_lastY = 0;
    bool m_compression = true;
    int m_buttons = 0;
    int m_jitterLimit = 0;
    qint64 m_jitterLimitSquared = 0;
    std::unique_ptr<CoordTransform> m_transform;
    int m_fd = -1;
    int m_reportedButtons = 0;
    // A report can be split over two reads: what it changed so far waits
    // for its synchronisation record.
    bool m_moved = false;
    bool m_buttonChanged = false;
    bool m_dropping = false;
    int m_fill = 0;
    alignas(input_event) char m_buffer[BUFFER_RECORDS * RECORD_SIZE];
};
