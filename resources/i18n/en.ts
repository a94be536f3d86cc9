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
    <name>AccountingPage</name>
    <message>
        <source>Attendere recupero dettagli contabilità</source>
        <translation>Reading the accounting details</translation>
    </message>
    <message>
        <source>CONTABILITA&apos; PARZIALE</source>
        <translation>PARTIAL ACCOUNTING</translation>
    </message>
    <message>
        <source>CONTABILITA&apos; LOG</source>
        <translation>LOG ACCOUNTING</translation>
    </message>
    <message>
        <source>CONTABILITA&apos; TOTALE</source>
        <translation>TOTAL ACCOUNTING</translation>
    </message>
    <message>
        <source>Data creazione</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Ultimo aggiornamento</source>
        <translation>Last update</translation>
    </message>
    <message>
        <source>*** Generale ***</source>
        <translation>*** General ***</translation>
    </message>
    <message>
        <source>*** Contatori ***</source>
        <translation>*** Counters ***</translation>
    </message>
    <message>
        <source>*** Erogatori ***</source>
        <translation>*** Dispensers ***</translation>
    </message>
    <message>
        <source>Selezione %1</source>
        <translation>Selection %1</translation>
    </message>
    <message>
        <source>Azzera totali</source>
        <translation>Reset totals</translation>
    </message>
    <message>
        <source>Stampa riassunto totale</source>
        <translation>Print total summary</translation>
    </message>
    <message>
        <source>Azzera parziali</source>
        <translation>Reset partials</translation>
    </message>
    <message>
        <source>Stampa riassunto parziale</source>
        <translation>Print partial summary</translation>
    </message>
    <message>
        <source>Azzera log</source>
        <translation>Reset log</translation>
    </message>
    <message>
        <source>Stampa riassunto log</source>
        <translation>Print log summary</translation>
    </message>
    <message>
        <source>Azzeramento parziali</source>
        <translation>Resetting partials</translation>
    </message>
    <message>
        <source>Azzeramento log</source>
        <translation>Resetting log</translation>
    </message>
    <message>
        <source>Azzeramento totali</source>
        <translation>Resetting totals</translation>
    </message>
    <message>
        <source>Stampa riassunto parziale in corso</source>
        <translation>Printing partial summary</translation>
    </message>
    <message>
        <source>Stampa riassunto log in corso</source>
        <translation>Printing log summary</translation>
    </message>
    <message>
        <source>Stampa riassunto totale in corso</source>
        <translation>Printing total summary</translation>
    </message>
    <message>
        <source>Vuoi procedere con l&apos;azzeramento?</source>
        <translation>Do you want to reset?</translation>
    </message>
    <message>
        <source>Questa operazione è irreversibile</source>
        <translation>This cannot be undone</translation>
    </message>
    <message>
        <source>Procedi</source>
        <translation>Proceed</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Contabilità non salvata</source>
        <translation>Accounting not saved</translation>
    </message>
    <message>
        <source>I contatori della scheda sono stati azzerati, ma la contabilità non è stata scritta su disco.</source>
        <translation>The board&apos;s counters were reset, but the accounting could not be written to disk.</translation>
    </message>
    <message>
        <source>Azzeramento non eseguito</source>
        <translation>Reset not done</translation>
    </message>
    <message>
        <source>La scheda non ha confermato l&apos;azzeramento dei contatori: la contabilità non è stata modificata.</source>
        <translation>The board did not confirm the counters reset: the accounting was not changed.</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>Controllare la stampante e riprovare.</source>
        <translation>Check the printer and try again.</translation>
    </message>
    <message>
        <source>Contabilità</source>
        <translation>Accounting</translation>
    </message>
    <message>
        <source>Operazioni</source>
        <translation>Operations</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>AccountingReport</name>
    <message>
        <source>Generale</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Contatori motor dispenser</source>
        <translation>Motor dispenser counters</translation>
    </message>
    <message>
        <source>Indicatore</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>Data creazione</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Data ultima modifica</source>
        <translation>Last modified</translation>
    </message>
    <message>
        <source>Selezione</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Monete hopper 1</source>
        <translation>Hopper 1 coins</translation>
    </message>
    <message>
        <source>Monete hopper 2</source>
        <translation>Hopper 2 coins</translation>
    </message>
    <message>
        <source>Monete %1</source>
        <translation>Coins %1</translation>
    </message>
    <message>
        <source>Banconote %1</source>
        <translation>Notes %1</translation>
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
    <name>AutotestWizard</name>
    <message>
        <source>Stampa di riepilogo in corso</source>
        <translation>Printing the summary</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Touch this box to continue</translation>
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
    <name>ContentUpdatePage</name>
    <message>
        <source>Aggiornamento contenuti in corso</source>
        <translation>Content update in progress</translation>
    </message>
    <message>
        <source>Lettura file di aggiornamento in corso...</source>
        <translation>Reading the update files...</translation>
    </message>
