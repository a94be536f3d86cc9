<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="it">
<context>
    <name>Accounting</name>
    <message>
        <source>Banconote</source>
        <translation>Banknotes</translation>
    </message>
    <message>
        <source>Monete</source>
        <translation>Coins</translation>
    </message>
    <message>
        <source>Ricariche</source>
        <translation>Card top-ups</translation>
    </message>
    <message>
        <source>Incasso contante</source>
        <translation>Cash takings</translation>
    </message>
    <message>
        <source>Incasso cashless</source>
        <translation>Cashless takings</translation>
    </message>
    <message>
        <source>Incasso POS</source>
        <translation>POS takings</translation>
    </message>
    <message>
        <source>Totale resti</source>
        <translation>Total change</translation>
    </message>
    <message>
        <source>Credito dovuto</source>
        <translation>Credit owed</translation>
    </message>
    <message>
        <source>Cashbox monete</source>
        <translation>Coin cash box</translation>
    </message>
    <message>
        <source>Numero ricariche</source>
        <translation>Number of top-ups</translation>
    </message>
    <message>
        <source>Resti erogati</source>
        <translation>Change payouts</translation>
    </message>
    <message>
        <source>Totale</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Parziale</source>
        <translation>Partial</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
</context>
<context>
    <name>AlarmDialog</name>
    <message>
        <source>Momentaneamente
fuori servizio</source>
        <translation>Temporarily
out of service</translation>
    </message>
</context>
<context>
    <name>Alarms</name>
    <message>
        <source>Macchina manomessa</source>
        <translation>Machine tampered with</translation>
    </message>
    <message>
        <source>Funzionamento a batteria</source>
        <translation>Running on battery</translation>
    </message>
    <message>
        <source>Prodotti non disponibili</source>
        <translation>Products not available</translation>
    </message>
    <message>
        <source>Impossibile immettere credito</source>
        <translation>Cannot accept money</translation>
    </message>
    <message>
        <source>Schermo bloccato</source>
        <translation>Screen locked</translation>
    </message>
    <message>
        <source>Touchscreen non collegato</source>
        <translation>Touchscreen not connected</translation>
    </message>
    <message>
        <source>Scheda di controllo in errore</source>
        <translation>Controller board fault</translation>
    </message>
</context>
<context>
    <name>BoardLinkWatcher</name>
    <message>
        <source>La scheda di controllo non risponde: nuovo tentativo ogni %1 s</source>
        <translation>The controller board does not answer: trying again every %1 s</translation>
    </message>
    <message>
        <source>La scheda di controllo risponde di nuovo</source>
        <translation>The controller board answers again</translation>
    </message>
</context>
<context>
    <name>CustomBannerPage</name>
    <message>
        <source>INFORMAZIONI DELLA FARMACIA</source>
        <translation>PHARMACY INFORMATION</translation>
    </message>
</context>
<context>
    <name>EmptyHopperNotification</name>
    <message>
        <source>Hopper %1 vuoto</source>
        <translation>Hopper %1 empty</translation>
    </message>
</context>
<context>
    <name>HomePage</name>
    <message>
        <source>TOCCA LO SCHERMO PER ACQUISTARE</source>
        <translation>TOUCH THE SCREEN TO START BUYING</translation>
    </message>
    <message>
        <source>FARMACIE
DI TURNO</source>
        <translation>PHARMACIES
ON DUTY</translation>
    </message>
</context>
<context>
    <name>InformationPanel</name>
    <message>
        <source>RESTO MASSIMO EROGABILE
%1</source>
        <translation>MAXIMUM CHANGE GIVEN
%1</translation>
    </message>
    <message>
        <source>RESTO NON DISPONIBILE</source>
        <translation>CHANGE NOT AVAILABLE</translation>
    </message>
    <message>
        <source>INSERISCI DENARO</source>
        <translation>INSERT MONEY</translation>
    </message>
    <message>
        <source>CREDITO EURO:</source>
        <translation>CREDIT (EURO):</translation>
    </message>
    <message>
        <source>TEMPO RIMANENTE</source>
        <translation>TIME LEFT</translation>
    </message>
    <message>
        <source>CHIUDI OPERAZIONE</source>
        <translation>END PURCHASE</translation>
    </message>
    <message>
        <source>SCONTRINO NON DISPONIBILE</source>
        <translation>RECEIPT NOT AVAILABLE</translation>
    </message>
