#pragma once

#include "ui/activity.h"

#include <QWidget>

// Base of the pages that maintenance mode opens from its menu: a full-screen
// widget on the activity stack that shows itself when started or resumed.
class MenuActivity : public QWidget, public Activity
{
    Q_OBJECT

public:
    explicit MenuActivity(Context* context, QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;

    // The level of the operator's USB key, set before each start (0 without a key).
    void setUserLevel(int level) { m_userLevel = level; }
    int userLevel() const { return m_userLevel; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_userLevel = 0;
};
