#pragma once

class Settings;

// Implemented by every long-lived object above the settings that reads
// them; the settings manager calls loadConfiguration on each of them, in
// registration order, whenever the settings change. The layers below the
// settings get their values pushed by whoever composes them.
class IConfigurable
{
public:
    virtual ~IConfigurable() = default;
    virtual void loadConfiguration(const Settings& settings) = 0;
};
