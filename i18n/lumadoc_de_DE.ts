<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>Chinesisch (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>Japanisch (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>Russisch (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>Deutsch</translation>
    </message>
</context>
</TS>
