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
    <name>AccountingPage</name>
    <message>
        <source>Attendere recupero dettagli contabilità</source>
        <translation>Attendere recupero dettagli contabilità</translation>
    </message>
    <message>
        <source>CONTABILITA&apos; PARZIALE</source>
        <translation>CONTABILITA&apos; PARZIALE</translation>
    </message>
    <message>
        <source>CONTABILITA&apos; LOG</source>
        <translation>CONTABILITA&apos; LOG</translation>
    </message>
    <message>
        <source>CONTABILITA&apos; TOTALE</source>
        <translation>CONTABILITA&apos; TOTALE</translation>
    </message>
    <message>
        <source>Data creazione</source>
        <translation>Data creazione</translation>
    </message>
    <message>
        <source>Ultimo aggiornamento</source>
        <translation>Ultimo aggiornamento</translation>
    </message>
    <message>
        <source>*** Generale ***</source>
        <translation>*** Generale ***</translation>
    </message>
    <message>
        <source>*** Contatori ***</source>
        <translation>*** Contatori ***</translation>
    </message>
    <message>
        <source>*** Erogatori ***</source>
        <translation>*** Erogatori ***</translation>
    </message>
    <message>
        <source>Selezione %1</source>
        <translation>Selezione %1</translation>
    </message>
    <message>
        <source>Azzera totali</source>
        <translation>Azzera totali</translation>
    </message>
    <message>
        <source>Stampa riassunto totale</source>
        <translation>Stampa riassunto totale</translation>
    </message>
    <message>
        <source>Azzera parziali</source>
        <translation>Azzera parziali</translation>
    </message>
    <message>
        <source>Stampa riassunto parziale</source>
        <translation>Stampa riassunto parziale</translation>
    </message>
    <message>
        <source>Azzera log</source>
        <translation>Azzera log</translation>
    </message>
    <message>
        <source>Stampa riassunto log</source>
        <translation>Stampa riassunto log</translation>
    </message>
    <message>
        <source>Azzeramento parziali</source>
        <translation>Azzeramento parziali</translation>
    </message>
    <message>
        <source>Azzeramento log</source>
        <translation>Azzeramento log</translation>
    </message>
    <message>
        <source>Azzeramento totali</source>
        <translation>Azzeramento totali</translation>
    </message>
    <message>
        <source>Stampa riassunto parziale in corso</source>
        <translation>Stampa riassunto parziale in corso</translation>
    </message>
    <message>
        <source>Stampa riassunto log in corso</source>
        <translation>Stampa riassunto log in corso</translation>
    </message>
    <message>
        <source>Stampa riassunto totale in corso</source>
        <translation>Stampa riassunto totale in corso</translation>
    </message>
    <message>
        <source>Vuoi procedere con l&apos;azzeramento?</source>
        <translation>Vuoi procedere con l&apos;azzeramento?</translation>
    </message>
    <message>
        <source>Questa operazione è irreversibile</source>
        <translation>Questa operazione è irreversibile</translation>
    </message>
    <message>
        <source>Procedi</source>
        <translation>Procedi</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Contabilità non salvata</source>
        <translation>Contabilità non salvata</translation>
    </message>
    <message>
        <source>I contatori della scheda sono stati azzerati, ma la contabilità non è stata scritta su disco.</source>
        <translation>I contatori della scheda sono stati azzerati, ma la contabilità non è stata scritta su disco.</translation>
    </message>
    <message>
        <source>Azzeramento non eseguito</source>
        <translation>Azzeramento non eseguito</translation>
    </message>
    <message>
        <source>La scheda non ha confermato l&apos;azzeramento dei contatori: la contabilità non è stata modificata.</source>
        <translation>La scheda non ha confermato l&apos;azzeramento dei contatori: la contabilità non è stata modificata.</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Stampa non riuscita</translation>
    </message>
    <message>
        <source>Controllare la stampante e riprovare.</source>
        <translation>Controllare la stampante e riprovare.</translation>
    </message>
    <message>
        <source>Contabilità</source>
        <translation>Contabilità</translation>
    </message>
    <message>
        <source>Operazioni</source>
        <translation>Operazioni</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
