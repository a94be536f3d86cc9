#pragma once

#include <vector>

class Activity;
class ActivityResult;
class QStackedWidget;
class QWidget;

// The activity stack: the one place through which full-screen pages are
// started, finished, interrupted and shown. It owns neither the activities
// nor the stacked widget; the main window owns both.
class Context
{
public:
    explicit Context(QStackedWidget* views);

    void addView(QWidget* view);
    void showView(QWidget* view);
    QWidget* currentView() const;
    QStackedWidget* views() const { return m_views; }

    // Pauses the current top, pushes the activity and starts it.
    void startActivity(Activity* activity);
    // Pops the top, stops it and resumes the one below with the result.
    void stopCurrent(const ActivityResult& result);
    // Marks the activity and everything above it as interrupted; they then
    // finish one after another, from the top down, as each becomes resumed.
    void interrupt(Activity* activity);

    Activity* currentActivity() const;
    int depth() const { return static_cast<int>(m_stack.size()); }
    bool contains(const Activity* activity) const;

private:
    void resumeIfTop(Activity* activity);

    std::vector<Activity*> m_stack;
    QStackedWidget* m_views;
};
