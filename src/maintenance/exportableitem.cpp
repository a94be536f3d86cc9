#include "maintenance/exportableitem.h"

#include <QCoreApplication>

namespace ExportableItem {

QString to_localized_string(int item)
{
    static const char* const TEXTS[] = {
        QT_TRANSLATE_NOOP("ExportableItem", "Impostazioni"),
        QT_TRANSLATE_NOOP("ExportableItem", "Cataloghi prodotti"),
        QT_TRANSLATE_NOOP("ExportableItem", "Home Page"),
        QT_TRANSLATE_NOOP("ExportableItem", "Branding"),
        QT_TRANSLATE_NOOP("ExportableItem", "Personalizzazioni"),
        QT_TRANSLATE_NOOP("ExportableItem", "Log eventi"),
        QT_TRANSLATE_NOOP("ExportableItem", "Contabilità"),
        QT_TRANSLATE_NOOP("ExportableItem", "Report EVA-DTS"),
    };
    if (item < 0 || item >= Count)
        return QString();
    return QCoreApplication::translate("ExportableItem", TEXTS[item]);
}

} // namespace ExportableItem
