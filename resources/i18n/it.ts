<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="it">
<context>
    <name>AbstractNumPad</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
</context>
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
    <name>ApplicationSettings</name>
    <message>
        <source>&lt;b style=&apos;color: red&apos;&gt;Scollegato&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: red&apos;&gt;Scollegato&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: red&apos;&gt;Errore routing&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: red&apos;&gt;Errore routing&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: yellow&apos;&gt;Errore DNS&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: yellow&apos;&gt;Errore DNS&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&apos;color: green&apos;&gt;Connesso&lt;/span&gt;</source>
        <translation>&lt;span style=&apos;color: green&apos;&gt;Connesso&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Assistenza</source>
        <translation>Assistenza</translation>
    </message>
    <message>
        <source>Indirizzo email per richiesta assistenza</source>
        <translation>Indirizzo email per richiesta assistenza</translation>
    </message>
    <message>
        <source>Generale</source>
        <translation>Generale</translation>
    </message>
    <message>
        <source>Informazioni farmacia</source>
        <translation>Informazioni farmacia</translation>
    </message>
    <message>
        <source>Titolo bottone</source>
        <translation>Titolo bottone</translation>
    </message>
    <message>
        <source>Scontrino - Riga 1</source>
        <translation>Scontrino - Riga 1</translation>
    </message>
    <message>
        <source>Scontrino - Riga 2</source>
        <translation>Scontrino - Riga 2</translation>
    </message>
    <message>
        <source>Scontrino - Riga 3</source>
        <translation>Scontrino - Riga 3</translation>
    </message>
    <message>
        <source>Lingua</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Resto massimo</source>
        <translation>Resto massimo</translation>
    </message>
    <message>
        <source>Credito massimo</source>
        <translation>Credito massimo</translation>
    </message>
    <message>
        <source>Hopper 1</source>
        <translation>Hopper 1</translation>
    </message>
    <message>
        <source>Hopper 2</source>
        <translation>Hopper 2</translation>
    </message>
    <message>
        <source>Valori hopper</source>
        <translation>Valori hopper</translation>
    </message>
    <message>
        <source>Numero di serie</source>
        <translation>Numero di serie</translation>
    </message>
    <message>
        <source>Barriera prodotti</source>
        <translation>Barriera prodotti</translation>
    </message>
    <message>
        <source>Imposta data e ora</source>
        <translation>Imposta data e ora</translation>
    </message>
    <message>
        <source>Imposta ora</source>
        <translation>Imposta ora</translation>
    </message>
    <message>
        <source>Imposta data</source>
        <translation>Imposta data</translation>
    </message>
    <message>
        <source>Timer e Operazioni Pianificate</source>
        <translation>Timer e Operazioni Pianificate</translation>
    </message>
    <message>
        <source>Attesa breve</source>
        <translation>Attesa breve</translation>
    </message>
    <message>
        <source>Tempo di attesa breve</source>
        <translation>Tempo di attesa breve</translation>
    </message>
    <message>
        <source>Attesa lunga</source>
        <translation>Attesa lunga</translation>
    </message>
    <message>
        <source>Tempo di attesa lunga</source>
        <translation>Tempo di attesa lunga</translation>
    </message>
    <message>
        <source>Ripristino lingua</source>
        <translation>Ripristino lingua</translation>
    </message>
    <message>
        <source>Timer di ripristino lingua di default</source>
        <translation>Timer di ripristino lingua di default</translation>
    </message>
    <message>
        <source>Invio log e contabilità</source>
        <translation>Invio log e contabilità</translation>
    </message>
    <message>
        <source>Orario invio dati</source>
        <translation>Orario invio dati</translation>
    </message>
    <message>
        <source>Aggiornamento da remoto</source>
        <translation>Aggiornamento da remoto</translation>
    </message>
    <message>
        <source>Orario controllo aggiornamenti</source>
        <translation>Orario controllo aggiornamenti</translation>
    </message>
    <message>
        <source>Configurazione di Rete</source>
        <translation>Configurazione di Rete</translation>
    </message>
    <message>
        <source>Metodo</source>
        <translation>Metodo</translation>
    </message>
    <message>
        <source>IP host</source>
        <translation>IP host</translation>
    </message>
    <message>
        <source>CIDR Netmask</source>
        <translation>CIDR Netmask</translation>
    </message>
    <message>
        <source>Netmask in formato CIDR</source>
        <translation>Netmask in formato CIDR</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>DNS</source>
        <translation>DNS</translation>
    </message>
    <message>
        <source>Test rete</source>
        <translation>Test rete</translation>
    </message>
    <message>
        <source>Server FTP per Invio Dati</source>
        <translation>Server FTP per Invio Dati</translation>
    </message>
    <message>
        <source>Protocollo</source>
        <translation>Protocollo</translation>
    </message>
    <message>
        <source>Indirizzo</source>
        <translation>Indirizzo</translation>
    </message>
    <message>
        <source>Porta</source>
        <translation>Porta</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Username</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Server per Aggiornamenti Remoti</source>
        <translation>Server per Aggiornamenti Remoti</translation>
    </message>
    <message>
        <source>Allarmi e Notifiche</source>
        <translation>Allarmi e Notifiche</translation>
    </message>
    <message>
        <source>Indirizzo email per notifiche allarmi</source>
        <translation>Indirizzo email per notifiche allarmi</translation>
    </message>
    <message>
        <source>Impostazioni di configurazione</source>
        <translation>Impostazioni di configurazione</translation>
    </message>
    <message>
        <source>Statico</source>
        <translation>Statico</translation>
    </message>
    <message>
        <source>Dinamico (DHCP)</source>
        <translation>Dinamico (DHCP)</translation>
    </message>
    <message>
        <source>Controlla barriera</source>
        <translation>Controlla barriera</translation>
    </message>
    <message>
        <source>Non controllare barriera</source>
        <translation>Non controllare barriera</translation>
    </message>
    <message>
        <source>Invia mail di notifica</source>
        <translation>Invia mail di notifica</translation>
    </message>
    <message>
        <source>Non inviare mail di notifica</source>
        <translation>Non inviare mail di notifica</translation>
    </message>
    <message>
        <source>Salva modifiche</source>
        <translation>Salva modifiche</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>&lt;i&gt;Test non eseguito&lt;/i&gt;</source>
        <translation>&lt;i&gt;Test non eseguito&lt;/i&gt;</translation>
    </message>
    <message>
        <source>Salvataggio impostazioni in corso</source>
        <translation>Salvataggio impostazioni in corso</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Modifica orologio di sistema</source>
        <translation>Modifica orologio di sistema</translation>
    </message>
    <message>
        <source>La macchina sarà riavviata tra 5 secondi</source>
        <translation>La macchina sarà riavviata tra 5 secondi</translation>
    </message>
    <message>
        <source>Esecuzione test di rete</source>
        <translation>Esecuzione test di rete</translation>
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
    <name>ConfirmationDialog</name>
    <message>
        <source>Modifiche non salvate</source>
        <translation>Modifiche non salvate</translation>
    </message>
    <message>
        <source>Ci sono modifiche non salvate nella configurazione. Come procedere?</source>
        <translation>Ci sono modifiche non salvate nella configurazione. Come procedere?</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Ignora modifiche</source>
        <translation>Ignora modifiche</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
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
    <name>MaintenanceMenu</name>
    <message>
        <source>Impostazione selezioni</source>
        <translation>Impostazione selezioni</translation>
    </message>
    <message>
        <source>Impostazione prezzi</source>
        <translation>Impostazione prezzi</translation>
    </message>
    <message>
        <source>Contabilità</source>
        <translation>Contabilità</translation>
    </message>
    <message>
        <source>Altre impostazioni</source>
        <translation>Altre impostazioni</translation>
    </message>
    <message>
        <source>Periferiche</source>
        <translation>Periferiche</translation>
    </message>
    <message>
        <source>Visualizzazione log</source>
        <translation>Visualizzazione log</translation>
    </message>
    <message>
        <source>Generazione chiavi</source>
        <translation>Generazione chiavi</translation>
    </message>
    <message>
        <source>Riassunto scontrini</source>
        <translation>Riassunto scontrini</translation>
    </message>
    <message>
        <source>Aggiornamenti da USB</source>
        <translation>Aggiornamenti da USB</translation>
    </message>
    <message>
        <source>Esporta a USB</source>
        <translation>Esporta a USB</translation>
    </message>
    <message>
        <source>Menu di manutenzione</source>
        <translation>Menu di manutenzione</translation>
    </message>
    <message>
        <source>Invia richiesta di assistenza</source>
        <translation>Invia richiesta di assistenza</translation>
    </message>
    <message>
        <source>Riavvia</source>
        <translation>Riavvia</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Versione %1</source>
        <translation>Versione %1</translation>
    </message>
    <message>
        <source>Nessuna chiave USB inserita</source>
        <translation>Nessuna chiave USB inserita</translation>
    </message>
    <message>
        <source>Utente livello %1</source>
        <translation>Utente livello %1</translation>
    </message>
    <message>
        <source>Vuoi veramente inviare una richeista di assistenza?</source>
        <translation>Vuoi veramente inviare una richeista di assistenza?</translation>
    </message>
    <message>
        <source>Invia</source>
        <translation>Invia</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Indirizzo email di assistenza non configurato</source>
        <translation>Indirizzo email di assistenza non configurato</translation>
    </message>