</context>
<context>
    <name>AccountingReport</name>
    <message>
        <source>Generale</source>
        <translation>Generale</translation>
    </message>
    <message>
        <source>Contatori motor dispenser</source>
        <translation>Contatori motor dispenser</translation>
    </message>
    <message>
        <source>Indicatore</source>
        <translation>Indicatore</translation>
    </message>
    <message>
        <source>Data creazione</source>
        <translation>Data creazione</translation>
    </message>
    <message>
        <source>Data ultima modifica</source>
        <translation>Data ultima modifica</translation>
    </message>
    <message>
        <source>Selezione</source>
        <translation>Selezione</translation>
    </message>
    <message>
        <source>Monete hopper 1</source>
        <translation>Monete hopper 1</translation>
    </message>
    <message>
        <source>Monete hopper 2</source>
        <translation>Monete hopper 2</translation>
    </message>
    <message>
        <source>Monete %1</source>
        <translation>Monete %1</translation>
    </message>
    <message>
        <source>Banconote %1</source>
        <translation>Banconote %1</translation>
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
    <name>AutotestWizard</name>
    <message>
        <source>Stampa di riepilogo in corso</source>
        <translation>Stampa di riepilogo in corso</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Stampa non riuscita</translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Toccare questo riquadro per continuare</translation>
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
    <name>ContentUpdatePage</name>
    <message>
        <source>Aggiornamento contenuti in corso</source>
        <translation>Aggiornamento contenuti in corso</translation>
    </message>
    <message>
        <source>Lettura file di aggiornamento in corso...</source>
        <translation>Lettura file di aggiornamento in corso...</translation>
    </message>
</context>
<context>
    <name>ContentUpdateService</name>
    <message>
        <source>Banner Brixo</source>
        <translation>Banner Brixo</translation>
    </message>
    <message>
        <source>Brixo Events</source>
        <translation>Brixo Events</translation>
    </message>
    <message>
        <source>Cataloghi prodotti</source>
        <translation>Cataloghi prodotti</translation>
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
    <name>ExportableItem</name>
    <message>
        <source>Impostazioni</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Cataloghi prodotti</source>
        <translation>Cataloghi prodotti</translation>
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
        <translation>Personalizzazioni</translation>
    </message>
    <message>
        <source>Log eventi</source>
        <translation>Log eventi</translation>
    </message>
    <message>
        <source>Contabilità</source>
        <translation>Contabilità</translation>
    </message>
    <message>
        <source>Report EVA-DTS</source>
        <translation>Report EVA-DTS</translation>
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
    <name>InstallCachedPackage</name>
    <message>
        <source>Aggiornamento software in corso - Non spegnere la macchina</source>
        <translation>Aggiornamento software in corso - Non spegnere la macchina</translation>
    </message>
