<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>StationSearchDialog</name>
    <message numerus="yes">
        <source>%n station(s), the most played first.</source>
        <translation>
            <numerusform>%n station.</numerusform>
            <numerusform>%n stations, the most played first.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
</context>
</TS>