</context>
<context>
    <name>MaintenanceMode</name>
    <message>
        <source>Autenticazione chiave USB</source>
        <translation>Autenticazione chiave USB</translation>
    </message>
    <message>
        <source>Non rimuovere il dispositivo USB</source>
        <translation>Non rimuovere il dispositivo USB</translation>
    </message>
    <message>
        <source>Rimozione USB in corso</source>
        <translation>Rimozione USB in corso</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Rimuovere il dispositivo USB per continuare</source>
        <translation>Rimuovere il dispositivo USB per continuare</translation>
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
        <source>Addebito cashless di euro %1 confermato dalla scheda, ma il saldo della carta è variato di euro %2: registrato come addebitato</source>
        <translation>Addebito cashless di euro %1 confermato dalla scheda, ma il saldo della carta è variato di euro %2: registrato come addebitato</translation>
    </message>
    <message>
        <source>Ricarica cashless di euro %1 confermata dalla scheda, ma il saldo della carta è variato di euro %2: registrata come accreditata</source>
        <translation>Ricarica cashless di euro %1 confermata dalla scheda, ma il saldo della carta è variato di euro %2: registrata come accreditata</translation>
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
    <name>ResetDialog</name>
    <message>
        <source>Esecuzione operazioni di ripristino</source>
        <translation>Esecuzione operazioni di ripristino</translation>
    </message>
    <message>
        <source>Attendere il riavvio ed estrarre il dispositivo USB</source>
        <translation>Attendere il riavvio ed estrarre il dispositivo USB</translation>
    </message>
    <message>
        <source>Tocca questo riquadro per riavviare</source>
        <translation>Tocca questo riquadro per riavviare</translation>
    </message>
