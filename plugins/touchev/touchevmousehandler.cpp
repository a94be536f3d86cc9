#include "touchevmousehandler.h"

#include "coordtransform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QStringList>
#include <qpa/qwindowsysteminterface.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Time stamp as two longs, then type, code and value: 16 bytes on the 32-bit
// board (with a 32- or 64-bit time_t alike), 24 on 64-bit hosts.
static_assert(sizeof(input_event) == 2 * sizeof(long) + 8, "unexpected input record layout");

namespace {

struct Options
{
    bool compression = true;
    int jitterLimit = 0;
    int grab = 0;
    int rotation = 270;
    QSize limits;
};

// The number after "name="; 0 when it does not parse.
int optionNumber(const QString& option, QLatin1StringView name)
{
    return option.mid(name.size()).toInt();
}

// "limits=4095x4095": axis maxima to use instead of the device's own.
QSize optionSize(const QString& option, QLatin1StringView name)
{
    const QStringList numbers = option.mid(name.size()).split(QLatin1Char('x'));
    if (numbers.size() != 2)
        return QSize();
    return QSize(numbers.at(0).toInt(), numbers.at(1).toInt());
}

Options parseOptions(const QStringList& parts)
{
    static constexpr QLatin1StringView dejitter("dejitter=");
    static constexpr QLatin1StringView grab("grab=");
    static constexpr QLatin1StringView rot("rot=");
    static constexpr QLatin1StringView limits("limits=");

    Options options;
    for (const QString& part : parts) {
        if (part == QLatin1StringView("nocompress"))
            options.compression = false;
        else if (part.startsWith(dejitter))
            options.jitterLimit = optionNumber(part, dejitter);
        else if (part.startsWith(grab))
            options.grab = optionNumber(part, grab);
        else if (part.startsWith(rot))
            options.rotation = optionNumber(part, rot);
        else if (part.startsWith(limits))
            options.limits = optionSize(part, limits);
    }
    return options;
}

bool readAxis(int fd, int axis, input_absinfo* info)
{
    return fd >= 0 && ::ioctl(fd, EVIOCGABS(axis), info) >= 0;
}

bool isLeftButtonKey(int code)
{
    return (code >= BTN_MOUSE && code <= BTN_MOUSE + 15) || code == BTN_TRIGGER || code == BTN_TOUCH;
}

// keys: the device's key state bits, one per key code.
bool isLeftButtonDown(const unsigned char* keys)
{
    for (int code = BTN_MOUSE; code <= BTN_TOUCH; ++code) {
        if (isLeftButtonKey(code) && (keys[code / 8] & (1 << (code % 8))))
            return true;
    }
    return false;
}

} // namespace

TouchevMouseHandler* TouchevMouseHandler::create(const QString& driver, const QString& deviceString)
{
    // The first part is the device, even when empty (":rot=90" names no
    // device); empty option parts are ignored.
    QStringList parts = deviceString.split(QLatin1Char(':'));
    QString device = parts.takeFirst();
    parts.removeAll(QString());
    if (device.isEmpty())
        device = qEnvironmentVariable("TSLIB_TSDEVICE");
    const Options options = parseOptions(parts);

    const int fd = ::open(device.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        qWarning("Cannot open mouse input device '%s': %s", qPrintable(device), std::strerror(errno));
        return nullptr;
    }
    ::ioctl(fd, EVIOCGRAB, static_cast<unsigned long>(options.grab));

    CoordTransform* transform = CoordTransform::create(options.rotation);
    if (options.limits.isValid())
        transform->setHardwareLimits(options.limits);
    return new TouchevMouseHandler(driver, device, fd, options.compression, options.jitterLimit, transform);
}