</context>
<context>
    <name>ContentUpdateService</name>
    <message>
        <source>Banner Brixo</source>
        <translation>Brixo banner</translation>
    </message>
    <message>
        <source>Brixo Events</source>
        <translation>Brixo Events</translation>
    </message>
    <message>
        <source>Cataloghi prodotti</source>
        <translation>Product catalogues</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Home Page</translation>
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
    <name>ExportableItem</name>
    <message>
        <source>Impostazioni</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Cataloghi prodotti</source>
        <translation>Product catalogues</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Home Page</translation>
    </message>
    <message>
        <source>Branding</source>
        <translation>Branding</translation>
    </message>
    <message>
        <source>Personalizzazioni</source>
        <translation>Customisations</translation>
    </message>
    <message>
        <source>Log eventi</source>
        <translation>Event log</translation>
    </message>
    <message>
        <source>Contabilità</source>
        <translation>Accounting</translation>
    </message>
    <message>
        <source>Report EVA-DTS</source>
        <translation>EVA-DTS report</translation>
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
    <name>InstallCachedPackage</name>
    <message>
        <source>Aggiornamento software in corso - Non spegnere la macchina</source>
        <translation>Software update in progress - Do not switch the machine off</translation>
    </message>
</context>
<context>
    <name>InteractiveAutotestDialog</name>
    <message>
        <source>Incompleto</source>
        <translation>Incomplete</translation>
    </message>
    <message>
        <source>Superato</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>Saltato</source>
        <translation>Skipped</translation>
    </message>
    <message>
        <source>Fallito</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Motori collaudati: %1</source>
        <translation>Motors tested: %1</translation>
    </message>
    <message>
        <source>Test erogatori</source>
        <translation>Dispenser test</translation>
    </message>
    <message>
        <source>Collaudo erogatori</source>
        <translation>Dispenser check</translation>
    </message>
    <message>
        <source>Verifica il funzionamento degli erogatori e dei sensori di presenza prodotto.</source>
        <translation>Check the dispensers and the product presence sensors.</translation>
    </message>
    <message>
        <source>Autotest</source>
        <translation>Self-test</translation>
    </message>
    <message>
        <source>Riepilogo</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Risultati dei test. Premi &apos;Finito&apos; per stampare uno scontrino di riepilogo.</source>
        <translation>Test results. Press &apos;Finish&apos; to print a summary receipt.</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Salta</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Finito</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Inizia</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Successivo</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>%1 centesimi</source>
        <translation>%1 cents</translation>
    </message>
    <message>
        <source>%1 euro</source>
        <translation>%1 euro</translation>
    </message>
    <message>
        <source>Importo: %1</source>
        <translation>Amount: %1</translation>
    </message>
    <message>
        <source>Acc. monete</source>
        <translation>Coin acceptor</translation>
    </message>
    <message>
        <source>Collaudo accettazione monete</source>
        <translation>Coin acceptance check</translation>
    </message>
    <message>
        <source>Verifica l&apos;accettazione dei seguenti tagli di monete.</source>
        <translation>Check that the following coins are accepted.</translation>
    </message>
    <message>
        <source>Attenzione: accettatore di monete non presente. Se si prosegue il test si considererà fallito.</source>
        <translation>Warning: no coin acceptor. If you go on, the test counts as failed.</translation>
    </message>
    <message>
        <source>Bill validator</source>
        <translation>Bill validator</translation>
    </message>
    <message>
        <source>Collaudo accettazione banconote</source>
        <translation>Banknote acceptance check</translation>
    </message>
    <message>
        <source>Verifica l&apos;accettazione dei seguenti tagli di banconote.</source>
        <translation>Check that the following banknotes are accepted.</translation>
    </message>
    <message>
        <source>Attenzione: accettatore di banconote non presente. Se si prosegue il test si considererà fallito.</source>
        <translation>Warning: no banknote acceptor. If you go on, the test counts as failed.</translation>
    </message>
    <message>
        <source>Il test guidato passa in rassegna sensori, erogatori, luci, monete, banconote e cashless, usando il monitor qui sopra. Per ogni test premi &apos;Successivo&apos; per andare avanti, &apos;Salta&apos; per saltarlo, &apos;Annulla&apos; per uscire.</source>
        <translation>The guided test goes through sensors, dispensers, lights, coins, banknotes and cashless, using the monitor above. For each test press &apos;Next&apos; to go on, &apos;Skip&apos; to skip it, &apos;Cancel&apos; to leave.</translation>
    </message>
    <message>
        <source>Test input</source>
        <translation>Input test</translation>
    </message>
    <message>
        <source>Collaudo sensori</source>
        <translation>Sensor check</translation>
    </message>
    <message>
        <source>Verifica il funzionamento dei sensori.</source>
        <translation>Check the sensors.</translation>
    </message>
    <message>
        <source>Test luci</source>
        <translation>Light test</translation>
    </message>
    <message>
        <source>Collaudo luci ed attuatori</source>
        <translation>Lights and actuators check</translation>
    </message>
    <message>
        <source>Verifica il funzionamento delle luci e degli attuatori.</source>
        <translation>Check the lights and the actuators.</translation>
    </message>
    <message>
        <source>Test cashless</source>
        <translation>Cashless test</translation>
    </message>
    <message>
        <source>Collaudo cashless</source>
        <translation>Cashless check</translation>
    </message>
    <message>
        <source>Verifica il funzionamento del cashless.</source>
        <translation>Check the cashless reader.</translation>
    </message>
    <message>
        <source>Attenzione: cashless non presente. Se si prosegue il test si considererà fallito.</source>
        <translation>Warning: no cashless reader. If you go on, the test counts as failed.</translation>
    </message>
    <message>
        <source>Cashless non presente</source>
        <translation>No cashless reader</translation>
    </message>
