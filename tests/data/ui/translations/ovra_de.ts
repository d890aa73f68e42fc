<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A few texts in German, for the test that a translation is found and shown. -->
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ovra::MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
</context>
<context>
    <name>BreachText</name>
    <message>
        <source>%1 problems</source>
        <translation>%1 Probleme</translation>
    </message>
</context>
</TS>