TouchevMouseHandler::TouchevMouseHandler(const QString& driver, const QString& device, int fd,
                                         bool compression, int jitterLimit, CoordTransform* transform,
                                         QObject* parent)
    : QObject(parent)
    , m_driver(driver)
    , m_device(device)
    , m_compression(compression)
    , m_jitterLimit(jitterLimit)
    , m_jitterLimitSquared(qint64(jitterLimit) * jitterLimit)
    , m_transform(transform ? transform : new Rot270)
    , m_fd(fd)
{
    setObjectName(QStringLiteral("Simple Evdev Mouse Handler"));
    if (!m_transform->hasHardwareLimits())
        readHardwareLimits();
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TouchevMouseHandler::readMouseData);
    initState();
}

TouchevMouseHandler::~TouchevMouseHandler()
{
    if (m_fd < 0)
        return;
    // Closed while a finger is down (the device node went away before the
    // read saw it): let go of the button, or the window system keeps it held.
    if ((m_buttons & 1) && !QCoreApplication::closingDown()) {
        m_buttons = 0;
        sendEvent();
    }
    delete m_notifier;
    ::close(m_fd);
}

void TouchevMouseHandler::suspend()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
}

void TouchevMouseHandler::resume()
{
    if (!m_notifier)
        return;
    m_notifier->setEnabled(true);
    initState();
}

bool TouchevMouseHandler::isReading() const
{
    return m_notifier && m_notifier->isEnabled();
}

void TouchevMouseHandler::readHardwareLimits()
{
    unsigned char absoluteAxes[8] = {};
    if (::ioctl(m_fd, EVIOCGBIT(EV_ABS, sizeof absoluteAxes), absoluteAxes) < 0)
        return;
    const unsigned char xAndY = (1 << ABS_X) | (1 << ABS_Y);
    if ((absoluteAxes[0] & xAndY) != xAndY)
        return;
    input_absinfo x = {};
    input_absinfo y = {};
    if (readAxis(m_fd, ABS_X, &x) && readAxis(m_fd, ABS_Y, &y))
        m_transform->setHardwareLimits(QSize(x.maximum, y.maximum));
}

void TouchevMouseHandler::initState()
{
    input_absinfo info = {};
    m_x = readAxis(m_fd, ABS_X, &info) ? info.value : 0;
    info = {};
    m_y = readAxis(m_fd, ABS_Y, &info) ? info.value : 0;
    m_buttons = 0;
    m_moved = false;
    m_buttonChanged = false;
    m_dropping = false;
    sendEvent();
}

void TouchevMouseHandler::readMouseData()
{
    if (m_fd < 0)
        return;
    const int capacity = int(sizeof m_buffer);
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer + m_fill, size_t(capacity - m_fill));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return; // a partial record stays in the buffer for the next read
        if (got <= 0) {
            closeDevice();
            return;
        }
        m_fill += int(got);
        if (m_fill % RECORD_SIZE == 0) {
            const int records = m_fill / RECORD_SIZE;
            m_fill = 0;
            processRecords(records);
            return;
        }
    }
}

void TouchevMouseHandler::processRecords(int count)
{
    bool pending = false;
    for (int i = 0; i < count; ++i) {
        input_event record;
        std::memcpy(&record, m_buffer + i * RECORD_SIZE, RECORD_SIZE);
        processRecord(record, pending);
    }
    if (m_compression && pending && isBeyondJitterLimit())
        sendEvent();
}

void TouchevMouseHandler::processRecord(const input_event& record, bool& pending)
{
    if (m_dropping) {
        skipDroppedRecord(record);
        return;
    }
    switch (record.type) {
    case EV_SYN:
        if (record.code == SYN_DROPPED)
            m_dropping = true;
        if (record.code != SYN_REPORT)
            break;
        if (m_buttonChanged) {
            sendEvent();
            m_buttonChanged = false;
            m_moved = false;
            pending = false;
        } else if (m_moved) {
            m_moved = false;
            if (m_compression)
                pending = true;
            else
                sendEvent();
        }
        break;
    case EV_KEY:
        if (isLeftButtonKey(record.code)) {
            m_buttons = record.value ? (m_buttons | 1) : (m_buttons & ~1);
            m_buttonChanged = true;
        }
        break;
    case EV_REL:
        if (record.code == REL_X)
            moveBy(record.value, 0);
        else if (record.code == REL_Y)
            moveBy(0, record.value);
        break;
    case EV_ABS:
        if (record.code == ABS_X && record.value != m_x) {
            m_x = record.value;
            m_moved = true;
        } else if (record.code == ABS_Y && record.value != m_y) {
            m_y = record.value;
            m_moved = true;
        }
        break;
    default:
        break;
    }
}