</context>
<context>
    <name>LogEntryWidget</name>
    <message>
        <source>Importo</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Allarme rientrato</source>
        <translation>Alarm cleared</translation>
    </message>
    <message>
        <source>Avviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Ricarica carta utente</source>
        <translation>User card recharge</translation>
    </message>
    <message>
        <source>Numero utente</source>
        <translation>User number</translation>
    </message>
    <message>
        <source>Acquisto</source>
        <translation>Purchase</translation>
    </message>
    <message>
        <source>Prodotto</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Erogatore</source>
        <translation>Dispenser</translation>
    </message>
    <message>
        <source>Costo</source>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Resto erogato</source>
        <translation>Change paid</translation>
    </message>
    <message>
        <source>Credito dovuto</source>
        <translation>Credit owed</translation>
    </message>
    <message>
        <source>Sessione di vendita</source>
        <translation>Vending session</translation>
    </message>
    <message>
        <source>Vendita iniziata</source>
        <translation>Sale started</translation>
    </message>
    <message>
        <source>Credito %1 (contante %2 - cashless %3)</source>
        <translation>Credit %1 (cash %2 - cashless %3)</translation>
    </message>
    <message>
        <source>Vendita conclusa</source>
        <translation>Sale ended</translation>
    </message>
    <message>
        <source>Allarme</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Descrizione</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Contante inserito</source>
        <translation>Cash inserted</translation>
    </message>
    <message>
        <source>Gestione alimentazione</source>
        <translation>Power management</translation>
    </message>
    <message>
        <source>Attivazione allarmi</source>
        <translation>Alarm arming</translation>
    </message>
    <message>
        <source>Allarme attivato</source>
        <translation>Alarm armed</translation>
    </message>
    <message>
        <source>Allarme disattivato</source>
        <translation>Alarm disarmed</translation>
    </message>
    <message>
        <source>Informazione</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Richista di assistenza inoltrata</source>
        <translation>Support request sent</translation>
    </message>
