<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="it">
<context>
    <name>Alarms</name>
    <message>
        <source>Macchina manomessa</source>
        <translation>Macchina manomessa</translation>
    </message>
    <message>
        <source>Funzionamento a batteria</source>
        <translation>Funzionamento a batteria</translation>
    </message>
    <message>
        <source>Prodotti non disponibili</source>
        <translation>Prodotti non disponibili</translation>
    </message>
    <message>
        <source>Impossibile immettere credito</source>
        <translation>Impossibile immettere credito</translation>
    </message>
    <message>
        <source>Schermo bloccato</source>
        <translation>Schermo bloccato</translation>
    </message>
    <message>
        <source>Touchscreen non collegato</source>
        <translation>Touchscreen non collegato</translation>
    </message>
    <message>
        <source>Scheda di controllo in errore</source>
        <translation>Scheda di controllo in errore</translation>
    </message>
</context>
<context>
    <name>CustomBannerPage</name>
    <message>
        <source>INFORMAZIONI DELLA FARMACIA</source>
        <translation>INFORMAZIONI DELLA FARMACIA</translation>
    </message>
</context>
<context>
    <name>EmptyHopperNotification</name>
    <message>
        <source>Hopper %1 vuoto</source>
        <translation>Hopper %1 vuoto</translation>
    </message>
</context>
<context>
    <name>HomePage</name>
    <message>
        <source>TOCCA LO SCHERMO PER ACQUISTARE</source>
        <translation>TOCCA LO SCHERMO PER ACQUISTARE</translation>
    </message>
    <message>
        <source>FARMACIE
DI TURNO</source>
        <translation>FARMACIE
DI TURNO</translation>
    </message>
</context>
<context>
    <name>InformationPanel</name>
    <message>
        <source>RESTO MASSIMO EROGABILE
%1</source>
        <translation>RESTO MASSIMO EROGABILE
%1</translation>
    </message>
    <message>
        <source>RESTO NON DISPONIBILE</source>
        <translation>RESTO NON DISPONIBILE</translation>
    </message>
    <message>
        <source>INSERISCI DENARO</source>
        <translation>INSERISCI DENARO</translation>
    </message>
    <message>
        <source>CREDITO EURO:</source>
        <translation>CREDITO EURO:</translation>
    </message>
    <message>
        <source>TEMPO RIMANENTE</source>
        <translation>TEMPO RIMANENTE</translation>
    </message>
    <message>
        <source>CHIUDI OPERAZIONE</source>
        <translation>CHIUDI OPERAZIONE</translation>
    </message>
    <message>
        <source>SCONTRINO NON DISPONIBILE</source>
        <translation>SCONTRINO NON DISPONIBILE</translation>
    </message>
</context>
<context>
    <name>MotorDispenserErrorNotification</name>
    <message>
        <source>Malfunzionamento erogatore </source>
        <translation>Malfunzionamento erogatore </translation>
    </message>
</context>
<context>
    <name>OpenPharmaciesPage</name>
    <message>
        <source>FARMACIE
DI TURNO</source>
        <translation>FARMACIE
DI TURNO</translation>
    </message>
</context>
<context>
    <name>PowerEvent</name>
    <message>
        <source>Accensione</source>
        <translation>Accensione</translation>
    </message>
    <message>
        <source>Riavvio</source>
        <translation>Riavvio</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <source>Spegnimento</source>
        <translation>Spegnimento</translation>
    </message>
    <message>
        <source>Spegnimento per funzionamento a batteria</source>
        <translation>Spegnimento per funzionamento a batteria</translation>
    </message>
</context>
<context>
    <name>ProductSoldOutNotification</name>
    <message>
        <source>Prodotto &apos;%1&apos; (%2) esaurito alla colonna %3</source>
        <translation>Prodotto &apos;%1&apos; (%2) esaurito alla colonna %3</translation>
    </message>
</context>
<context>
    <name>SimpleDisplayActivity</name>
    <message>
        <source>TORNA INDIETRO</source>
        <translation>TORNA INDIETRO</translation>
    </message>
</context>
<context>
    <name>SplashMessages</name>
    <message>
        <source>Inizializzazione interfaccia grafica</source>
        <translation>Inizializzazione interfaccia grafica</translation>
    </message>
</context>
<context>
    <name>YesNoDialog</name>
    <message>
        <source>Sì</source>
        <translation>Sì</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
</TS>