// The kernel's queue overflowed and it threw events away (a touch-up among
// them, perhaps). What follows up to the next report is incomplete; after it,
// the device is asked for its present state.
void TouchevMouseHandler::skipDroppedRecord(const input_event& record)
{
    if (record.type != EV_SYN || record.code != SYN_REPORT)
        return;
    m_dropping = false;
    m_moved = false;
    m_buttonChanged = false;
    if (readDeviceState())
        sendEvent();
}

// Reads position and button from the device; true when they differ from
// what the handler holds. A device that does not answer keeps the held state.
bool TouchevMouseHandler::readDeviceState()
{
    bool changed = false;
    input_absinfo info = {};
    if (readAxis(m_fd, ABS_X, &info) && info.value != m_x) {
        m_x = info.value;
        changed = true;
    }
    if (readAxis(m_fd, ABS_Y, &info) && info.value != m_y) {
        m_y = info.value;
        changed = true;
    }
    unsigned char keys[KEY_MAX / 8 + 1] = {};
    if (::ioctl(m_fd, EVIOCGKEY(sizeof keys), keys) >= 0) {
        const int buttons = isLeftButtonDown(keys) ? (m_buttons | 1) : (m_buttons & ~1);
        changed = changed || buttons != m_buttons;
        m_buttons = buttons;
    }
    return changed;
}

// Relative moves stay within what the device could report, so a mouse pushed
// past the edge comes back at once.
void TouchevMouseHandler::moveBy(int dx, int dy)
{
    const QRect area = m_transform->rawArea();
    m_x = int(qBound(qint64(area.left()), qint64(m_x) + dx, qint64(area.right())));
    m_y = int(qBound(qint64(area.top()), qint64(m_y) + dy, qint64(area.bottom())));
    m_moved = true;
}

bool TouchevMouseHandler::isBeyondJitterLimit() const
{
    const qint64 dx = qint64(m_x) - m_lastX;
    const qint64 dy = qint64(m_y) - m_lastY;
    return dx * dx + dy * dy > m_jitterLimitSquared;
}

void TouchevMouseHandler::sendEvent()
{
    mouseChanged(m_transform->apply(QPoint(m_x, m_y)), m_buttons);
    m_lastX = m_x;
    m_lastY = m_y;
}

// Reading stops for good: the device node is gone (or the stream ended).
// A finger that was down is lifted so no widget stays pressed.
void TouchevMouseHandler::closeDevice()
{
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    m_fill = 0;
    if (m_buttons & 1) {
        m_buttons = 0;
        sendEvent();
    }
}

void TouchevMouseHandler::mouseChanged(const QPoint& screenPos, int buttons)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The transform reaches one pixel past the last row and column.
    const QRect area = screen->virtualGeometry();
    const QPointF pos(qBound(area.left(), screenPos.x(), area.right()),
                      qBound(area.top(), screenPos.y(), area.bottom()));

    const Qt::MouseButtons state = (buttons & 1) ? Qt::LeftButton : Qt::NoButton;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    if (state != Qt::MouseButtons(m_reportedButtons)) {
        type = state ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease;
        button = Qt::LeftButton;
    }
    m_reportedButtons = int(state);
    QWindowSystemInterface::handleMouseEvent(nullptr, pos, pos, state, button, type);
}
