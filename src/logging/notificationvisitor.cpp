#include "logging/notificationvisitor.h"

namespace VM24 {

NotificationVisitor::~NotificationVisitor() = default;

} // namespace VM24
