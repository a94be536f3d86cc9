#pragma once

// The names of the settings file's keys, with the defaults their readers use.
// A grouped key is addressed as "group/key".
namespace VM24 {
namespace Keys {

// Language and home page
inline constexpr char DEFAULT_LANGUAGE[] = "default-language";
inline constexpr char RESTORE_DEFAULT_LANGUAGE_TIMEOUT[] = "restore-default-language-timeout";
inline constexpr int DEFAULT_RESTORE_DEFAULT_LANGUAGE_TIMEOUT_S = 60;
inline constexpr char USER_TEXT[] = "user-text";

// Receipts
inline constexpr const char* RECEIPT_ROWS[] = { "receipt-row-1", "receipt-row-2", "receipt-row-3" };

// Customer session
inline constexpr char SHORT_WAIT[] = "short-wait";
inline constexpr int DEFAULT_SHORT_WAIT_S = 45;
inline constexpr char LONG_WAIT[] = "long-wait";
inline constexpr int DEFAULT_LONG_WAIT_S = 60;
inline constexpr char MAX_CREDIT[] = "max-credit";
inline constexpr int DEFAULT_MAX_CREDIT = 5000;
inline constexpr char MAX_CHANGE[] = "max-change";
inline constexpr int DEFAULT_MAX_CHANGE = 500;
// The coin value in a change hopper, in cents; 0 for none.
inline constexpr const char* HOPPER_VALUES[] = { "hopper-value_1", "hopper-value_2" };

// Board and peripherals
inline constexpr char USE_OPTICAL_BARRIER[] = "use-optical-barrier";
inline constexpr char BATTERY_THRESHOLD[] = "battery-threshold";
inline constexpr int DEFAULT_BATTERY_THRESHOLD_MS = 5000;
inline constexpr char TEMPERATURE_THRESHOLD[] = "temperature-threshold";
inline constexpr int DEFAULT_TEMPERATURE_THRESHOLD = 40;
inline constexpr char MOTOR_MAP[] = "motor-map";
inline constexpr char TIME_UPDATE_INTERVAL[] = "time-update-interval";
inline constexpr int DEFAULT_TIME_UPDATE_INTERVAL_S = 3600;

// Machine identity and support
inline constexpr char SERIAL[] = "advanced/serial";
inline constexpr char SUPPORT_EMAIL[] = "advanced/support-email";

// Network
inline constexpr char NETWORK_METHOD[] = "NetworkConfig/method";
inline constexpr char NETWORK_HOST_IP[] = "NetworkConfig/host-ip";
inline constexpr char NETWORK_NETMASK[] = "NetworkConfig/netmask";
inline constexpr char NETWORK_GATEWAY[] = "NetworkConfig/gateway";
inline constexpr char NETWORK_DNS[] = "NetworkConfig/dns";

// Groups
inline constexpr char ALARMS_GROUP[] = "Alarms";
inline constexpr char PRODUCTS_GROUP[] = "Products";

} // namespace Keys
} // namespace VM24
