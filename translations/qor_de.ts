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
        <source>%1 from %2 at %3 %4 to %5 at %3 %6</source>
        <extracomment>What a screen reader says of the curve: &quot;Tko from 80 at Tul -40 to 20 at Tul 20&quot;, the X values at the lowest and at the highest Y.</extracomment>
        <translation>%1 von %2 bei %3 %4 bis %5 bei %3 %6</translation>
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
        <source>Tko</source>
        <extracomment>the circuit temperature&apos;s name as a screen reader should say it (the axis reads &quot;Тко&quot;)</extracomment>
        <translation>Tko</translation>
    </message>
    <message>
        <source>Tul</source>
        <extracomment>the outdoor temperature&apos;s name as a screen reader should say it (the axis reads &quot;Тул&quot;)</extracomment>
        <translation>Tul</translation>
    </message>
    <message>
        <source>Heating curve chart</source>
        <extracomment>the chart&apos;s name for screen readers</extracomment>
        <translation>Diagramm der Heizkurve</translation>
    </message>
</context>
</TS>