</context>
<context>
    <name>LogViewer</name>
    <message>
        <source>Tutto</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Sessioni di vendita</source>
        <translation>Vending sessions</translation>
    </message>
    <message>
        <source>Acquisti</source>
        <translation>Purchases</translation>
    </message>
    <message>
        <source>Ricariche</source>
        <translation>Recharges</translation>
    </message>
    <message>
        <source>Resti erogati</source>
        <translation>Change paid</translation>
    </message>
    <message>
        <source>Scontrini</source>
        <translation>Credit notes</translation>
    </message>
    <message>
        <source>Allarmi</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>Informazioni</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Avvisi</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>Alimentazione</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Aggiornamento log in corso</source>
        <translation>Reloading the log</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Pagina %1 / %2</source>
        <translation>Page %1 / %2</translation>
    </message>
    <message>
        <source>Elementi: %1</source>
        <translation>Entries: %1</translation>
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
    <message numerus="yes">
        <source>Installa %n package</source>
        <translation>
            <numerusform>Install %n package</numerusform>
            <numerusform>Install %n packages</numerusform>
        </translation>
    </message>
    <message>
        <source>Nessun aggiornamento disponibile</source>
        <translation>No update available</translation>
    </message>
    <message>
        <source>Scaricamento aggiornamenti... (%1/%2)</source>
        <translation>Downloading updates... (%1/%2)</translation>
    </message>
    <message>
        <source>Scaricamento aggiornamenti...</source>
        <translation>Downloading updates...</translation>
    </message>
    <message>
        <source>Installazione aggiornamenti...</source>
        <translation>Installing updates...</translation>
    </message>
    <message>
        <source>Controlla aggiornamenti software</source>
        <translation>Check for software updates</translation>
    </message>
    <message>
        <source>Controllo contenuti in corso</source>
        <translation>Checking for new content</translation>
    </message>
    <message>
        <source>Nuovi contenuti disponibili</source>
        <translation>New content available</translation>
    </message>
    <message>
        <source>Controlla aggiornamenti contenuti</source>
        <translation>Check for content updates</translation>
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
    <name>PackageInstallationPage</name>
    <message>
        <source>Preparazione aggiornamento software</source>
        <translation>Preparing the software update</translation>
    </message>
    <message>
        <source>Lettura package in corso...</source>
        <translation>Reading packages...</translation>
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
    <name>PeripheralMonitor</name>
    <message>
        <source>RK710 resettata</source>
        <translation>RK710 reset</translation>
    </message>
    <message>
        <source>Coin acceptor</source>
        <translation>Coin acceptor</translation>
    </message>
    <message>
        <source>Rendiresto</source>
        <translation>Coin changer</translation>
    </message>
    <message>
        <source>Bill validator</source>
        <translation>Bill validator</translation>
    </message>
    <message>
        <source>Cashless</source>
        <translation>Cashless</translation>
    </message>
    <message>
        <source>POS</source>
        <translation>POS</translation>
    </message>
    <message>
        <source>Stampante</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>Resto disponibile</source>
        <translation>Change available</translation>
    </message>
    <message>
        <source>Carta scontrino disponibile</source>
        <translation>Receipt paper available</translation>
    </message>
    <message>
        <source>Tamper sportello</source>
        <translation>Door tamper</translation>
    </message>
    <message>
        <source>Tamper mobile</source>
        <translation>Cabinet tamper</translation>
    </message>
    <message>
        <source>Chiave allarme</source>
        <translation>Alarm key</translation>
    </message>
    <message>
        <source>Sensore portello prodotti</source>
        <translation>Product door sensor</translation>
    </message>
    <message>
        <source>Verificatore - carta presente</source>
        <translation>Verifier - card present</translation>
    </message>
    <message>
        <source>Verificatore - abilitato</source>
        <translation>Verifier - enabled</translation>
    </message>
    <message>
        <source>Barriera prodotto</source>
        <translation>Product barrier</translation>
    </message>
    <message>
        <source>Alimentazione da rete</source>
        <translation>Mains power</translation>
    </message>
    <message>
        <source>Pulsante interno</source>
        <translation>Internal button</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>Cassetto</source>
        <translation>Drawer</translation>
    </message>
    <message>
        <source>Verificatore</source>
        <translation>Verifier</translation>
    </message>
    <message>
        <source>Resto</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Batteria</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Sblocca portello</source>
        <translation>Unlock door</translation>
    </message>
    <message>
        <source>Ventilazione</source>
        <translation>Ventilation</translation>
    </message>
    <message>
        <source>Sirena</source>
        <translation>Siren</translation>
    </message>
    <message>
        <source>Banconote</source>
        <translation>Banknotes</translation>
    </message>
    <message>
        <source>Monete</source>
        <translation>Coins</translation>
    </message>
    <message>
        <source>Cashbox</source>
        <translation>Cash box</translation>
    </message>
    <message>
        <source>ID carta</source>
        <translation>Card ID</translation>
    </message>
    <message>
        <source>Non presente</source>
        <translation>Not present</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Stato dispositivi</source>
        <translation>Device status</translation>
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
        <source>Input sensori</source>
        <translation>Sensor inputs</translation>
    </message>
    <message>
        <source>Carica batteria</source>
        <translation>Battery charge</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Erogatori</source>
        <translation>Dispensers</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Svuotamento</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Luci e attuatori</source>
        <translation>Lights and actuators</translation>
    </message>
    <message>
        <source>Svuotamento Hopper</source>
        <translation>Empty hopper</translation>
    </message>
    <message>
        <source>Credito</source>
        <translation>Credit</translation>
    </message>
    <message>
        <source>Versioni dispositivi</source>
        <translation>Device versions</translation>
    </message>
    <message>
        <source>Autotest</source>
        <translation>Self-test</translation>
    </message>
    <message>
        <source>Aggiorna versioni</source>
        <translation>Refresh versions</translation>
    </message>
    <message>
        <source>Test stampante</source>
        <translation>Printer test</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Monitoraggio periferiche</source>
        <translation>Peripheral monitor</translation>
    </message>
    <message>
        <source>Ripristino condizione iniziale</source>
        <translation>Restoring the initial state</translation>
    </message>
    <message>
        <source>Attendere completamento</source>
        <translation>Wait until it completes</translation>
    </message>
    <message>
        <source>Reset motore %1</source>
        <translation>Motor %1 reset</translation>
    </message>
    <message>
        <source>Movimentazione motore %1</source>
        <translation>Moving motor %1</translation>
    </message>
    <message>
        <source>Svuotamento colonna %1</source>
        <translation>Emptying column %1</translation>
    </message>
    <message>
        <source>Attendere svuotamento hopper %1</source>
        <translation>Emptying hopper %1</translation>
    </message>
    <message>
        <source>Prelevate &lt;b style=&apos;color: green&apos;&gt;%1&lt;/b&gt; monete</source>
        <translation>&lt;b style=&apos;color: green&apos;&gt;%1&lt;/b&gt; coins taken out</translation>
    </message>
    <message>
        <source>Esecuzione test di stampa</source>
        <translation>Running print test</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Touch this box to continue</translation>
    </message>
    <message>
        <source>Recupero versioni dispositivi</source>
        <translation>Reading device versions</translation>
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
    <name>PrintOverpaySummaryDialog</name>
    <message numerus="yes">
        <source>%n giorn(o)</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message>
        <source>Attendere stampa scontrino</source>
        <translation>Printing the receipt</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>Controllare la stampante e riprovare.</source>
        <translation>Check the printer and try again.</translation>
    </message>
    <message>
        <source>Stampa scontrini per resto non erogato</source>
        <translation>Print credit notes for unpaid change</translation>
    </message>
    <message>
        <source>Scegli una durata o impostala con più e meno.</source>
        <translation>Pick a duration or set it with plus and minus.</translation>
    </message>
    <message>
        <source>Stampa</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PrintSummaryTask</name>
    <message>
        <source>RIASSUNTO RESTI</source>
        <translation>UNPAID CHANGE</translation>
    </message>
    <message>
        <source>NON EROGATI</source>
        <translation>SUMMARY</translation>
    </message>
    <message>
        <source>Da: %1</source>
        <translation>From: %1</translation>
    </message>
    <message>
        <source>A:  %1</source>
        <translation>To:  %1</translation>
    </message>
