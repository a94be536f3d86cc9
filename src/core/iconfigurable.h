#pragma once

class QSettings;

// Implemented by every long-lived object that reads settings; the settings
// manager calls loadConfiguration on each of them, in registration order,
// whenever the settings change.
class IConfigurable
{
public:
    virtual ~IConfigurable() = default;
    virtual void loadConfiguration(QSettings& settings) = 0;
};