</context>
<context>
    <name>InteractiveAutotestDialog</name>
    <message>
        <source>Incompleto</source>
        <translation>Incompleto</translation>
    </message>
    <message>
        <source>Superato</source>
        <translation>Superato</translation>
    </message>
    <message>
        <source>Saltato</source>
        <translation>Saltato</translation>
    </message>
    <message>
        <source>Fallito</source>
        <translation>Fallito</translation>
    </message>
    <message>
        <source>Motori collaudati: %1</source>
        <translation>Motori collaudati: %1</translation>
    </message>
    <message>
        <source>Test erogatori</source>
        <translation>Test erogatori</translation>
    </message>
    <message>
        <source>Collaudo erogatori</source>
        <translation>Collaudo erogatori</translation>
    </message>
    <message>
        <source>Verifica il funzionamento degli erogatori e dei sensori di presenza prodotto.</source>
        <translation>Verifica il funzionamento degli erogatori e dei sensori di presenza prodotto.</translation>
    </message>
    <message>
        <source>Autotest</source>
        <translation>Autotest</translation>
    </message>
    <message>
        <source>Riepilogo</source>
        <translation>Riepilogo</translation>
    </message>
    <message>
        <source>Risultati dei test. Premi &apos;Finito&apos; per stampare uno scontrino di riepilogo.</source>
        <translation>Risultati dei test. Premi &apos;Finito&apos; per stampare uno scontrino di riepilogo.</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Salta</source>
        <translation>Salta</translation>
    </message>
    <message>
        <source>Finito</source>
        <translation>Finito</translation>
    </message>
    <message>
        <source>Inizia</source>
        <translation>Inizia</translation>
    </message>
    <message>
        <source>Successivo</source>
        <translation>Successivo</translation>
    </message>
    <message>
        <source>%1 centesimi</source>
        <translation>%1 centesimi</translation>
    </message>
    <message>
        <source>%1 euro</source>
        <translation>%1 euro</translation>
    </message>
    <message>
        <source>Importo: %1</source>
        <translation>Importo: %1</translation>
    </message>
    <message>
        <source>Acc. monete</source>
        <translation>Acc. monete</translation>
    </message>
    <message>
        <source>Collaudo accettazione monete</source>
        <translation>Collaudo accettazione monete</translation>
    </message>
    <message>
        <source>Verifica l&apos;accettazione dei seguenti tagli di monete.</source>
        <translation>Verifica l&apos;accettazione dei seguenti tagli di monete.</translation>
    </message>
    <message>
        <source>Attenzione: accettatore di monete non presente. Se si prosegue il test si considererà fallito.</source>
        <translation>Attenzione: accettatore di monete non presente. Se si prosegue il test si considererà fallito.</translation>
    </message>
    <message>
        <source>Bill validator</source>
        <translation>Bill validator</translation>
    </message>
    <message>
        <source>Collaudo accettazione banconote</source>
        <translation>Collaudo accettazione banconote</translation>
    </message>
    <message>
        <source>Verifica l&apos;accettazione dei seguenti tagli di banconote.</source>
        <translation>Verifica l&apos;accettazione dei seguenti tagli di banconote.</translation>
    </message>
    <message>
        <source>Attenzione: accettatore di banconote non presente. Se si prosegue il test si considererà fallito.</source>
        <translation>Attenzione: accettatore di banconote non presente. Se si prosegue il test si considererà fallito.</translation>
    </message>
    <message>
        <source>Il test guidato passa in rassegna sensori, erogatori, luci, monete, banconote e cashless, usando il monitor qui sopra. Per ogni test premi &apos;Successivo&apos; per andare avanti, &apos;Salta&apos; per saltarlo, &apos;Annulla&apos; per uscire.</source>
        <translation>Il test guidato passa in rassegna sensori, erogatori, luci, monete, banconote e cashless, usando il monitor qui sopra. Per ogni test premi &apos;Successivo&apos; per andare avanti, &apos;Salta&apos; per saltarlo, &apos;Annulla&apos; per uscire.</translation>
    </message>
    <message>
        <source>Test input</source>
        <translation>Test input</translation>
    </message>
    <message>
        <source>Collaudo sensori</source>
        <translation>Collaudo sensori</translation>
    </message>
    <message>
        <source>Verifica il funzionamento dei sensori.</source>
        <translation>Verifica il funzionamento dei sensori.</translation>
    </message>
    <message>
        <source>Test luci</source>
        <translation>Test luci</translation>
    </message>
    <message>
        <source>Collaudo luci ed attuatori</source>
        <translation>Collaudo luci ed attuatori</translation>
    </message>
    <message>
        <source>Verifica il funzionamento delle luci e degli attuatori.</source>
        <translation>Verifica il funzionamento delle luci e degli attuatori.</translation>
    </message>
    <message>
        <source>Test cashless</source>
        <translation>Test cashless</translation>
    </message>
    <message>
        <source>Collaudo cashless</source>
        <translation>Collaudo cashless</translation>
    </message>
    <message>
        <source>Verifica il funzionamento del cashless.</source>
        <translation>Verifica il funzionamento del cashless.</translation>
    </message>
    <message>
        <source>Attenzione: cashless non presente. Se si prosegue il test si considererà fallito.</source>
        <translation>Attenzione: cashless non presente. Se si prosegue il test si considererà fallito.</translation>
    </message>
    <message>
        <source>Cashless non presente</source>
        <translation>Cashless non presente</translation>
    </message>