</context>
<context>
    <name>MotorDispenserErrorNotification</name>
    <message>
        <source>Malfunzionamento erogatore </source>
        <translation>Dispenser fault </translation>
    </message>
</context>
<context>
    <name>MotorDispenserMonitor</name>
    <message>
        <source>File %1 troppo grande (%2 byte): letti solo i primi %3 byte</source>
        <translation>File %1 too large (%2 bytes): only the first %3 bytes read</translation>
    </message>
</context>
<context>
    <name>OpenPharmaciesPage</name>
    <message>
        <source>FARMACIE
DI TURNO</source>
        <translation>PHARMACIES
ON DUTY</translation>
    </message>
</context>
<context>
    <name>PeriodicDbLogger</name>
    <message>
        <source>Registro eventi danneggiato: conservato come %1, creato un nuovo registro</source>
        <translation>Event log damaged: kept as %1, a new log was started</translation>
    </message>
</context>
<context>
    <name>PowerEvent</name>
    <message>
        <source>Accensione</source>
        <translation>Power on</translation>
    </message>
    <message>
        <source>Riavvio</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <source>Spegnimento</source>
        <translation>Shutdown</translation>
    </message>
    <message>
        <source>Spegnimento per funzionamento a batteria</source>
        <translation>Shutdown on battery power</translation>
    </message>
</context>
<context>
    <name>ProductDatabase</name>
    <message>
        <source>Catalogo %1 troppo grande (%2 byte, massimo %3): ignorato</source>
        <translation>Catalogue %1 too large (%2 bytes, at most %3): ignored</translation>
    </message>
    <message>
        <source>nessun elemento catalogue</source>
        <translation>no catalogue element</translation>
    </message>
    <message>
        <source>Catalogo %1 danneggiato (%2)</source>
        <translation>Catalogue %1 damaged (%2)</translation>
    </message>
</context>
<context>
    <name>ProductDetailsPage</name>
    <message>
        <source>CREDITO INSUFFICIENTE</source>
        <translation>NOT ENOUGH CREDIT</translation>
    </message>
    <message>
        <source>Tocca questo riquadro per continuare</source>
        <translation>Touch this box to continue</translation>
    </message>
    <message>
        <source>DESCRIZIONE:</source>
        <translation>DESCRIPTION:</translation>
    </message>
    <message>
        <source>PREZZO UNITARIO:</source>
        <translation>UNIT PRICE:</translation>
    </message>
    <message>
        <source>QUANTITA&apos;:</source>
        <translation>QUANTITY:</translation>
    </message>
    <message>
        <source>TOTALE:</source>
        <translation>TOTAL:</translation>
    </message>
    <message>
        <source>ANNULLA</source>
        <translation>CANCEL</translation>
    </message>
    <message>
        <source>CONFERMA</source>
        <translation>CONFIRM</translation>
    </message>
</context>
<context>
    <name>ProductDispensingPage</name>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Preparazione erogazione prodotti</source>
        <translation>Getting your products ready</translation>
    </message>
    <message>
        <source>Prelievo cashless</source>
        <translation>Charging your card</translation>
    </message>
    <message numerus="yes">
        <source>Attenzione: erogati %n prodott(o) su %1</source>
        <translation>
            <numerusform>Please note: %n product of %1 delivered</numerusform>
            <numerusform>Please note: %n products of %1 delivered</numerusform>
        </translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Touch this box to continue</translation>
    </message>
    <message>
        <source>RITIRA PRODOTTO</source>
        <translation>TAKE YOUR PRODUCT</translation>
    </message>
