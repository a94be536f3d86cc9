<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="it">
<context>
    <name>Alarms</name>
    <message>
        <source>Macchina manomessa</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Funzionamento a batteria</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prodotti non disponibili</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Impossibile immettere credito</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schermo bloccato</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Touchscreen non collegato</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheda di controllo in errore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmptyHopperNotification</name>
    <message>
        <source>Hopper %1 vuoto</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MotorDispenserErrorNotification</name>
    <message>
        <source>Malfunzionamento erogatore </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PowerEvent</name>
    <message>
        <source>Accensione</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Riavvio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spegnimento</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spegnimento per funzionamento a batteria</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProductSoldOutNotification</name>
    <message>
        <source>Prodotto &apos;%1&apos; (%2) esaurito alla colonna %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SplashMessages</name>
    <message>
        <source>Inizializzazione interfaccia grafica</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>YesNoDialog</name>
    <message>
        <source>Sì</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
