#include "ui/activity.h"

#include "ui/context.h"

Activity::Activity(Context* context)
    : m_context(context)
{
}

Activity::~Activity() = default;

void Activity::onStart()
{
}

void Activity::onResume(const ActivityResult&)
{
}

void Activity::onPause()
{
}

void Activity::onStop()
{
}

void Activity::onInterrupt()
{
    finish();
}

void Activity::startActivity(Activity* next)
{
    m_context->startActivity(next);
}

void Activity::finish()
{
    m_context->stopCurrent(ActivityResult::NO_RESULT);
}

void Activity::finish(const ActivityResult& result)
{
    m_context->stopCurrent(result);
}

void Activity::interrupt()
{
    m_context->interrupt(this);
}

void Activity::finishOrInterrupt()
{
    if (m_resumed)
        finish();
    else
        interrupt();
}