</context>
<context>
    <name>LogEntryWidget</name>
    <message>
        <source>Importo</source>
        <translation>Importo</translation>
    </message>
    <message>
        <source>Allarme rientrato</source>
        <translation>Allarme rientrato</translation>
    </message>
    <message>
        <source>Avviso</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Ricarica carta utente</source>
        <translation>Ricarica carta utente</translation>
    </message>
    <message>
        <source>Numero utente</source>
        <translation>Numero utente</translation>
    </message>
    <message>
        <source>Acquisto</source>
        <translation>Acquisto</translation>
    </message>
    <message>
        <source>Prodotto</source>
        <translation>Prodotto</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Erogatore</source>
        <translation>Erogatore</translation>
    </message>
    <message>
        <source>Costo</source>
        <translation>Costo</translation>
    </message>
    <message>
        <source>Resto erogato</source>
        <translation>Resto erogato</translation>
    </message>
    <message>
        <source>Credito dovuto</source>
        <translation>Credito dovuto</translation>
    </message>
    <message>
        <source>Sessione di vendita</source>
        <translation>Sessione di vendita</translation>
    </message>
    <message>
        <source>Vendita iniziata</source>
        <translation>Vendita iniziata</translation>
    </message>
    <message>
        <source>Credito %1 (contante %2 - cashless %3)</source>
        <translation>Credito %1 (contante %2 - cashless %3)</translation>
    </message>
    <message>
        <source>Vendita conclusa</source>
        <translation>Vendita conclusa</translation>
    </message>
    <message>
        <source>Allarme</source>
        <translation>Allarme</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Id</translation>
    </message>
    <message>
        <source>Descrizione</source>
        <translation>Descrizione</translation>
    </message>
    <message>
        <source>Contante inserito</source>
        <translation>Contante inserito</translation>
    </message>
    <message>
        <source>Gestione alimentazione</source>
        <translation>Gestione alimentazione</translation>
    </message>
    <message>
        <source>Attivazione allarmi</source>
        <translation>Attivazione allarmi</translation>
    </message>
    <message>
        <source>Allarme attivato</source>
        <translation>Allarme attivato</translation>
    </message>
    <message>
        <source>Allarme disattivato</source>
        <translation>Allarme disattivato</translation>
    </message>
    <message>
        <source>Informazione</source>
        <translation>Informazione</translation>
    </message>
    <message>
        <source>Richista di assistenza inoltrata</source>
        <translation>Richista di assistenza inoltrata</translation>
    </message>
