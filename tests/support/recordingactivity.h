#pragma once

#include "ui/activity.h"
#include "ui/activityresult.h"

#include <QWidget>

// A page for tests: counts its starts and remembers the last result it was
// resumed with; it shows itself like every page does.
class RecordingActivity : public QWidget, public Activity
{
public:
    explicit RecordingActivity(Context* context, QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onStop() override;

    int starts = 0;
    int stops = 0;
    ActivityResult lastResult = ActivityResult::NO_RESULT;
};
