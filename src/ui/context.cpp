#include "ui/context.h"

#include "ui/activity.h"
#include "ui/uilog.h"

#include <QObject>
#include <QStackedWidget>
#include <QtDebug>

#include <algorithm>

namespace {

// The page's class, so that a log of the program's output can be followed
// page by page; activities that are no objects are named by their role only.
const char* activity_name(Activity* activity)
{
    const QObject* object = dynamic_cast<QObject*>(activity);
    return object ? object->metaObject()->className() : "Activity";
}

} // namespace

Context::Context(QStackedWidget* views)
    : m_views(views)
{
}

void Context::addView(QWidget* view)
{
    m_views->addWidget(view);
}

void Context::showView(QWidget* view)
{
    m_views->setCurrentWidget(view);
}

QWidget* Context::currentView() const
{
    return m_views->currentWidget();
}

void Context::startActivity(Activity* activity)
{
    if (!activity)
        return;
    if (contains(activity)) {
        // Pages are single long-lived objects: a second entry would pop and
        // stop the same page twice.
        qCWarning(uiLog, "Activity started while already on the stack; ignored");
        return;
    }
    Activity* previous = currentActivity();
    m_stack.push_back(activity);
    qCDebug(uiLog).nospace() << "Activity started: " << activity_name(activity) << "; stack depth "
                             << m_stack.size();
    if (previous) {
        previous->m_resumed = false;
        previous->onPause();
    }
    activity->onStart();
    resumeIfTop(activity);
}

void Context::stopCurrent(const ActivityResult& result)
{
    if (m_stack.empty())
        return;
    Activity* top = m_stack.back();
    m_stack.pop_back();
    qCDebug(uiLog).nospace() << "Activity finished: " << activity_name(top) << "; stack depth "
                             << m_stack.size();
    top->m_resumed = false;
    top->onPause();
    top->onStop();
    top->m_interrupted = false;

    if (m_stack.empty())
        return;
    Activity* next = m_stack.back();
    next->onResume(result);
    resumeIfTop(next);
}

void Context::interrupt(Activity* activity)
{
    if (!activity || activity->m_resumed)
        return;
    auto position = std::find(m_stack.begin(), m_stack.end(), activity);
    if (position == m_stack.end())
        return;
    for (auto it = position; it != m_stack.end(); ++it)
        (*it)->m_interrupted = true;
    Activity* top = m_stack.back();
    if (top->m_resumed)
        top->onInterrupt();
}

Activity* Context::currentActivity() const
{
    return m_stack.empty() ? nullptr : m_stack.back();
}

bool Context::contains(const Activity* activity) const
{
    return std::find(m_stack.begin(), m_stack.end(), activity) != m_stack.end();
}

void Context::resumeIfTop(Activity* activity)
{
    if (currentActivity() != activity)
        return;
    activity->m_resumed = true;
    if (activity->m_interrupted)
        activity->onInterrupt();
}
