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
    <name>OpenPharmaciesPage</name>
    <message>
        <source>FARMACIE
DI TURNO</source>
        <translation>PHARMACIES
ON DUTY</translation>
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
    <name>ProductSoldOutNotification</name>
    <message>
        <source>Prodotto &apos;%1&apos; (%2) esaurito alla colonna %3</source>
        <translation>Product &apos;%1&apos; (%2) sold out in column %3</translation>
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
