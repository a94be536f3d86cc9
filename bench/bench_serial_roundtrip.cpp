// Round trip of a one-byte request through the frame protocol against a
// pseudo-terminal peer that answers at once, to show what the software adds
// to the time the bytes would take on the board's 115200 baud line.
//
// Run:  build/bin/bench_serial_roundtrip [requests]   (default 20000)

#include "board/rkprotocol.h"
#include "processusage.h"
#include "ptypeer.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    const int requests = argc > 1 ? std::atoi(argv[1]) : 20000;
    PtyPeer peer;
    peer.setResponder([](const PtyPeer::Frame& f) { return PtyPeer::answer(f.identifier, QByteArray()); });
    peer.start();

    rkprotocol::RkProtocol protocol;
    if (!protocol.open(peer.slavePath().toLocal8Bit().constData(), 115200))
        return 1;

    const quint8 request[] = {'I'};
    int failures = 0;
    const double cpuBefore = process_cpu_seconds();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < requests; ++i) {
        if (!protocol.sendCommand(request, 1, protocol.timeout(), protocol.maxRetransmissions(), nullptr, nullptr))
            ++failures;
    }
    const double elapsed = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = process_cpu_seconds() - cpuBefore;

    const int requestBytes = 5 + 1;
    const int answerBytes = 5;
    const double wireUs = (requestBytes + answerBytes) * 10.0 / 115200.0 * 1e6;
    const double perRequestUs = elapsed / requests * 1e6;
    std::printf("requests: %d, failed: %d\n", requests, failures);
    std::printf("software time per request: %.1f us (process CPU %.1f us, peer included)\n",
                perRequestUs, cpu / requests * 1e6);
    std::printf("wire time of the same %d bytes at 115200 baud: %.1f us\n", requestBytes + answerBytes, wireUs);
    std::printf("software / wire: %.3f\n", perRequestUs / wireUs);
    return failures == 0 ? 0 : 1;
}
