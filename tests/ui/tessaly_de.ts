<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Tessaly</name>
    <message>
        <source>&amp;Add Photos...</source>
        <translation>Fotos &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
</context>
<context>
    <name>tessaly::ImageInfoWindow</name>
    <message>
        <source>Image Information</source>
        <translation>Bildinformationen</translation>
    </message>
</context>
</TS>