</context>
<context>
    <name>LogViewer</name>
    <message>
        <source>Tutto</source>
        <translation>Tutto</translation>
    </message>
    <message>
        <source>Sessioni di vendita</source>
        <translation>Sessioni di vendita</translation>
    </message>
    <message>
        <source>Acquisti</source>
        <translation>Acquisti</translation>
    </message>
    <message>
        <source>Ricariche</source>
        <translation>Ricariche</translation>
    </message>
    <message>
        <source>Resti erogati</source>
        <translation>Resti erogati</translation>
    </message>
    <message>
        <source>Scontrini</source>
        <translation>Scontrini</translation>
    </message>
    <message>
        <source>Allarmi</source>
        <translation>Allarmi</translation>
    </message>
    <message>
        <source>Informazioni</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Avvisi</source>
        <translation>Avvisi</translation>
    </message>
    <message>
        <source>Alimentazione</source>
        <translation>Alimentazione</translation>
    </message>
    <message>
        <source>Aggiornamento log in corso</source>
        <translation>Aggiornamento log in corso</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Pagina %1 / %2</source>
        <translation>Pagina %1 / %2</translation>
    </message>
    <message>
        <source>Elementi: %1</source>
        <translation>Elementi: %1</translation>
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
    <message numerus="yes">
        <source>Installa %n package</source>
        <translation>
            <numerusform>Installa %n package</numerusform>
            <numerusform>Installa %n package</numerusform>
        </translation>
    </message>
    <message>
        <source>Nessun aggiornamento disponibile</source>
        <translation>Nessun aggiornamento disponibile</translation>
    </message>
    <message>
        <source>Scaricamento aggiornamenti... (%1/%2)</source>
        <translation>Scaricamento aggiornamenti... (%1/%2)</translation>
    </message>
    <message>
        <source>Scaricamento aggiornamenti...</source>
        <translation>Scaricamento aggiornamenti...</translation>
    </message>
    <message>
        <source>Installazione aggiornamenti...</source>
        <translation>Installazione aggiornamenti...</translation>
    </message>
    <message>
        <source>Controlla aggiornamenti software</source>
        <translation>Controlla aggiornamenti software</translation>
    </message>
    <message>
        <source>Controllo contenuti in corso</source>
        <translation>Controllo contenuti in corso</translation>
    </message>
    <message>
        <source>Nuovi contenuti disponibili</source>
        <translation>Nuovi contenuti disponibili</translation>
    </message>
    <message>
        <source>Controlla aggiornamenti contenuti</source>
        <translation>Controlla aggiornamenti contenuti</translation>
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
    <name>PackageInstallationPage</name>
    <message>
        <source>Preparazione aggiornamento software</source>
        <translation>Preparazione aggiornamento software</translation>
    </message>
    <message>
        <source>Lettura package in corso...</source>
        <translation>Lettura package in corso...</translation>
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
    <name>PeripheralMonitor</name>
    <message>
        <source>RK710 resettata</source>
        <translation>RK710 resettata</translation>
    </message>
    <message>
        <source>Coin acceptor</source>
        <translation>Coin acceptor</translation>
    </message>
    <message>
        <source>Rendiresto</source>
        <translation>Rendiresto</translation>
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
        <translation>Stampante</translation>
    </message>
    <message>
        <source>Resto disponibile</source>
        <translation>Resto disponibile</translation>
    </message>
    <message>
        <source>Carta scontrino disponibile</source>
        <translation>Carta scontrino disponibile</translation>
    </message>
    <message>
        <source>Tamper sportello</source>
        <translation>Tamper sportello</translation>
    </message>
    <message>
        <source>Tamper mobile</source>
        <translation>Tamper mobile</translation>
    </message>
    <message>
        <source>Chiave allarme</source>
        <translation>Chiave allarme</translation>
    </message>
    <message>
        <source>Sensore portello prodotti</source>
        <translation>Sensore portello prodotti</translation>
    </message>
    <message>
        <source>Verificatore - carta presente</source>
        <translation>Verificatore - carta presente</translation>
    </message>
    <message>
        <source>Verificatore - abilitato</source>
        <translation>Verificatore - abilitato</translation>
    </message>
    <message>
        <source>Barriera prodotto</source>
        <translation>Barriera prodotto</translation>
    </message>
    <message>
        <source>Alimentazione da rete</source>
        <translation>Alimentazione da rete</translation>
    </message>
    <message>
        <source>Pulsante interno</source>
        <translation>Pulsante interno</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>Cassetto</source>
        <translation>Cassetto</translation>
    </message>
    <message>
        <source>Verificatore</source>
        <translation>Verificatore</translation>
    </message>
    <message>
        <source>Resto</source>
        <translation>Resto</translation>
    </message>
    <message>
        <source>Batteria</source>
        <translation>Batteria</translation>
    </message>
    <message>
        <source>Sblocca portello</source>
        <translation>Sblocca portello</translation>
    </message>
    <message>
        <source>Ventilazione</source>
        <translation>Ventilazione</translation>
    </message>
    <message>
        <source>Sirena</source>
        <translation>Sirena</translation>
    </message>
    <message>
        <source>Banconote</source>
        <translation>Banconote</translation>
    </message>
    <message>
        <source>Monete</source>
        <translation>Monete</translation>
    </message>
    <message>
        <source>Cashbox</source>
        <translation>Cashbox</translation>
    </message>
    <message>
        <source>ID carta</source>
        <translation>ID carta</translation>
    </message>
    <message>
        <source>Non presente</source>
        <translation>Non presente</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Stato dispositivi</source>
        <translation>Stato dispositivi</translation>
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
        <translation>Input sensori</translation>
    </message>
    <message>
        <source>Carica batteria</source>
        <translation>Carica batteria</translation>
    </message>
    <message>
        <source>Temperatura</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Erogatori</source>
        <translation>Erogatori</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Svuotamento</source>
        <translation>Svuotamento</translation>
    </message>
    <message>
        <source>Luci e attuatori</source>
        <translation>Luci e attuatori</translation>
    </message>
    <message>
        <source>Svuotamento Hopper</source>
        <translation>Svuotamento Hopper</translation>
    </message>
    <message>
        <source>Credito</source>
        <translation>Credito</translation>
    </message>
    <message>
        <source>Versioni dispositivi</source>
        <translation>Versioni dispositivi</translation>
    </message>
    <message>
        <source>Autotest</source>
        <translation>Autotest</translation>
    </message>
    <message>
        <source>Aggiorna versioni</source>
        <translation>Aggiorna versioni</translation>
    </message>
    <message>
        <source>Test stampante</source>
        <translation>Test stampante</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Monitoraggio periferiche</source>
        <translation>Monitoraggio periferiche</translation>
    </message>
    <message>
        <source>Ripristino condizione iniziale</source>
        <translation>Ripristino condizione iniziale</translation>
    </message>
    <message>
        <source>Attendere completamento</source>
        <translation>Attendere completamento</translation>
    </message>
    <message>
        <source>Reset motore %1</source>
        <translation>Reset motore %1</translation>
    </message>
    <message>
        <source>Movimentazione motore %1</source>
        <translation>Movimentazione motore %1</translation>
    </message>
    <message>
        <source>Svuotamento colonna %1</source>
        <translation>Svuotamento colonna %1</translation>
    </message>
    <message>
        <source>Attendere svuotamento hopper %1</source>
        <translation>Attendere svuotamento hopper %1</translation>
    </message>
    <message>
        <source>Prelevate &lt;b style=&apos;color: green&apos;&gt;%1&lt;/b&gt; monete</source>
        <translation>Prelevate &lt;b style=&apos;color: green&apos;&gt;%1&lt;/b&gt; monete</translation>
    </message>
    <message>
        <source>Esecuzione test di stampa</source>
        <translation>Esecuzione test di stampa</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Stampa non riuscita</translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Toccare questo riquadro per continuare</translation>
    </message>
    <message>
        <source>Recupero versioni dispositivi</source>
        <translation>Recupero versioni dispositivi</translation>
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
    <name>PrintOverpaySummaryDialog</name>
    <message numerus="yes">
        <source>%n giorn(o)</source>
        <translation>
            <numerusform>%n giorno</numerusform>
            <numerusform>%n giorni</numerusform>
        </translation>
    </message>
    <message>
        <source>Attendere stampa scontrino</source>
        <translation>Attendere stampa scontrino</translation>
    </message>
    <message>
        <source>Stampa non riuscita</source>
        <translation>Stampa non riuscita</translation>
    </message>
    <message>
        <source>Controllare la stampante e riprovare.</source>
        <translation>Controllare la stampante e riprovare.</translation>
    </message>
    <message>
        <source>Stampa scontrini per resto non erogato</source>
        <translation>Stampa scontrini per resto non erogato</translation>
    </message>
    <message>
        <source>Scegli una durata o impostala con più e meno.</source>
        <translation>Scegli una durata o impostala con più e meno.</translation>
    </message>
    <message>
        <source>Stampa</source>
        <translation>Stampa</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>PrintSummaryTask</name>
    <message>
        <source>RIASSUNTO RESTI</source>
        <translation>RIASSUNTO RESTI</translation>
    </message>
    <message>
        <source>NON EROGATI</source>
        <translation>NON EROGATI</translation>
    </message>
    <message>
        <source>Da: %1</source>
        <translation>Da: %1</translation>
    </message>
    <message>
        <source>A:  %1</source>
        <translation>A:  %1</translation>
    </message>
