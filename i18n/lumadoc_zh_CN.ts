<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语 (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>日语 (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>俄语 (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>德语 (Deutsch)</translation>
    </message>
</context>
</TS>
