#include "ui/longrunningoperation.h"

namespace VM24 {

namespace detail {

MessageDialog* open_wait_box(QWidget* parent, const QString& title, const QString& text,
                             std::function<bool()> finished)
{
    auto* box = new MessageDialog(title, text, parent);
    // The box comes back if anything else closes it while the task still runs.
    QObject::connect(box, &QDialog::finished, box, [box, finished] {
        if (!finished())
            box->open();
    });
    box->open();
    return box;
}

void close_wait_box(MessageDialog* box)
{
    if (!box)
        return;
    box->accept();
    box->deleteLater();
}

} // namespace detail

} // namespace VM24
