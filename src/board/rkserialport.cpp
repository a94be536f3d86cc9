#include "board/rkserialport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t baudConstant(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    default: return B115200;
    }
}

tcflag_t dataBitsFlag(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

tcflag_t parityFlags(int parity)
{
    if (parity == 0)
        return 0;
    if (parity == 2)
        return PARENB | PARODD;
    return PARENB;
}

bool configure(int fd, int baud, int dataBits, int parity, int stopBits)
{
    const termios tio = RkSerialPortSettings(baud, dataBits, parity, stopBits);
    tcflush(fd, TCIFLUSH);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

void reportOpenFailure(const char* path, int error)
{
    std::fprintf(stderr, "Failed to open serial port. %s: %s\n", path ? path : "(null)",
                 std::strerror(error));
}

// 0 stands for "not open", so a descriptor that happens to be 0 (standard
// input closed) is moved elsewhere.
int avoidDescriptorZero(int fd)
{
    if (fd != 0)
        return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 1);
    ::close(fd);
    return moved;
}

} // namespace

termios RkSerialPortSettings(int baud, int dataBits, int parity, int stopBits)
{
    termios tio;
    std::memset(&tio, 0, sizeof tio);
    tio.c_cflag = CREAD | CLOCAL | dataBitsFlag(dataBits) | parityFlags(parity);
    if (stopBits > 1)
        tio.c_cflag |= CSTOPB;
    tio.c_iflag = IGNPAR;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 1;
    const speed_t speed = baudConstant(baud);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    return tio;
}

int RkSerialPortOpen(const char* path, int baud, int dataBits, int parity, int stopBits)
{
    if (!path) {
        reportOpenFailure(path, EINVAL);
        return 0;
    }
    const int fd = avoidDescriptorZero(::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (fd < 0) {
        reportOpenFailure(path, errno);
        return 0;
    }
    if (!configure(fd, baud, dataBits, parity, stopBits)) {
        const int error = errno;
        ::close(fd);
        reportOpenFailure(path, error);
        return 0;
    }
    return fd;
}

void RkSerialPortClose(int fd)
{
    if (fd != -1)
        ::close(fd);
}

void RkSerialPortPurge(int fd)
{
    tcflush(fd, TCIOFLUSH);
}

void RkSerialPortFlush(int fd)
{
    tcdrain(fd);
}

void RkSerialPortSetCtrlLines(int fd, bool dtr, bool rts)
{
    int lines = 0;
    if (ioctl(fd, TIOCMGET, &lines) != 0)
        return;
    if (dtr)
        lines &= ~TIOCM_DTR;
    else
        lines |= TIOCM_DTR;
    if (rts)
        lines &= ~TIOCM_RTS;
    else
        lines |= TIOCM_RTS;
    ioctl(fd, TIOCMSET, &lines);
}

int RkSerialPortRead(int fd, void* buf, std::size_t size)
{
    return int(::read(fd, buf, size));
}

int RkSerialPortReadByte(int fd)
{
    unsigned char byte = 0;
    if (::read(fd, &byte, 1) != 1)
        return -1;
    return byte;
}

int RkSerialPortReadString(int fd, char* buf, int size)
{
    if (!buf || size < 2)
        return -1;
    int length = 0;
    while (length < size - 1) {
        const int byte = RkSerialPortReadByte(fd);
        if (byte <= 0)
            break;
        buf[length++] = char(byte);
        if (byte == '\n')
            break;
    }
    buf[length] = '\0';
    return length;
}

int RkSerialPortWrite(int fd, const void* buf, std::size_t size)
{
    const ssize_t written = ::write(fd, buf, size);
    return written == ssize_t(size) ? int(written) : -1;
}

int RkSerialPortWriteByte(int fd, int byte)
{
    const unsigned char value = static_cast<unsigned char>(byte);
    return RkSerialPortWrite(fd, &value, 1) == 1 ? value : -1;
}

int RkSerialPortWriteString(int fd, const char* s)
{
    if (!s)
        return -1;
    return RkSerialPortWrite(fd, s, std::strlen(s));
}