</context>
<context>
    <name>SecurityDialog</name>
    <message>
        <source>Programmazione chiavi di accesso</source>
        <translation>Programmazione chiavi di accesso</translation>
    </message>
    <message>
        <source>Chiave di livello %1</source>
        <translation>Chiave di livello %1</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Utente di livello %1</source>
        <translation>Utente di livello %1</translation>
    </message>
    <message>
        <source>Privilegi insufficienti</source>
        <translation>Privilegi insufficienti</translation>
    </message>
    <message>
        <source>Tocca il riquadro per uscire</source>
        <translation>Tocca il riquadro per uscire</translation>
    </message>
    <message>
        <source>Caricamento parametri di sicurezza</source>
        <translation>Caricamento parametri di sicurezza</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Inserire un dispositivo USB per iniziare la programmazione</source>
        <translation>Inserire un dispositivo USB per iniziare la programmazione</translation>
    </message>
    <message>
        <source>Programmazione avvenuta con successo</source>
        <translation>Programmazione avvenuta con successo</translation>
    </message>
    <message>
        <source>Impossibile programmare la chiave</source>
        <translation>Impossibile programmare la chiave</translation>
    </message>
    <message>
        <source>Rimuovere il dispositivo USB per continuare</source>
        <translation>Rimuovere il dispositivo USB per continuare</translation>
    </message>
    <message>
        <source>Programmazione chiave di livello %1 in corso</source>
        <translation>Programmazione chiave di livello %1 in corso</translation>
    </message>
    <message>
        <source>Non rimuovere il dispositivo USB</source>
        <translation>Non rimuovere il dispositivo USB</translation>
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
    <name>VirtualKeyboard</name>
    <message>
        <source>shift</source>
        <translation>shift</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
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
