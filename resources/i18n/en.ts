<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="it">
<context>
    <name>AbstractNumPad</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
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
    <name>ApplicationSettings</name>
    <message>
        <source>&lt;b style=&apos;color: red&apos;&gt;Scollegato&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: red&apos;&gt;Disconnected&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: red&apos;&gt;Errore routing&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: red&apos;&gt;Routing error&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: yellow&apos;&gt;Errore DNS&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: yellow&apos;&gt;DNS error&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&apos;color: green&apos;&gt;Connesso&lt;/span&gt;</source>
        <translation>&lt;span style=&apos;color: green&apos;&gt;Connected&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Assistenza</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Indirizzo email per richiesta assistenza</source>
        <translation>Support request e-mail address</translation>
    </message>
    <message>
        <source>Generale</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Informazioni farmacia</source>
        <translation>Pharmacy information</translation>
    </message>
    <message>
        <source>Titolo bottone</source>
        <translation>Button title</translation>
    </message>
    <message>
        <source>Scontrino - Riga 1</source>
        <translation>Receipt - Line 1</translation>
    </message>
    <message>
        <source>Scontrino - Riga 2</source>
        <translation>Receipt - Line 2</translation>
    </message>
    <message>
        <source>Scontrino - Riga 3</source>
        <translation>Receipt - Line 3</translation>
    </message>
    <message>
        <source>Lingua</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Resto massimo</source>
        <translation>Maximum change</translation>
    </message>
    <message>
        <source>Credito massimo</source>
        <translation>Maximum credit</translation>
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
        <translation>Hopper values</translation>
    </message>
    <message>
        <source>Numero di serie</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Barriera prodotti</source>
        <translation>Product barrier</translation>
    </message>
    <message>
        <source>Imposta data e ora</source>
        <translation>Set date and time</translation>
    </message>
    <message>
        <source>Imposta ora</source>
        <translation>Set time</translation>
    </message>
    <message>
        <source>Imposta data</source>
        <translation>Set date</translation>
    </message>
    <message>
        <source>Timer e Operazioni Pianificate</source>
        <translation>Timers and Scheduled Operations</translation>
    </message>
    <message>
        <source>Attesa breve</source>
        <translation>Short wait</translation>
    </message>
    <message>
        <source>Tempo di attesa breve</source>
        <translation>Short waiting time</translation>
    </message>
    <message>
        <source>Attesa lunga</source>
        <translation>Long wait</translation>
    </message>
    <message>
        <source>Tempo di attesa lunga</source>
        <translation>Long waiting time</translation>
    </message>
    <message>
        <source>Ripristino lingua</source>
        <translation>Language reset</translation>
    </message>
    <message>
        <source>Timer di ripristino lingua di default</source>
        <translation>Default language reset timer</translation>
    </message>
    <message>
        <source>Invio log e contabilità</source>
        <translation>Log and accounting upload</translation>
    </message>
    <message>
        <source>Orario invio dati</source>
        <translation>Data upload time</translation>
    </message>
    <message>
        <source>Aggiornamento da remoto</source>
        <translation>Remote update</translation>
    </message>
    <message>
        <source>Orario controllo aggiornamenti</source>
        <translation>Update check time</translation>
    </message>
    <message>
        <source>Configurazione di Rete</source>
        <translation>Network Configuration</translation>
    </message>
    <message>
        <source>Metodo</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>IP host</source>
        <translation>Host IP</translation>
    </message>
    <message>
        <source>CIDR Netmask</source>
        <translation>CIDR netmask</translation>
    </message>
    <message>
        <source>Netmask in formato CIDR</source>
        <translation>Netmask in CIDR form</translation>
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
        <translation>Network test</translation>
    </message>
    <message>
        <source>Server FTP per Invio Dati</source>
        <translation>FTP Server for Data Upload</translation>
    </message>
    <message>
        <source>Protocollo</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>Indirizzo</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Porta</source>
        <translation>Port</translation>
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
        <translation>Remote Updates Server</translation>
    </message>
    <message>
        <source>Allarmi e Notifiche</source>
        <translation>Alarms and Notifications</translation>
    </message>
    <message>
        <source>Indirizzo email per notifiche allarmi</source>
        <translation>Alarm notification e-mail address</translation>
    </message>
    <message>
        <source>Impostazioni di configurazione</source>
        <translation>Configuration settings</translation>
    </message>
    <message>
        <source>Statico</source>
        <translation>Static</translation>
    </message>
    <message>
        <source>Dinamico (DHCP)</source>
        <translation>Dynamic (DHCP)</translation>
    </message>
    <message>
        <source>Controlla barriera</source>
        <translation>Check barrier</translation>
    </message>
    <message>
        <source>Non controllare barriera</source>
        <translation>Do not check barrier</translation>
    </message>
    <message>
        <source>Invia mail di notifica</source>
        <translation>Send notification mails</translation>
    </message>
    <message>
        <source>Non inviare mail di notifica</source>
        <translation>Do not send notification mails</translation>
    </message>
    <message>
        <source>Salva modifiche</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>&lt;i&gt;Test non eseguito&lt;/i&gt;</source>
        <translation>&lt;i&gt;Test not run&lt;/i&gt;</translation>
    </message>
    <message>
        <source>Salvataggio impostazioni in corso</source>
        <translation>Saving settings</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Modifica orologio di sistema</source>
        <translation>System clock change</translation>
    </message>
    <message>
        <source>La macchina sarà riavviata tra 5 secondi</source>
        <translation>The machine will restart in 5 seconds</translation>
    </message>
    <message>
        <source>Esecuzione test di rete</source>
        <translation>Running network test</translation>
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
    <name>ConfirmationDialog</name>
    <message>
        <source>Modifiche non salvate</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>Ci sono modifiche non salvate nella configurazione. Come procedere?</source>
        <translation>There are unsaved changes in the configuration. How do you want to proceed?</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ignora modifiche</source>
        <translation>Discard changes</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
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
    <name>MaintenanceMenu</name>
    <message>
        <source>Impostazione selezioni</source>
        <translation>Selection setup</translation>
    </message>
    <message>
        <source>Impostazione prezzi</source>
        <translation>Price setup</translation>
    </message>
    <message>
        <source>Contabilità</source>
        <translation>Accounting</translation>
    </message>
    <message>
        <source>Altre impostazioni</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Periferiche</source>
        <translation>Peripherals</translation>
    </message>
    <message>
        <source>Visualizzazione log</source>
        <translation>Log viewer</translation>
    </message>
    <message>
        <source>Generazione chiavi</source>
        <translation>Key generation</translation>
    </message>
    <message>
        <source>Riassunto scontrini</source>
        <translation>Receipt summary</translation>
    </message>
    <message>
        <source>Aggiornamenti da USB</source>
        <translation>Updates from USB</translation>
    </message>
    <message>
        <source>Esporta a USB</source>
        <translation>Export to USB</translation>
    </message>
    <message>
        <source>Menu di manutenzione</source>
        <translation>Maintenance menu</translation>
    </message>
    <message>
        <source>Invia richiesta di assistenza</source>
        <translation>Send support request</translation>
    </message>
    <message>
        <source>Riavvia</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Versione %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Nessuna chiave USB inserita</source>
        <translation>No USB key inserted</translation>
    </message>
    <message>
        <source>Utente livello %1</source>
        <translation>User level %1</translation>
    </message>
    <message>
        <source>Vuoi veramente inviare una richeista di assistenza?</source>
        <translation>Do you really want to send a support request?</translation>
    </message>
    <message>
        <source>Invia</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Indirizzo email di assistenza non configurato</source>
        <translation>Support e-mail address not configured</translation>
    </message>
