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

protected:
    void paintEvent(QPaintEvent* event) override;
};
