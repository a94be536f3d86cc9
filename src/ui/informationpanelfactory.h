#pragma once

class ChangeObserver;
class InformationPanel;
class PrinterObserver;
class QWidget;
class SessionCredit;
class VendingSessionContext;

namespace VM24 {

// The information panel of a purchase page, placed at its spot on parent and
// fed by the session's countdown and credit, the change observer and the
// printer observer.
InformationPanel* make_information_panel(VendingSessionContext* session, SessionCredit* credit,
                                         ChangeObserver* changeObserver, PrinterObserver* printerObserver,
                                         QWidget* parent);

} // namespace VM24
