#pragma once

#include "ui/activityresult.h"

class Context;

// Base of every full-screen page. Pages are long-lived widgets that also
// derive from Activity; the Context starts them on its stack again and again,
// so a page resets its screen state in onStart().
class Activity
{
public:
    explicit Activity(Context* context);
    virtual ~Activity();

    // Called by the Context, in this order over an activity's life on the stack.
    virtual void onStart();
    virtual void onResume(const ActivityResult& result);
    virtual void onPause();
    virtual void onStop();
    // Called when the activity becomes the running top while interrupted.
    // By default it finishes with no result.
    virtual void onInterrupt();

    void startActivity(Activity* next);
    void finish();
    void finish(const ActivityResult& result);
    void interrupt();
    // Ends this activity whether or not it is the running top: finishes it
    // when it is, otherwise marks it interrupted so it ends once resumed.
    void finishOrInterrupt();

    Context* context() const { return m_context; }
    bool isResumed() const { return m_resumed; }
    bool isInterrupted() const { return m_interrupted; }

private:
    friend class Context;

    Context* m_context;
    bool m_resumed = false;
    bool m_interrupted = false;
};
