#include "ui/informationpanelfactory.h"

#include "board/printerobserver.h"
#include "ui/informationpanel.h"
#include "vending/changeobserver.h"
#include "vending/sessioncredit.h"
#include "vending/vendingsessioncontext.h"

namespace VM24 {

InformationPanel* make_information_panel(VendingSessionContext* session, SessionCredit* credit,
                                         ChangeObserver* changeObserver, PrinterObserver* printerObserver,
                                         QWidget* parent)
{
    auto* panel = new InformationPanel(parent);
    panel->move(InformationPanel::PANEL_POSITION);

    panel->setMaxChange(changeObserver->maxChange());
    panel->setChangeAvailable(changeObserver->isAvailable());
    QObject::connect(changeObserver, &ChangeObserver::maxChangeChanged, panel, &InformationPanel::setMaxChange);
    QObject::connect(changeObserver, &ChangeObserver::availableChanged, panel, &InformationPanel::setChangeAvailable);

    panel->setTicketAvailable(printerObserver->isTicketAvailable());
    QObject::connect(printerObserver, &PrinterObserver::ticketAvailableChanged, panel,
                     &InformationPanel::setTicketAvailable);

    panel->setCredit(credit->currentCredit());
    QObject::connect(session->countdown(), &Countdown::tick, panel, &InformationPanel::setCountdownValue);
    QObject::connect(credit, &SessionCredit::creditChanged, panel, &InformationPanel::setCredit);
    return panel;
}

} // namespace VM24