</context>
<context>
    <name>ProductArrangement</name>
    <message>
        <source>&lt;b style=&apos;color: #00238c&apos;&gt;Fondo blu:&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: #00238c&apos;&gt;Fondo blu:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Funzionamento normale erogatore</source>
        <translation>Funzionamento normale erogatore</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: #ba972d&apos;&gt;Fondo giallo:&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: #ba972d&apos;&gt;Fondo giallo:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Colonna vuota</source>
        <translation>Colonna vuota</translation>
    </message>
    <message>
        <source>&lt;b style=&apos;color: #b82c2c&apos;&gt;Fondo rosso:&lt;/b&gt;</source>
        <translation>&lt;b style=&apos;color: #b82c2c&apos;&gt;Fondo rosso:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Erogatore in errore</source>
        <translation>Erogatore in errore</translation>
    </message>
    <message>
        <source>&lt;b&gt;Selezioni riservate:&lt;b&gt;</source>
        <translation>&lt;b&gt;Selezioni riservate:&lt;b&gt;</translation>
    </message>
    <message>
        <source>Le selezioni &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;ammettono solo prodotti Brixo</source>
        <translation>Le selezioni &lt;b&gt;%1&lt;/b&gt;&lt;br/&gt;ammettono solo prodotti Brixo</translation>
    </message>
    <message>
        <source>Impostazione selezioni</source>
        <translation>Impostazione selezioni</translation>
    </message>
    <message>
        <source>Legenda</source>
        <translation>Legenda</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Salva modifiche</source>
        <translation>Salva modifiche</translation>
    </message>
    <message>
        <source>Prodotto non ammesso</source>
        <translation>Prodotto non ammesso</translation>
    </message>
    <message>
        <source>Erogatore della selezione %1</source>
        <translation>Erogatore della selezione %1</translation>
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
    <name>ProductHelpDialog</name>
    <message>
        <source>DESCRIZIONE:</source>
        <translation>DESCRIZIONE:</translation>
    </message>
