// The board's frame decoder fed with whatever a broken or hostile line sends:
// the input is cut into chunks that arrive after pauses of its own choosing
// (some beyond the inter-byte timeout). Every frame reported valid must be
// exactly the request its fields encode.
#include "framecodec.h"

#include <cstdint>
#include <cstdlib>

using rk710sim::FrameCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FrameCodec codec;
    qint64 now = 0;
    size_t at = 0;
    while (at < size) {
        // One control byte: chunk length (low 4 bits + 1) and pause (high 4 bits × 30 ms).
        const uint8_t control = data[at++];
        const size_t length = std::min<size_t>((control & 0x0F) + 1, size - at);
        now += (control >> 4) * 30;
        const QByteArray chunk(reinterpret_cast<const char*>(data + at), qsizetype(length));
        at += length;
        for (const FrameCodec::Frame& frame : codec.feed(chunk, now)) {
            if (frame.kind == FrameCodec::Frame::Valid
                && FrameCodec::encodeRequest(frame.identifier, frame.data) != frame.raw)
                std::abort();
            if (frame.data.size() > FrameCodec::MAX_DATA_LENGTH)
                std::abort();
        }
        codec.takeSkipped();
    }
    return 0;
}
