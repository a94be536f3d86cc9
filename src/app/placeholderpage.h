#pragma once

#include "app/activity.h"

#include <QWidget>

// The page the program shows on its activity stack until the main window
// with the home page takes over the screen.
class PlaceholderPage : public QWidget, public Activity
{
public:
    PlaceholderPage(Context* context, QWidget* parent = nullptr);

    void onStart() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
