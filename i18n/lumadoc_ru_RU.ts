<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>Китайский (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Английский (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>Японский (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>Немецкий (Deutsch)</translation>
    </message>
</context>
</TS>