</context>
<context>
    <name>ProductManagement</name>
    <message>
        <source>Un prezzo contante di 0 non è ammesso</source>
        <translation>Un prezzo contante di 0 non è ammesso</translation>
    </message>
    <message>
        <source>Impostazione prezzi</source>
        <translation>Impostazione prezzi</translation>
    </message>
    <message>
        <source>Mostra i prodotti venduti</source>
        <translation>Mostra i prodotti venduti</translation>
    </message>
    <message>
        <source>Mostra tutti i prodotti</source>
        <translation>Mostra tutti i prodotti</translation>
    </message>
    <message>
        <source>Precedente</source>
        <translation>Precedente</translation>
    </message>
    <message>
        <source>Successiva</source>
        <translation>Successiva</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Salva modifiche</source>
        <translation>Salva modifiche</translation>
    </message>
    <message>
        <source>Prezzo contante
%1</source>
        <translation>Prezzo contante
%1</translation>
    </message>
    <message>
        <source>Prezzo cashless
%1</source>
        <translation>Prezzo cashless
%1</translation>
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
    <message>
        <source>Erogazione dall&apos;erogatore %1 interrotta da un riavvio e non confermata dalla scheda: non registrata</source>
        <translation>Erogazione dall&apos;erogatore %1 interrotta da un riavvio e non confermata dalla scheda: non registrata</translation>
    </message>
    <message>
        <source>Erogazione resto di euro %1 interrotta da un riavvio e non confermata dalla scheda: registrata come erogata</source>
        <translation>Erogazione resto di euro %1 interrotta da un riavvio e non confermata dalla scheda: registrata come erogata</translation>
    </message>
    <message>
        <source>Addebito cashless di euro %1 interrotto da un riavvio e non confermato dalla scheda: non registrato</source>
        <translation>Addebito cashless di euro %1 interrotto da un riavvio e non confermato dalla scheda: non registrato</translation>
    </message>
    <message>
        <source>Ricarica cashless di euro %1 interrotta da un riavvio e non confermata dalla scheda: registrata come accreditata</source>
        <translation>Ricarica cashless di euro %1 interrotta da un riavvio e non confermata dalla scheda: registrata come accreditata</translation>
    </message>
</context>
<context>
    <name>ProductProvider</name>
    <message>
        <source>Catalogo %1: prodotti senza prezzo contante, non in vendita: %2</source>
        <translation>Catalogo %1: prodotti senza prezzo contante, non in vendita: %2</translation>
    </message>
</context>
<context>
    <name>ProductSelectionDialog</name>
    <message>
        <source>SCEGLI UN PRODOTTO PER LA SELEZIONE %1</source>
        <translation>SCEGLI UN PRODOTTO PER LA SELEZIONE %1</translation>
    </message>
    <message>
        <source>Precedente</source>
        <translation>Precedente</translation>
    </message>
    <message>
        <source>Successiva</source>
        <translation>Successiva</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Esci</translation>
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
    <name>PushUpdatesDirectoryWatcher</name>
    <message>
        <source>Prodotti</source>
        <translation>Prodotti</translation>
    </message>
    <message>
        <source>Personalizzazioni</source>
        <translation>Personalizzazioni</translation>
    </message>
    <message>
        <source>Impostazioni</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Impostazione da Web</source>
        <translation>Impostazione da Web</translation>
    </message>
    <message>
        <source>Aggiornamento in corso</source>
        <translation>Aggiornamento in corso</translation>
    </message>
    <message>
        <source>Lettura file di aggiornamento in corso...</source>
        <translation>Lettura file di aggiornamento in corso...</translation>
    </message>
    <message>
        <source>Aggiornamenti software</source>
        <translation>Aggiornamenti software</translation>
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
    <message>
        <source>Impostazioni non importate da %1: %2</source>
        <translation>Impostazioni non importate da %1: %2</translation>
    </message>
    <message>
        <source>Configurazione di rete statica non valida: rete non modificata</source>
        <translation>Configurazione di rete statica non valida: rete non modificata</translation>
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
    <name>StorageFaultScreen</name>
    <message>
        <source>Memoria della macchina non scrivibile: vendita sospesa. Chiamare l&apos;assistenza.</source>
        <translation>Memoria della macchina non scrivibile: vendita sospesa. Chiamare l&apos;assistenza.</translation>
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
    <name>UpdateAuthenticator</name>
    <message>
        <source>Aggiornamento rifiutato: %1 (%2)</source>
        <translation>Aggiornamento rifiutato: %1 (%2)</translation>
    </message>
    <message>
        <source>non elencato nell&apos;indice firmato</source>
        <translation>non elencato nell&apos;indice firmato</translation>
    </message>
    <message>
        <source>software da chiavetta di livello 1 senza chiave degli aggiornamenti</source>
        <translation>software da chiavetta di livello 1 senza chiave degli aggiornamenti</translation>
    </message>
    <message>
        <source>più lungo di quanto elencato</source>
        <translation>più lungo di quanto elencato</translation>
    </message>
    <message>
        <source>più corto di quanto elencato</source>
        <translation>più corto di quanto elencato</translation>
    </message>
    <message>
        <source>diverso da quanto firmato</source>
        <translation>diverso da quanto firmato</translation>
    </message>
    <message>
        <source>non scaricato</source>
        <translation>non scaricato</translation>
    </message>
    <message>
        <source>indice firmato mancante</source>
        <translation>indice firmato mancante</translation>
    </message>
    <message>
        <source>firma mancante</source>
        <translation>firma mancante</translation>
    </message>
    <message>
        <source>firma non valida</source>
        <translation>firma non valida</translation>
    </message>
    <message>
        <source>indice firmato non valido</source>
        <translation>indice firmato non valido</translation>
    </message>
    <message>
        <source>indice per un&apos;altra macchina</source>
        <translation>indice per un&apos;altra macchina</translation>
    </message>
    <message>
        <source>indice più vecchio dell&apos;ultimo applicato</source>
        <translation>indice più vecchio dell&apos;ultimo applicato</translation>
    </message>
    <message>
        <source>file non leggibile</source>
        <translation>file non leggibile</translation>
    </message>
    <message>
        <source>Aggiornamenti non autenticati: manca la chiave pubblica degli aggiornamenti</source>
        <translation>Aggiornamenti non autenticati: manca la chiave pubblica degli aggiornamenti</translation>
    </message>
    <message>
        <source>Chiave degli aggiornamenti installata da chiavetta USB</source>
        <translation>Chiave degli aggiornamenti installata da chiavetta USB</translation>
    </message>
