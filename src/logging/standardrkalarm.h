#pragma once

#include "logging/notificationbase.h"

#include <QString>

class QXmlStreamWriter;

namespace VM24 {

// An alarm in the vocabulary of the remote telemetry service: a numeric id,
// a description and whether the notification reports the end of the condition.
class StandardRkAlarm : public NotificationBase
{
public:
    virtual int id() const = 0;
    virtual QString description() const = 0;
    virtual bool isCleared() const = 0;

    // Writes one empty element, "Alarm" or "AlarmClear", with the attributes
    // id, Description and DateTime.
    void toXml(QXmlStreamWriter& writer) const;
};

} // namespace VM24
