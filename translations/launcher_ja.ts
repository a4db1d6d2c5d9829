<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ResolveDialog</name>
    <message>
        <source>Rarudor Wallet (JRE installer)</source>
        <translation>Rarudor Wallet (JRE インストーラー)</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;No Java Runtime Enviroment (JRE) could be found on your computer.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#aa0000;&quot;&gt;このコンピューターに Java Runtime Environment (JRE) が見つかりませんでした。&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Rarudor Wallet requires JRE to run, please select one of the following options to set JRE and run the application again</source>
        <translation>Rarudor Wallet の実行には JRE が必要です。次のいずれかの方法で JRE を設定してから、アプリケーションをもう一度起動してください</translation>
    </message>
    <message>
        <source>automatically install the JRE provided with this software (recommended)</source>
        <translation>このソフトウェアに付属の JRE を自動的にインストールする (推奨)</translation>
    </message>
    <message>
        <source>manually specify the location of an existing JRE</source>
        <translation>既存の JRE の場所を手動で指定する</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
</context>
</TS>
