<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>TChart</name>
    <message>
        <source>%1 = %2%3 → %4 = %5%3</source>
        <extracomment>Tooltip of the sample under the mouse: %1 = %2 is the Y axis&apos; title and value(s), %4 = %5 the X axis&apos; title and value; %3 is the unit with its leading space, or nothing.</extracomment>
        <translation>%1 = %2%3 → %4 = %5%3</translation>
    </message>
    <message>
        <source>%1 %2 at %3 %4</source>
        <comment>a sample: Тко 80 at Тул −40</comment>
        <translation>%1 %2 bei %3 %4</translation>
    </message>
    <message>
        <source>%1 %2 from %3 %4 to %5</source>
        <comment>a level run: Тко 95 from Тул −40 to −5</comment>
        <translation>%1 %2 von %3 %4 bis %5</translation>
    </message>
    <message>
        <source>then %1 %2 up to %3 %4</source>
        <comment>a level run after a slope: then Тко 1 up to Тул 20</comment>
        <translation>dann %1 %2 bis %3 %4</translation>
    </message>
    <message>
        <source>then falling to %1 at %2 %3</source>
        <comment>then falling to 20 at Тул 20</comment>
        <translation>dann fallend auf %1 bei %2 %3</translation>
    </message>
    <message>
        <source>then rising to %1 at %2 %3</source>
        <comment>then rising to 60 at Тул 20</comment>
        <translation>dann steigend auf %1 bei %2 %3</translation>
    </message>
    <message>
        <source>, </source>
        <comment>joins the parts of a curve&apos;s description</comment>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Lower P0</source>
        <translation>P0 verringern</translation>
    </message>
    <message>
        <source>Lowers P0 by one, down to 0, and redraws the curve</source>
        <translation>Verringert P0 um eins, bis hinab auf 0, und zeichnet die Kurve neu</translation>
    </message>
    <message>
        <source>Raise P0</source>
        <translation>P0 erhöhen</translation>
    </message>
    <message>
        <source>Raises P0 by one, up to 50, and redraws the curve</source>
        <translation>Erhöht P0 um eins, bis höchstens 50, und zeichnet die Kurve neu</translation>
    </message>
    <message>
        <source>Raise P2</source>
        <translation>P2 erhöhen</translation>
    </message>
    <message>
        <source>Raises P2 by one, up to 50, and redraws the curve</source>
        <translation>Erhöht P2 um eins, bis höchstens 50, und zeichnet die Kurve neu</translation>
    </message>
    <message>
        <source>Lower P2</source>
        <translation>P2 verringern</translation>
    </message>
    <message>
        <source>Lowers P2 by one, down to 0, and redraws the curve</source>
        <translation>Verringert P2 um eins, bis hinab auf 0, und zeichnet die Kurve neu</translation>
    </message>
    <message>
        <source>Heating curve chart</source>
        <extracomment>the chart&apos;s name for screen readers</extracomment>
        <translation>Diagramm der Heizkurve</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>a screen reader&apos;s announcement after a press: the parameter and its new value, &quot;P0 21&quot;</extracomment>
        <translation>%1 %2</translation>
    </message>
</context>
</TS>