</context>
<context>
    <name>ProductArrangement</name>
    <message>
        <source>&lt;b style=&apos;color: #00238c&apos;&gt;Fondo blu:&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: #00238c&apos;&gt;Blue background:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Funzionamento normale erogatore</source>
        <translation>Dispenser working normally</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: #ba972d&apos;&gt;Fondo giallo:&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: #ba972d&apos;&gt;Yellow background:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Colonna vuota</source>
        <translation>Empty column</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: #b82c2c&apos;&gt;Fondo rosso:&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: #b82c2c&apos;&gt;Red background:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Erogatore in errore</source>
        <translation>Dispenser in error</translation>
    </message>
    <message>
        <source>&lt;b&gt;Selezioni riservate:&lt;b&gt;</source>
        <translation>&lt;b&gt;Reserved selections:&lt;b&gt;</translation>
    </message>
    <message>
        <source>Le selezioni &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;ammettono solo prodotti Brixo</source>
        <translation>Selections &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;take Brixo products only</translation>
    </message>
    <message>
        <source>Impostazione selezioni</source>
        <translation>Selection setup</translation>
    </message>
    <message>
        <source>Legenda</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Salva modifiche</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Prodotto non ammesso</source>
        <translation>Product not allowed</translation>
    </message>
    <message>
        <source>Erogatore della selezione %1</source>
        <translation>Dispenser of selection %1</translation>
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
    <name>ProductHelpDialog</name>
    <message>
        <source>DESCRIZIONE:</source>
        <translation>DESCRIPTION:</translation>
    </message>
