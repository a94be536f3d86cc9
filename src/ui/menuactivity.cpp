#include "ui/menuactivity.h"

#include "ui/context.h"
#include "ui/stylebackground.h"

MenuActivity::MenuActivity(Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
{
}

void MenuActivity::onStart()
{
    context()->showView(this);
}

void MenuActivity::onResume(const ActivityResult&)
{
    context()->showView(this);
}

void MenuActivity::paintEvent(QPaintEvent*)
{
    VM24::paint_style_background(this);
}
