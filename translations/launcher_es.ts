<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>ResolveDialog</name>
    <message>
        <source>Rarudor Wallet (JRE installer)</source>
        <translation>Rarudor Wallet (instalación del JRE)</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;No Java Runtime Enviroment (JRE) could be found on your computer.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;No se ha encontrado ningún entorno de ejecución de Java (JRE) en su equipo.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rarudor Wallet requires JRE to run, please select one of the following options to set JRE and run the application again</source>
        <translation>Rarudor Wallet necesita un JRE para funcionar. Seleccione una de las siguientes opciones para configurar un JRE y vuelva a iniciar la aplicación</translation>
    </message>
    <message>
        <source>automatically install the JRE provided with this software (recommended)</source>
        <translation>instalar automáticamente el JRE incluido con este software (recomendado)</translation>
    </message>
    <message>
        <source>manually specify the location of an existing JRE</source>
        <translation>indicar manualmente la ubicación de un JRE existente</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
</TS>
