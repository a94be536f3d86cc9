#pragma once

#include <functional>

class QObject;

// A worker's call into the thread of an object (the GUI thread, which owns
// the widgets and the catalogue) that waits until the call ran. The quit
// path waits for the workers on that same thread; a worker waiting for it
// there would hold the quit for ever. So the quit path waits through
// waitForWorkers(), which first releases every waiting call unrun.
class BlockingCall
{
public:
    // Runs job in the thread of context and waits for it; from that thread
    // itself it runs at once. False, job not run, when the quit path
    // released it or context is null.
    static bool run(QObject* context, std::function<void()> job);

    // The quit path's wait for the global thread pool: calls waiting and
    // calls made meanwhile return false unrun; afterwards calls run again.
    static void waitForWorkers();
};
