<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ResolveDialog</name>
    <message>
        <source>Rarudor Wallet (JRE installer)</source>
        <translation>Rarudor Wallet（JRE 安裝程式）</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;No Java Runtime Enviroment (JRE) could be found on your computer.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;在您的電腦上找不到 Java 執行階段環境 (JRE)。&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rarudor Wallet requires JRE to run, please select one of the following options to set JRE and run the application again</source>
        <translation>Rarudor Wallet 需要 JRE 才能執行。請選擇下列其中一個選項來設定 JRE，然後重新執行本應用程式</translation>
    </message>
    <message>
        <source>automatically install the JRE provided with this software (recommended)</source>
        <translation>自動安裝本軟體隨附的 JRE（建議）</translation>
    </message>
    <message>
        <source>manually specify the location of an existing JRE</source>
        <translation>手動指定現有 JRE 的位置</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>確定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>結束(&amp;Q)</translation>
    </message>
</context>
</TS>
