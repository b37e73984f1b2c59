<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb_NO">
<context>
    <name>MainFrame</name>
    <message>
        <source>Exit</source>
        <translation>Avslutt</translation>
    </message>
</context>
</TS>
