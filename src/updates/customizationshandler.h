#pragma once

#include "updates/resourcehandler.h"

class AssetsRegistry;

// The shop's own texts: the customer message and the duty-pharmacy page.
class CustomizationsHandler : public ResourceHandler
{
public:
    static const char* const CUSTOM_TEXT_FILENAME;     // "messaggio.html"
    static const char* const OPEN_PHARMACIES_FILENAME; // "turni.html"

    explicit CustomizationsHandler(AssetsRegistry* registry);

    bool accepts(const QString& fileName) const override;
    void apply(QDir dir, UpdateProcessContext* ctx) override;

private:
    AssetsRegistry* m_registry;
};
