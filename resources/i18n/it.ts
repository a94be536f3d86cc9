<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="it">
<context>
    <name>Accounting</name>
    <message>
        <source>Banconote</source>
        <translation>Banconote</translation>
    </message>
    <message>
        <source>Monete</source>
        <translation>Monete</translation>
    </message>
    <message>
        <source>Ricariche</source>
        <translation>Ricariche</translation>
    </message>
    <message>
        <source>Incasso contante</source>
        <translation>Incasso contante</translation>
    </message>
    <message>
        <source>Incasso cashless</source>
        <translation>Incasso cashless</translation>
    </message>
    <message>
        <source>Incasso POS</source>
        <translation>Incasso POS</translation>
    </message>
    <message>
        <source>Totale resti</source>
        <translation>Totale resti</translation>
    </message>
    <message>
        <source>Credito dovuto</source>
        <translation>Credito dovuto</translation>
    </message>
    <message>
        <source>Cashbox monete</source>
        <translation>Cashbox monete</translation>
    </message>
    <message>
        <source>Numero ricariche</source>
        <translation>Numero ricariche</translation>
    </message>
    <message>
        <source>Resti erogati</source>
        <translation>Resti erogati</translation>
    </message>
    <message>
        <source>Totale</source>
        <translation>Totale</translation>
    </message>
    <message>
        <source>Parziale</source>
        <translation>Parziale</translation>
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
        <translation>Momentaneamente
fuori servizio</translation>
    </message>
</context>
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
    <name>BoardLinkWatcher</name>
    <message>
        <source>La scheda di controllo non risponde: nuovo tentativo ogni %1 s</source>
        <translation>La scheda di controllo non risponde: nuovo tentativo ogni %1 s</translation>
    </message>
    <message>
        <source>La scheda di controllo risponde di nuovo</source>
        <translation>La scheda di controllo risponde di nuovo</translation>
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
    <name>MotorDispenserMonitor</name>
    <message>
        <source>File %1 troppo grande (%2 byte): letti solo i primi %3 byte</source>
        <translation>File %1 troppo grande (%2 byte): letti solo i primi %3 byte</translation>
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
    <name>PeriodicDbLogger</name>
    <message>
        <source>Registro eventi danneggiato: conservato come %1, creato un nuovo registro</source>
        <translation>Registro eventi danneggiato: conservato come %1, creato un nuovo registro</translation>
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
    <name>ProductDatabase</name>
    <message>
        <source>Catalogo %1 troppo grande (%2 byte, massimo %3): ignorato</source>
        <translation>Catalogo %1 troppo grande (%2 byte, massimo %3): ignorato</translation>
    </message>
    <message>
        <source>nessun elemento catalogue</source>
        <translation>nessun elemento catalogue</translation>
    </message>
    <message>
        <source>Catalogo %1 danneggiato (%2)</source>
        <translation>Catalogo %1 danneggiato (%2)</translation>
    </message>
</context>
<context>
    <name>ProductDetailsPage</name>
    <message>
        <source>CREDITO INSUFFICIENTE</source>
        <translation>CREDITO INSUFFICIENTE</translation>
    </message>
    <message>
        <source>Tocca questo riquadro per continuare</source>
        <translation>Tocca questo riquadro per continuare</translation>
    </message>
    <message>
        <source>DESCRIZIONE:</source>
        <translation>DESCRIZIONE:</translation>
    </message>
    <message>
        <source>PREZZO UNITARIO:</source>
        <translation>PREZZO UNITARIO:</translation>
    </message>
    <message>
        <source>QUANTITA&apos;:</source>
        <translation>QUANTITA&apos;:</translation>
    </message>
    <message>
        <source>TOTALE:</source>
        <translation>TOTALE:</translation>
    </message>
    <message>
        <source>ANNULLA</source>
        <translation>ANNULLA</translation>
    </message>
    <message>
        <source>CONFERMA</source>
        <translation>CONFERMA</translation>
    </message>
</context>
<context>
    <name>ProductDispensingPage</name>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Preparazione erogazione prodotti</source>
        <translation>Preparazione erogazione prodotti</translation>
    </message>
    <message>
        <source>Prelievo cashless</source>
        <translation>Prelievo cashless</translation>
    </message>
    <message numerus="yes">
        <source>Attenzione: erogati %n prodott(o) su %1</source>
        <translation>
            <numerusform>Attenzione: erogato %n prodotto su %1</numerusform>
            <numerusform>Attenzione: erogati %n prodotti su %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Toccare questo riquadro per continuare</translation>
    </message>
    <message>
        <source>RITIRA PRODOTTO</source>
        <translation>RITIRA PRODOTTO</translation>
    </message>
</context>
<context>
    <name>ProductPage</name>
    <message>
        <source>Fine sessione</source>
        <translation>Fine sessione</translation>
    </message>
    <message>
        <source>Operazione completata</source>
        <translation>Operazione completata</translation>
    </message>
    <message>
        <source>Attendere erogazione resto</source>
        <translation>Attendere erogazione resto</translation>
    </message>
    <message>
        <source>Impossibile erogare resto per euro %1</source>
        <translation>Impossibile erogare resto per euro %1</translation>
    </message>
    <message>
        <source>Impossibile erogare resto per %1 euro</source>
        <translation>Impossibile erogare resto per %1 euro</translation>
    </message>
    <message>
        <source>Attendere stampa scontrino</source>
        <translation>Attendere stampa scontrino</translation>
    </message>
    <message>
        <source>Impossibile stampare scontrino per credito dovuto di %1</source>
        <translation>Impossibile stampare scontrino per credito dovuto di %1</translation>
    </message>
    <message>
        <source>Tocca questo riquadro per terminare l&apos;operazione</source>
        <translation>Tocca questo riquadro per terminare l&apos;operazione</translation>
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
        <translation>Addebito cashless di euro %1 non confermato dalla scheda: registrato come addebitato</translation>
    </message>
    <message>
        <source>Ricarica cashless di euro %1 non confermata dalla scheda: registrata come accreditata</source>
        <translation>Ricarica cashless di euro %1 non confermata dalla scheda: registrata come accreditata</translation>
    </message>
    <message>
        <source>Erogazione dall&apos;erogatore %1 non confermata dalla scheda: registrata come avvenuta</source>
        <translation>Erogazione dall&apos;erogatore %1 non confermata dalla scheda: registrata come avvenuta</translation>
    </message>
    <message>
        <source>Erogazione resto di euro %1 non confermata dalla scheda: registrata come erogata</source>
        <translation>Erogazione resto di euro %1 non confermata dalla scheda: registrata come erogata</translation>
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
    <name>SettingsManager</name>
    <message>
        <source>File delle impostazioni %1 illeggibile: usati i valori predefiniti</source>
        <translation>File delle impostazioni %1 illeggibile: usati i valori predefiniti</translation>
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
    <name>SuggestionsPage</name>
    <message>
        <source>POTREBBE INTERESSARTI ANCHE</source>
        <translation>POTREBBE INTERESSARTI ANCHE</translation>
    </message>
    <message>
        <source>ALTRI PRODOTTI</source>
        <translation>ALTRI PRODOTTI</translation>
    </message>
    <message>
        <source>NO GRAZIE</source>
        <translation>NO GRAZIE</translation>
    </message>
</context>
<context>
    <name>VendingSessionContext</name>
    <message>
        <source>Credito corrente: %1</source>
        <translation>Credito corrente: %1</translation>
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
