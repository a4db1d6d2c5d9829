<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ResolveDialog</name>
    <message>
        <source>Rarudor Wallet (JRE installer)</source>
        <translation>Rarudor Wallet (JRE-Installation)</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;No Java Runtime Enviroment (JRE) could be found on your computer.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;Auf Ihrem Computer wurde keine Java-Laufzeitumgebung (JRE) gefunden.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rarudor Wallet requires JRE to run, please select one of the following options to set JRE and run the application again</source>
        <translation>Rarudor Wallet benötigt eine Java-Laufzeitumgebung (JRE). Bitte wählen Sie eine der folgenden Möglichkeiten, um eine JRE einzurichten, und starten Sie die Anwendung danach erneut</translation>
    </message>
    <message>
        <source>automatically install the JRE provided with this software (recommended)</source>
        <translation>die mit dieser Software gelieferte JRE automatisch installieren (empfohlen)</translation>
    </message>
    <message>
        <source>manually specify the location of an existing JRE</source>
        <translation>den Ort einer vorhandenen JRE selbst angeben</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
</TS>