</context>
<context>
    <name>MaintenanceMode</name>
    <message>
        <source>Autenticazione chiave USB</source>
        <translation>Authenticating USB key</translation>
    </message>
    <message>
        <source>Non rimuovere il dispositivo USB</source>
        <translation>Do not remove the USB device</translation>
    </message>
    <message>
        <source>Rimozione USB in corso</source>
        <translation>Removing USB device</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Rimuovere il dispositivo USB per continuare</source>
        <translation>Remove the USB device to continue</translation>
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
        <source>Addebito cashless di euro %1 confermato dalla scheda, ma il saldo della carta è variato di euro %2: registrato come addebitato</source>
        <translation>Cashless charge of euro %1 confirmed by the board, but the card balance changed by euro %2: booked as charged</translation>
    </message>
    <message>
        <source>Ricarica cashless di euro %1 confermata dalla scheda, ma il saldo della carta è variato di euro %2: registrata come accreditata</source>
        <translation>Cashless recharge of euro %1 confirmed by the board, but the card balance changed by euro %2: booked as credited</translation>
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
    <name>ResetDialog</name>
    <message>
        <source>Esecuzione operazioni di ripristino</source>
        <translation>Running reset operations</translation>
    </message>
    <message>
        <source>Attendere il riavvio ed estrarre il dispositivo USB</source>
        <translation>Wait for the restart and remove the USB device</translation>
    </message>
    <message>
        <source>Tocca questo riquadro per riavviare</source>
        <translation>Touch this box to restart</translation>
    </message>
</context>
<context>
    <name>SecurityDialog</name>
    <message>
        <source>Programmazione chiavi di accesso</source>
        <translation>Access key programming</translation>
    </message>
    <message>
        <source>Chiave di livello %1</source>
        <translation>Level %1 key</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Utente di livello %1</source>
        <translation>User of level %1</translation>
    </message>
    <message>
        <source>Privilegi insufficienti</source>
        <translation>Insufficient privileges</translation>
    </message>
    <message>
        <source>Tocca il riquadro per uscire</source>
        <translation>Touch the box to exit</translation>
    </message>
    <message>
        <source>Caricamento parametri di sicurezza</source>
        <translation>Loading security parameters</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Inserire un dispositivo USB per iniziare la programmazione</source>
        <translation>Insert a USB device to start programming</translation>
    </message>
    <message>
        <source>Programmazione avvenuta con successo</source>
        <translation>Programming succeeded</translation>
    </message>
    <message>
        <source>Impossibile programmare la chiave</source>
        <translation>The key could not be programmed</translation>
    </message>
    <message>
        <source>Rimuovere il dispositivo USB per continuare</source>
        <translation>Remove the USB device to continue</translation>
    </message>
    <message>
        <source>Programmazione chiave di livello %1 in corso</source>
        <translation>Programming level %1 key</translation>
    </message>
    <message>
        <source>Non rimuovere il dispositivo USB</source>
        <translation>Do not remove the USB device</translation>
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
        <translation>Cancel</translation>
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
