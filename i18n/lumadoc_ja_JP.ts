<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>中国語 (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語 (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>ロシア語 (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>ドイツ語 (Deutsch)</translation>
    </message>
</context>
</TS>
