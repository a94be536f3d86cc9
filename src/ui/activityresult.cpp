#include "ui/activityresult.h"

const ActivityResult ActivityResult::NO_RESULT(-1, ActivityResult::NoResult);
const ActivityResult ActivityResult::HAS_RESULT(-1, ActivityResult::HasResult);
const ActivityResult ActivityResult::ABORT(-1, ActivityResult::Aborted);

ActivityResult::ActivityResult(int value, Status status)
    : m_status(status)
    , m_value(value)
{
}

ActivityResult::~ActivityResult() = default;
