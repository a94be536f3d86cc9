"""A minimal VNC viewer (the RFB protocol, version 3.3, raw encoding) for
end-to-end tests: it reads whole frames in a pixel format of its choosing, as
the viewers people use do."""

import collections
import socket
import struct

from kiosk import KioskError, Screen

PixelFormat = collections.namedtuple(
    "PixelFormat", "bits depth big_endian true_colour red_max green_max blue_max red_shift green_shift blue_shift")

_PIXEL_FORMAT = ">BBBBHHHBBB3x"
_SET_PIXEL_FORMAT, _SET_ENCODINGS, _UPDATE_REQUEST = 0, 2, 3
_FRAMEBUFFER_UPDATE = 0
_RAW = 0


class RfbError(KioskError):
    pass


class RfbClient:
    def __init__(self, port, host="127.0.0.1", timeout=10.0):
        self.socket = socket.create_connection((host, port), timeout=timeout)
        try:
            self._handshake()
        except BaseException:
            self.socket.close()
            raise

    def close(self):
        self.socket.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _receive(self, count):
        data = bytearray()
        while len(data) < count:
            chunk = self.socket.recv(min(count - len(data), 1 << 20))
            if not chunk:
                raise RfbError("the VNC server closed the connection")
            data += chunk
        return bytes(data)

    def _handshake(self):
        version = self._receive(12)
        if not version.startswith(b"RFB 003."):
            raise RfbError("not a VNC server: %r" % version)
        self.socket.sendall(b"RFB 003.003\n")
        security, = struct.unpack(">I", self._receive(4))
        if security != 1:
            raise RfbError("the server asks for security type %d, not none" % security)
        self.socket.sendall(b"\x01")  # shared
        self.width, self.height = struct.unpack(">HH", self._receive(4))
        self.server_format = PixelFormat(*struct.unpack(_PIXEL_FORMAT, self._receive(16)))
        name_length, = struct.unpack(">I", self._receive(4))
        self.name = self._receive(name_length).decode("latin-1")
        self.format = self.server_format
        self.socket.sendall(struct.pack(">BxHi", _SET_ENCODINGS, 1, _RAW))

    def set_pixel_format(self, pixel_format):
        """From now on the server is to send pixels in this format."""
        self.socket.sendall(struct.pack(">B3x", _SET_PIXEL_FORMAT) + struct.pack(_PIXEL_FORMAT, *pixel_format))
        self.format = pixel_format

    def frame(self, updates=5):
        """The whole framebuffer as a Screen, from full (not incremental)
        update requests; an update may cover only part of it, or nothing
        while the server has not drawn its screen yet."""
        channels = self._channel_offsets()
        size = self.format.bits // 8
        rgb = bytearray(self.width * self.height * 3)
        covered = 0
        for _ in range(updates):
            self.socket.sendall(struct.pack(">BBHHHH", _UPDATE_REQUEST, 0, 0, 0, self.width, self.height))
            message, rectangles = struct.unpack(">BxH", self._receive(4))
            if message != _FRAMEBUFFER_UPDATE:
                raise RfbError("unexpected server message %d" % message)
            for _ in range(rectangles):
                x, y, w, h, encoding = struct.unpack(">HHHHi", self._receive(12))
                if encoding != _RAW:
                    raise RfbError("the server used encoding %d, not raw" % encoding)
                pixels = self._receive(w * h * size)
                for row in range(h):
                    line = pixels[row * w * size:(row + 1) * w * size]
                    start = ((y + row) * self.width + x) * 3
                    for channel, offset in enumerate(channels):
                        rgb[start + channel:start + w * 3:3] = line[offset::size]
                covered += w * h
            if covered >= self.width * self.height:
                return Screen("vnc", (self.width, self.height), bytes(rgb))
        raise RfbError("%d updates covered %d of %d pixels" % (updates, covered, self.width * self.height))

    def _channel_offsets(self):
        """Where red, green and blue are in a pixel's bytes: the client reads
        only formats of one byte a channel."""
        f = self.format
        if not f.true_colour or f.bits != 32 or (f.red_max, f.green_max, f.blue_max) != (255, 255, 255) \
                or any(shift % 8 for shift in (f.red_shift, f.green_shift, f.blue_shift)):
            raise RfbError("pixel format %s is not one this client reads" % (f,))
        return [3 - shift // 8 if f.big_endian else shift // 8 for shift in (f.red_shift, f.green_shift, f.blue_shift)]
