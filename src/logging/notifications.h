#pragma once

// Every notification type, for publishers and handlers that use several.
#include "logging/alarmactivenotification.h"
#include "logging/alarmnotification.h"
#include "logging/cashinsertednotification.h"
#include "logging/changereturnednotification.h"
#include "logging/debugnotification.h"
#include "logging/emptyhoppernotification.h"
#include "logging/infonotification.h"
#include "logging/motordispensererrornotification.h"
#include "logging/overpaynotification.h"
#include "logging/powermanagementnotification.h"
#include "logging/productpurchasednotification.h"
#include "logging/productsoldoutnotification.h"
#include "logging/supportrequestnotification.h"
#include "logging/usercashlessrechargenotification.h"
#include "logging/vendingsessioninfo.h"
#include "logging/warningnotification.h"
