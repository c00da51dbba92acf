<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>skin::AboutPanel</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About SkinButton %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skin::designer::SkinButtonPlugin</name>
    <message>
        <source>SkinButton: a push or toggle button with eleven looks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A self-painting push button, optionally a toggle button, with eleven looks (Style 0-10), an icon beside the caption, custom or system colours and its own tooltip.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>skin::designer::SkinButtonTaskMenu</name>
    <message>
        <source>About SkinButton…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
