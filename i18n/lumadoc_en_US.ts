<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>Chinese (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>Japanese (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>Russian (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>German (Deutsch)</translation>
    </message>
</context>
</TS>
