#pragma once

#include "ui/simpledisplayactivity.h"

class QLabel;

// The partner's events picture, opened from the partner banner of the
// product grid.
class BrixoEventsPage : public SimpleDisplayActivity
{
    Q_OBJECT

public:
    static const char* const EVENTS_PICTURE; // "data:brixo-events/brixo-events.jpg"

    explicit BrixoEventsPage(Context* context, QWidget* parent = nullptr);

    void onStart() override;

    bool hasPicture() const;

private:
    QLabel* m_picture;
};
