#pragma once

#include "logging/notificationbase.h"
#include "logging/notificationvisitor.h"

namespace VM24 {

namespace detail {

// Implements accept() once for every concrete notification type: the
// visitor's operation for Concrete is called with the notification itself.
template <class Concrete, class Base>
class NotificationVisitorSupport : public Base
{
public:
    using Base::Base;

    void accept(NotificationVisitor* visitor) const override
    {
        visitor->visit(static_cast<const Concrete*>(this));
    }
};

} // namespace detail

template <class Concrete>
using NotificationSupport = detail::NotificationVisitorSupport<Concrete, NotificationBase>;

} // namespace VM24
