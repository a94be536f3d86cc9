#pragma once

#include <cstddef>
#include <termios.h>

// Thin functions over the Linux terminal interface for the board's serial
// line. Descriptors 0 and -1 are never valid for them: 0 means "not open".

// Opens path read-write (not as controlling terminal) and configures a raw
// line: baud 1200..57600 as asked, anything else 115200; data bits 5..7, else
// 8; parity 0 none, 2 odd, other non-zero even; 2 stop bits when stopBits > 1.
// A read returns as soon as one byte is there or after 100 ms with nothing.
// Returns the descriptor, or 0 after printing "Failed to open serial port."
// with the system's error text to the error output.
int RkSerialPortOpen(const char* path, int baud, int dataBits, int parity, int stopBits);
// The terminal settings RkSerialPortOpen applies.
termios RkSerialPortSettings(int baud, int dataBits, int parity, int stopBits);
void RkSerialPortClose(int fd);
// Discards pending input and pending output.
void RkSerialPortPurge(int fd);
// Waits until all output has been transmitted.
void RkSerialPortFlush(int fd);
// Clears DTR/RTS when the flag is true, sets it when false.
void RkSerialPortSetCtrlLines(int fd, bool dtr, bool rts);

int RkSerialPortRead(int fd, void* buf, std::size_t size);
// The byte read (0..255), or -1 when nothing arrived within the read timeout.
int RkSerialPortReadByte(int fd);
// Reads up to a line feed (kept), a zero byte, a failed read or size - 1
// bytes; always terminates buf. Returns the length, -1 when size < 2.
int RkSerialPortReadString(int fd, char* buf, int size);

// The count written, or -1 on a short write.
int RkSerialPortWrite(int fd, const void* buf, std::size_t size);
int RkSerialPortWriteByte(int fd, int byte);
int RkSerialPortWriteString(int fd, const char* s);
