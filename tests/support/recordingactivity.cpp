#include "recordingactivity.h"

#include "ui/context.h"

RecordingActivity::RecordingActivity(Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
{
}

void RecordingActivity::onStart()
{
    ++starts;
    if (context())
        context()->showView(this);
}

void RecordingActivity::onResume(const ActivityResult& result)
{
    lastResult = result;
    if (context())
        context()->showView(this);
}

void RecordingActivity::onStop()
{
    ++stops;
}
