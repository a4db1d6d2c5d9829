<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>ResolveDialog</name>
    <message>
        <source>Rarudor Wallet (JRE installer)</source>
        <translation>Rarudor Wallet (installazione del JRE)</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;No Java Runtime Enviroment (JRE) could be found on your computer.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;Sul computer non è stato trovato alcun ambiente di runtime Java (JRE).&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rarudor Wallet requires JRE to run, please select one of the following options to set JRE and run the application again</source>
        <translation>Rarudor Wallet richiede un JRE per funzionare. Selezionare una delle seguenti opzioni per configurare un JRE, quindi riavviare l’applicazione</translation>
    </message>
    <message>
        <source>automatically install the JRE provided with this software (recommended)</source>
        <translation>installa automaticamente il JRE fornito con questo software (consigliato)</translation>
    </message>
    <message>
        <source>manually specify the location of an existing JRE</source>
        <translation>specifica manualmente il percorso di un JRE esistente</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
</context>
</TS>