</context>
<context>
    <name>ProductManagement</name>
    <message>
        <source>Un prezzo contante di 0 non è ammesso</source>
        <translation>A cash price of 0 is not allowed</translation>
    </message>
    <message>
        <source>Impostazione prezzi</source>
        <translation>Price setup</translation>
    </message>
    <message>
        <source>Mostra i prodotti venduti</source>
        <translation>Show the products sold</translation>
    </message>
    <message>
        <source>Mostra tutti i prodotti</source>
        <translation>Show all products</translation>
    </message>
    <message>
        <source>Precedente</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Successiva</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Salva modifiche</source>
        <translation>Save changes</translation>
    </message>
    <message>
        <source>Prezzo contante
%1</source>
        <translation>Cash price
%1</translation>
    </message>
    <message>
        <source>Prezzo cashless
%1</source>
        <translation>Cashless price
%1</translation>
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
    <message>
        <source>Erogazione dall&apos;erogatore %1 interrotta da un riavvio e non confermata dalla scheda: non registrata</source>
        <translation>Delivery from dispenser %1 cut short by a restart and not confirmed by the board: not booked</translation>
    </message>
    <message>
        <source>Erogazione resto di euro %1 interrotta da un riavvio e non confermata dalla scheda: registrata come erogata</source>
        <translation>Change of euro %1 cut short by a restart and not confirmed by the board: booked as paid</translation>
    </message>
    <message>
        <source>Addebito cashless di euro %1 interrotto da un riavvio e non confermato dalla scheda: non registrato</source>
        <translation>Cashless charge of euro %1 cut short by a restart and not confirmed by the board: not booked</translation>
    </message>
    <message>
        <source>Ricarica cashless di euro %1 interrotta da un riavvio e non confermata dalla scheda: registrata come accreditata</source>
        <translation>Cashless recharge of euro %1 cut short by a restart and not confirmed by the board: booked as credited</translation>
    </message>
</context>
<context>
    <name>ProductProvider</name>
    <message>
        <source>Catalogo %1: prodotti senza prezzo contante, non in vendita: %2</source>
        <translation>Catalogue %1: products without a cash price, not for sale: %2</translation>
    </message>