</context>
<context>
    <name>ProductPage</name>
    <message>
        <source>Fine sessione</source>
        <translation>End of purchase</translation>
    </message>
    <message>
        <source>Operazione completata</source>
        <translation>Thank you</translation>
    </message>
    <message>
        <source>Attendere erogazione resto</source>
        <translation>Please wait for your change</translation>
    </message>
    <message>
        <source>Impossibile erogare resto per euro %1</source>
        <translation>Change of euro %1 could not be paid</translation>
    </message>
    <message>
        <source>Impossibile erogare resto per %1 euro</source>
        <translation>%1 euro of change could not be paid</translation>
    </message>
    <message>
        <source>Attendere stampa scontrino</source>
        <translation>Please wait for your receipt</translation>
    </message>
    <message>
        <source>Impossibile stampare scontrino per credito dovuto di %1</source>
        <translation>The receipt for the credit owed of %1 could not be printed</translation>
    </message>
    <message>
        <source>Tocca questo riquadro per terminare l&apos;operazione</source>
        <translation>Touch this box to finish</translation>
    </message>
    <message>
        <source>IMPORTO DOVUTO: %1</source>
        <translation>IMPORTO DOVUTO: %1</translation>
    </message>
    <message>
        <source>PRESENTARE QUESTO</source>
        <translation>PRESENTARE QUESTO</translation>
    </message>
    <message>
        <source>SCONTRINO NEGLI ORARI</source>
        <translation>SCONTRINO NEGLI ORARI</translation>
    </message>
    <message>
        <source>DI APERTURA PER IL</source>
        <translation>DI APERTURA PER IL</translation>
    </message>
    <message>
        <source>RIMBORSO DEL CREDITO</source>
        <translation>RIMBORSO DEL CREDITO</translation>
    </message>
    <message>
        <source>NON UTILIZZATO</source>
        <translation>NON UTILIZZATO</translation>
    </message>
    <message>
        <source>Addebito cashless di euro %1 non confermato dalla scheda: registrato come addebitato</source>
        <translation>Cashless charge of euro %1 not confirmed by the board: booked as charged</translation>
    </message>
    <message>
        <source>Ricarica cashless di euro %1 non confermata dalla scheda: registrata come accreditata</source>
        <translation>Cashless recharge of euro %1 not confirmed by the board: booked as credited</translation>
    </message>
    <message>
        <source>Erogazione dall&apos;erogatore %1 non confermata dalla scheda: registrata come avvenuta</source>
        <translation>Delivery from dispenser %1 not confirmed by the board: booked as delivered</translation>
    </message>
    <message>
        <source>Erogazione resto di euro %1 non confermata dalla scheda: registrata come erogata</source>
        <translation>Change of euro %1 not confirmed by the board: booked as paid</translation>
    </message>
</context>
<context>
    <name>ProductSoldOutNotification</name>
    <message>
        <source>Prodotto &apos;%1&apos; (%2) esaurito alla colonna %3</source>
        <translation>Product &apos;%1&apos; (%2) sold out in column %3</translation>
    </message>
</context>
<context>
    <name>SettingsManager</name>
    <message>
        <source>File delle impostazioni %1 illeggibile: usati i valori predefiniti</source>
        <translation>Settings file %1 unreadable: defaults used</translation>
    </message>
</context>
<context>
    <name>SimpleDisplayActivity</name>
    <message>
        <source>TORNA INDIETRO</source>
        <translation>GO BACK</translation>
    </message>
</context>
<context>
    <name>SplashMessages</name>
    <message>
        <source>Inizializzazione interfaccia grafica</source>
        <translation>Initialising user interface</translation>
    </message>
</context>
<context>
    <name>SuggestionsPage</name>
    <message>
        <source>POTREBBE INTERESSARTI ANCHE</source>
        <translation>YOU MIGHT ALSO LIKE</translation>
    </message>
    <message>
        <source>ALTRI PRODOTTI</source>
        <translation>OTHER PRODUCTS</translation>
    </message>
    <message>
        <source>NO GRAZIE</source>
        <translation>NO THANKS</translation>
    </message>
</context>
<context>
    <name>VendingSessionContext</name>
    <message>
        <source>Credito corrente: %1</source>
        <translation>Current credit: %1</translation>
    </message>
</context>
<context>
    <name>YesNoDialog</name>
    <message>
        <source>Sì</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
</TS>
