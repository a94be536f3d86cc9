#include "logging/notificationbase.h"

namespace VM24 {

NotificationBase::~NotificationBase() = default;

} // namespace VM24