</context>
<context>
    <name>UpdateItem</name>
    <message>
        <source>Impostazioni</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Prodotti</source>
        <translation>Prodotti</translation>
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
        <translation>Personalizzazioni</translation>
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
        <translation>Seleziona gli elementi da aggiornare</translation>
    </message>
    <message>
        <source>Premi &apos;OK&apos; quando hai finito</source>
        <translation>Premi &apos;OK&apos; quando hai finito</translation>
    </message>
    <message>
        <source>Tutto</source>
        <translation>Tutto</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Aggiornamento in corso</source>
        <translation>Aggiornamento in corso</translation>
    </message>
    <message>
        <source>Lettura file di aggiornamento in corso...</source>
        <translation>Lettura file di aggiornamento in corso...</translation>
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
        <translation>Aggiornamento completato - Riavvio necessario</translation>
    </message>
    <message>
        <source>La macchina si riavvierà tra 5 secondi</source>
        <translation>La macchina si riavvierà tra 5 secondi</translation>
    </message>
    <message>
        <source>Aggiornamento completato</source>
        <translation>Aggiornamento completato</translation>
    </message>
    <message>
        <source>Toccare questo riquadro per continuare</source>
        <translation>Toccare questo riquadro per continuare</translation>
    </message>
</context>
<context>
    <name>UsbExportMenu</name>
    <message>
        <source>Seleziona gli elementi da esportare</source>
        <translation>Seleziona gli elementi da esportare</translation>
    </message>
    <message>
        <source>Imposta la durata del log</source>
        <translation>Imposta la durata del log</translation>
    </message>
    <message>
        <source>Tutto</source>
        <translation>Tutto</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Premi &apos;OK&apos; quando hai finito</source>
        <translation>Premi &apos;OK&apos; quando hai finito</translation>
    </message>
    <message numerus="yes">
        <source>%n giorn(o)</source>
        <translation>
            <numerusform>%n giorno</numerusform>
            <numerusform>%n giorni</numerusform>
        </translation>
    </message>
    <message>
        <source>Esportazione in corso</source>
        <translation>Esportazione in corso</translation>
    </message>
    <message>
        <source>Attendere prego</source>
        <translation>Attendere prego</translation>
    </message>
    <message>
        <source>Esportazione incompleta</source>
        <translation>Esportazione incompleta</translation>
    </message>
    <message>
        <source>Non esportato: %1</source>
        <translation>Non esportato: %1</translation>
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