</context>
<context>
    <name>ProductSelectionDialog</name>
    <message>
        <source>SCEGLI UN PRODOTTO PER LA SELEZIONE %1</source>
        <translation>CHOOSE A PRODUCT FOR SELECTION %1</translation>
    </message>
    <message>
        <source>Precedente</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Successiva</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Exit</translation>
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
    <name>PushUpdatesDirectoryWatcher</name>
    <message>
        <source>Prodotti</source>
        <translation>Products</translation>
    </message>
    <message>
        <source>Personalizzazioni</source>
        <translation>Customisations</translation>
    </message>
    <message>
        <source>Impostazioni</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Impostazione da Web</source>
        <translation>Settings from the Web</translation>
    </message>
    <message>
        <source>Aggiornamento in corso</source>
        <translation>Update in progress</translation>
    </message>
    <message>
        <source>Lettura file di aggiornamento in corso...</source>
        <translation>Reading the update files...</translation>
    </message>
    <message>
        <source>Aggiornamenti software</source>
        <translation>Software updates</translation>
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
    <message>
        <source>Impostazioni non importate da %1: %2</source>
        <translation>Settings not imported from %1: %2</translation>
    </message>
    <message>
        <source>Configurazione di rete statica non valida: rete non modificata</source>
        <translation>Static network settings not valid: network left unchanged</translation>
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
    <name>StorageFaultScreen</name>
    <message>
        <source>Memoria della macchina non scrivibile: vendita sospesa. Chiamare l&apos;assistenza.</source>
        <translation>Machine storage cannot be written: sales suspended. Please call for service.</translation>
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
    <name>UpdateAuthenticator</name>
    <message>
        <source>Aggiornamento rifiutato: %1 (%2)</source>
        <translation>Update refused: %1 (%2)</translation>
    </message>
    <message>
        <source>non elencato nell&apos;indice firmato</source>
        <translation>not listed in the signed index</translation>
    </message>
    <message>
        <source>software da chiavetta di livello 1 senza chiave degli aggiornamenti</source>
        <translation>software from a level-1 stick without the update key</translation>
    </message>
    <message>
        <source>più lungo di quanto elencato</source>
        <translation>longer than listed</translation>
    </message>
    <message>
        <source>più corto di quanto elencato</source>
        <translation>shorter than listed</translation>
    </message>
    <message>
        <source>diverso da quanto firmato</source>
        <translation>different from what was signed</translation>
    </message>
    <message>
        <source>non scaricato</source>
        <translation>not downloaded</translation>
    </message>
    <message>
        <source>indice firmato mancante</source>
        <translation>signed index missing</translation>
    </message>
    <message>
        <source>firma mancante</source>
        <translation>signature missing</translation>
    </message>
    <message>
        <source>firma non valida</source>
        <translation>signature not valid</translation>
    </message>
    <message>
        <source>indice firmato non valido</source>
        <translation>signed index not valid</translation>
    </message>
    <message>
        <source>indice per un&apos;altra macchina</source>
        <translation>index for another machine</translation>
    </message>
    <message>
        <source>indice più vecchio dell&apos;ultimo applicato</source>
        <translation>index older than the last one applied</translation>
    </message>
    <message>
        <source>file non leggibile</source>
        <translation>file not readable</translation>
    </message>
    <message>
        <source>Aggiornamenti non autenticati: manca la chiave pubblica degli aggiornamenti</source>
        <translation>Updates not authenticated: the update public key is missing</translation>
    </message>
    <message>
        <source>Chiave degli aggiornamenti installata da chiavetta USB</source>
        <translation>Update key installed from a USB stick</translation>
    </message>
</context>
<context>
    <name>UpdateItem</name>
    <message>
        <source>Impostazioni</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Prodotti</source>
        <translation>Products</translation>
    </message>
    <message>
        <source>Software</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Home Page</translation>
    </message>
    <message>
        <source>Personalizzazioni</source>
        <translation>Customisations</translation>
    </message>
    <message>
        <source>Branding</source>
        <translation>Branding</translation>
    </message>
</context>
<context>
    <name>UpdateMenu</name>
    <message>
        <source>Seleziona gli elementi da aggiornare</source>
        <translation>Select the items to update</translation>
    </message>
    <message>
        <source>Premi &apos;OK&apos; quando hai finito</source>
        <translation>Press &apos;OK&apos; when you are done</translation>
    </message>
    <message>
        <source>Tutto</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Aggiornamento in corso</source>
        <translation>Update in progress</translation>
    </message>
    <message>
        <source>Lettura file di aggiornamento in corso...</source>
        <translation>Reading the update files...</translation>
    </message>
</context>
<context>
    <name>UpdateProgressDialog</name>
    <message>
        <source>%1 (%2/%3)</source>
        <translation>%1 (%2/%3)</translation>
    </message>
    <message>
        <source>Aggiornamento completato - Riavvio necessario</source>
        <translation>Update completed - Restart required</translation>
    </message>
    <message>
        <source>La macchina si riavvierà tra 5 secondi</source>
        <translation>The machine will restart in 5 seconds</translation>
    </message>
    <message>
        <source>Aggiornamento completato</source>
        <translation>Update completed</translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Touch this box to continue</translation>
    </message>
</context>
<context>
    <name>UsbExportMenu</name>
    <message>
        <source>Seleziona gli elementi da esportare</source>
        <translation>Choose what to export</translation>
    </message>
    <message>
        <source>Imposta la durata del log</source>
        <translation>Set how many days of log</translation>
    </message>
    <message>
        <source>Tutto</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Premi &apos;OK&apos; quando hai finito</source>
        <translation>Press &apos;OK&apos; when you are done</translation>
    </message>
    <message numerus="yes">
        <source>%n giorn(o)</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message>
        <source>Esportazione in corso</source>
        <translation>Export in progress</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Please wait</translation>
    </message>
    <message>
        <source>Esportazione incompleta</source>
        <translation>Export incomplete</translation>
    </message>
    <message>
        <source>Non esportato: %1</source>
        <translation>Not exported: %1</translation>
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
