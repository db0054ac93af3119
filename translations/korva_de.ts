<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_GB">
<context>
    <name>AccessibleName</name>
    <message>
        <source>Drawing frame</source>
        <translation>Rahmen der Zeichnung</translation>
    </message>
    <message>
        <source>Copy of the drawing</source>
        <translation>Kopie der Zeichnung</translation>
    </message>
    <message>
        <source>Choose pen colour</source>
        <translation>Stiftfarbe wählen</translation>
    </message>
    <message>
        <source>Canvas colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Pen colour</source>
        <translation>Stiftfarbe</translation>
    </message>
    <message>
        <source>Drawing line width</source>
        <translation>Linienbreite</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Step 1 degree</source>
        <translation>Schritt 1 Grad</translation>
    </message>
    <message>
        <source>Step 2 degrees</source>
        <translation>Schritt 2 Grad</translation>
    </message>
    <message>
        <source>Step 5 degrees</source>
        <translation>Schritt 5 Grad</translation>
    </message>
    <message>
        <source>Step 10 degrees</source>
        <translation>Schritt 10 Grad</translation>
    </message>
    <message>
        <source>Step (degrees)</source>
        <translation>Schritt (Grad)</translation>
    </message>
    <message>
        <source>Gears</source>
        <translation>Räder</translation>
    </message>
    <message>
        <source>Fixed ring teeth</source>
        <translation>Zähne des Rings</translation>
    </message>
    <message>
        <source>Moving gear teeth</source>
        <translation>Zähne des Rads</translation>
    </message>
    <message>
        <source>Number of points in pattern</source>
        <translation>Anzahl der Spitzen im Muster</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>Number of patterns to draw</source>
        <translation>Anzahl der Muster</translation>
    </message>
    <message>
        <source>Reflect (for double spirals)</source>
        <translation>Spiegeln (für Doppelspiralen)</translation>
    </message>
    <message>
        <source>Cycle colours</source>
        <translation>Farbwechsel</translation>
    </message>
    <message>
        <source>Red, green, blue</source>
        <translation>Rot, Grün, Blau</translation>
    </message>
    <message>
        <source>Red step</source>
        <translation>Schritt Rot</translation>
    </message>
    <message>
        <source>Green step</source>
        <translation>Schritt Grün</translation>
    </message>
    <message>
        <source>Blue step</source>
        <translation>Schritt Blau</translation>
    </message>
    <message>
        <source>Zero all colour steps</source>
        <translation>Alle Farbschritte auf 0</translation>
    </message>
    <message>
        <source>Pen position and size</source>
        <translation>Stiftlage und Größe</translation>
    </message>
    <message>
        <source>Default pen position, top and size</source>
        <translation>Stiftposition, Drehung und Größe auf Standard</translation>
    </message>
    <message>
        <source>Zero all pen steps</source>
        <translation>Alle Stiftschritte auf 0</translation>
    </message>
    <message>
        <source>Pen position</source>
        <translation>Stiftposition</translation>
    </message>
    <message>
        <source>Pen position step</source>
        <translation>Schritt der Stiftposition</translation>
    </message>
    <message>
        <source>Top of design</source>
        <translation>Drehung des Musters</translation>
    </message>
    <message>
        <source>Top of design step</source>
        <translation>Schritt der Drehung</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Size step</source>
        <translation>Schritt der Größe</translation>
    </message>
    <message>
        <source>Centre of design</source>
        <translation>Mittelpunkt des Musters</translation>
    </message>
    <message>
        <source>Default centre</source>
        <translation>Mittelpunkt auf Standard</translation>
    </message>
    <message>
        <source>Zero all centre steps</source>
        <translation>Alle Mittelpunktschritte auf 0</translation>
    </message>
    <message>
        <source>Horizontal centre</source>
        <translation>Mittelpunkt waagerecht</translation>
    </message>
    <message>
        <source>Horizontal centre step</source>
        <translation>Schritt waagerecht</translation>
    </message>
    <message>
        <source>Vertical centre</source>
        <translation>Mittelpunkt senkrecht</translation>
    </message>
    <message>
        <source>Vertical centre step</source>
        <translation>Schritt senkrecht</translation>
    </message>
    <message>
        <source>Choose canvas colour</source>
        <translation>Hintergrundfarbe wählen</translation>
    </message>
    <message>
        <source>Black on white</source>
        <translation>Schwarz auf Weiß</translation>
    </message>
    <message>
        <source>White on black</source>
        <translation>Weiß auf Schwarz</translation>
    </message>
    <message>
        <source>Keep a copy of the drawing</source>
        <translation>Kopie der Zeichnung anlegen</translation>
    </message>
    <message>
        <source>Restore the copy of the drawing</source>
        <translation>Kopie der Zeichnung zurückholen</translation>
    </message>
    <message>
        <source>Print zoom</source>
        <translation>Druckvergrößerung</translation>
    </message>
    <message>
        <source>Ring shape</source>
        <translation>Ringform</translation>
    </message>
    <message>
        <source>Corner (teeth)</source>
        <translation>Ecken (Zähne)</translation>
    </message>
    <message>
        <source>Drawing, across</source>
        <translation>Zeichnung, waagerecht</translation>
    </message>
    <message>
        <source>Drawing, up and down</source>
        <translation>Zeichnung, senkrecht</translation>
    </message>
    <message numerus="yes">
        <source>Drawing: %n pattern</source>
        <comment>one pattern</comment>
        <translation>
            <numerusform>Zeichnung: %n Muster</numerusform>
            <numerusform>Zeichnung: %n Muster</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Drawing: %n patterns</source>
        <comment>any other count</comment>
        <translation>
            <numerusform>Zeichnung: %n Muster</numerusform>
            <numerusform>Zeichnung: %n Muster</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Korva Quick Guide</source>
        <translation>Korva-Kurzanleitung</translation>
    </message>
    <message>
        <source>About Korva</source>
        <translation>Über Korva</translation>
    </message>
    <message>
        <source>Draws the curves of the toothed-gear drawing toy, hypotrochoids and epitrochoids, exactly to the pixel: series of patterns, double spirals, colour cycling, design files, printing and batch scripts.

Copyright © The Korva developers. Released under the MIT licence: you may use, copy, change and share it freely, with no warranty.</source>
        <translation>Zeichnet die Kurven des Zahnrad-Zeichenspielzeugs, Hypotrochoiden und Epitrochoiden, pixelgenau: Musterserien, Doppelspiralen, Farbwechsel, Musterdateien, Drucken und Stapelskripte.

Die Kurzanleitung im Hilfe-Menü gibt es nur auf Englisch.

Copyright © Die Korva-Entwickler. Veröffentlicht unter der MIT-Lizenz: Sie dürfen das Programm frei verwenden, kopieren, ändern und weitergeben, ohne jede Gewährleistung.</translation>
    </message>
    <message>
        <source>Step (degrees):</source>
        <translation>Schritt (Grad):</translation>
    </message>
    <message>
        <source>Teeth of the fixed ring:</source>
        <translation>Zähne des Rings:</translation>
    </message>
    <message>
        <source>Teeth of the moving gear:</source>
        <translation>Zähne des Rads:</translation>
    </message>
    <message>
        <source>Number of patterns to draw:</source>
        <translation>Anzahl der Muster:</translation>
    </message>
    <message>
        <source>Pen position within the moving gear:</source>
        <translation>Stiftposition im Rad:</translation>
    </message>
    <message>
        <source>Top of design (10ths of a ring tooth):</source>
        <translation>Drehung (Zehntel eines Ringzahns):</translation>
    </message>
    <message>
        <source>Size (1000ths):</source>
        <translation>Größe (Tausendstel):</translation>
    </message>
    <message>
        <source>Horizontal centre (10ths of a pixel):</source>
        <translation>Mitte waagerecht (Zehntelpixel):</translation>
    </message>
    <message>
        <source>Vertical centre (10ths of a pixel):</source>
        <translation>Mitte senkrecht (Zehntelpixel):</translation>
    </message>
    <message>
        <source>Corner of the ring (teeth):</source>
        <translation>Ecken des Rings (Zähne):</translation>
    </message>
    <message>
        <source>Drawing line width (pixels):</source>
        <translation>Linienbreite (Pixel):</translation>
    </message>
    <message>
        <source>Red step per pattern:</source>
        <translation>Rot-Schritt je Muster:</translation>
    </message>
    <message>
        <source>Green step per pattern:</source>
        <translation>Grün-Schritt je Muster:</translation>
    </message>
    <message>
        <source>Blue step per pattern:</source>
        <translation>Blau-Schritt je Muster:</translation>
    </message>
    <message>
        <source>Pen position step per pattern:</source>
        <translation>Stiftpositions-Schritt je Muster:</translation>
    </message>
    <message>
        <source>Top step per pattern:</source>
        <translation>Drehungs-Schritt je Muster:</translation>
    </message>
    <message>
        <source>Size step per pattern:</source>
        <translation>Größen-Schritt je Muster:</translation>
    </message>
    <message>
        <source>Horizontal centre step per pattern:</source>
        <translation>Schritt der Mitte waagerecht je Muster:</translation>
    </message>
    <message>
        <source>Vertical centre step per pattern:</source>
        <translation>Schritt der Mitte senkrecht je Muster:</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Pattern Command Text File</source>
        <translation>Korva-Musterdatei (Text)</translation>
    </message>
    <message>
        <source>Export SVG</source>
        <translation>SVG exportieren</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>PDF exportieren</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>PNG exportieren</translation>
    </message>
    <message>
        <source>Scalable Vector Graphics</source>
        <translation>Skalierbare Vektorgrafik</translation>
    </message>
    <message>
        <source>Portable Document Format</source>
        <translation>PDF-Dokument</translation>
    </message>
    <message>
        <source>Portable Network Graphics</source>
        <translation>PNG-Bild</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Type a value</source>
        <translation>Wert eingeben</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Include canvas colour</source>
        <translation>Hintergrundfarbe einschließen</translation>
    </message>
    <message>
        <source>Simplify for plotters</source>
        <translation>Für Plotter vereinfachen</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Toleranz:</translation>
    </message>
    <message>
        <source>One layer per colour</source>
        <translation>Eine Ebene je Farbe</translation>
    </message>
    <message>
        <source>A single layer in drawing order</source>
        <translation>Eine einzige Ebene in Zeichenreihenfolge</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;TXT...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save &amp;BMP...</source>
        <translation>Als B&amp;MP speichern...</translation>
    </message>
    <message>
        <source>Export S&amp;VG...</source>
        <translation>Als S&amp;VG exportieren...</translation>
    </message>
    <message>
        <source>Export P&amp;DF...</source>
        <translation>Als P&amp;DF exportieren...</translation>
    </message>
    <message>
        <source>Export P&amp;NG...</source>
        <translation>Als P&amp;NG exportieren...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Background</source>
        <translation>Hinter&amp;grund</translation>
    </message>
    <message>
        <source>&amp;Select Colour...</source>
        <translation>Farbe &amp;wählen...</translation>
    </message>
    <message>
        <source>&amp;White (Black Pen)</source>
        <translation>W&amp;eiß (schwarzer Stift)</translation>
    </message>
    <message>
        <source>Blac&amp;k (White Pen)</source>
        <translation>&amp;Schwarz (weißer Stift)</translation>
    </message>
    <message>
        <source>&amp;Printing</source>
        <translation>D&amp;rucken</translation>
    </message>
    <message>
        <source>&amp;Print Design...</source>
        <translation>Muster &amp;drucken...</translation>
    </message>
    <message>
        <source>&amp;Colour</source>
        <translation>&amp;Farbe</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Vergrößerung</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Schwarzweiß</translation>
    </message>
    <message>
        <source>7 Colours</source>
        <translation>7 Farben</translation>
    </message>
    <message>
        <source>Full Colour</source>
        <translation>Vollfarbe</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Quick Guide</source>
        <translation>&amp;Kurzanleitung</translation>
    </message>
    <message>
        <source>&amp;About Korva</source>
        <translation>Ü&amp;ber Korva</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Show &amp;Gears</source>
        <translation>Zahnräder &amp;zeigen</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Animate Drawing</source>
        <translation>Zeichnen &amp;animieren</translation>
    </message>
    <message>
        <source>&amp;Speed</source>
        <translation>&amp;Geschwindigkeit</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ve&amp;rgrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Verk&amp;leinern</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Einpassen</translation>
    </message>
    <message>
        <source>Actual Pi&amp;xels</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>Smooth &amp;Lines</source>
        <translation>&amp;Kantenglättung</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Canvas and Pen colors are identical.</source>
        <translation>Hintergrund- und Stiftfarbe sind gleich.</translation>
    </message>
    <message>
        <source>Exporting - %1 % - Esc stops</source>
        <translation>Exportieren - %1 % - Esc bricht ab</translation>
    </message>
    <message>
        <source>Save changes to the design before closing?</source>
        <translation>Änderungen am Muster vor dem Schließen speichern?</translation>
    </message>
    <message>
        <source>Error - Attempt to draw too many patterns - 1000 maximum allowed.</source>
        <translation>Fehler - zu viele Muster: höchstens 1000 sind erlaubt.</translation>
    </message>
    <message>
        <source>Pattern %1 of %2</source>
        <translation>Muster %1 von %2</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>noch etwa %1 s</translation>
    </message>
    <message>
        <source>Esc stops</source>
        <translation>Esc bricht ab</translation>
    </message>
    <message>
        <source>Preview shows the series as far as 2 million segments</source>
        <translation>Die Vorschau zeigt die Serie bis 2 Millionen Segmente</translation>
    </message>
    <message>
        <source>Image size must be a whole number of pixels</source>
        <translation>Die Bildgröße muss eine ganze Zahl von Pixeln sein</translation>
    </message>
    <message>
        <source>A PNG of %1 pixels needs about %2 of memory while it is made.
Go on?</source>
        <translation>Ein PNG mit %1 Pixeln braucht beim Erstellen etwa %2 Arbeitsspeicher.
Fortfahren?</translation>
    </message>
    <message>
        <source>The file will take about %1 of disk space.
Write it?</source>
        <translation>Die Datei wird etwa %1 Speicherplatz belegen.
Schreiben?</translation>
    </message>
    <message>
        <source>full colour.</source>
        <translation>Vollfarbe.</translation>
    </message>
    <message>
        <source>monochrome.</source>
        <translation>Schwarzweiß.</translation>
    </message>
    <message>
        <source>7 colours.</source>
        <translation>7 Farben.</translation>
    </message>
    <message>
        <source>No pattern to print.</source>
        <translation>Kein Muster zum Drucken.</translation>
    </message>
    <message>
        <source>Printing pattern of size %1% in %2
Are you sure ? </source>
        <translation>Muster in Größe %1% drucken, in %2
Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Printing abandoned.</source>
        <translation>Drucken abgebrochen.</translation>
    </message>
    <message>
        <source>The pattern in line %1 cannot be drawn: %2.</source>
        <translation>Das Muster in Zeile %1 kann nicht gezeichnet werden: %2.</translation>
    </message>
    <message>
        <source>%1 (line %2)</source>
        <translation>%1 (Zeile %2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>sides %1 is not 0, 2, 3, 4, 5 or 6</source>
        <translation>Seitenzahl %1 ist nicht 0, 2, 3, 4, 5 oder 6</translation>
    </message>
    <message>
        <source>corner %1 is below 1</source>
        <translation>Ecke %1 ist kleiner als 1</translation>
    </message>
    <message>
        <source>corner %1 is above the fixed gear&apos;s %2 teeth</source>
        <translation>Ecke %1 ist größer als die %2 Zähne des Rings</translation>
    </message>
    <message>
        <source>corner %1 is below the moving gear&apos;s %2 teeth</source>
        <translation>Ecke %1 ist kleiner als die %2 Zähne des Rads</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Datei %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Ein-/Ausgabefehler %1</translation>
    </message>
    <message>
        <source>Preview failed: %1</source>
        <translation>Vorschau fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Next Draw continues the series: %1</source>
        <translation>Das nächste Malen setzt die Serie fort: %1</translation>
    </message>
    <message>
        <source>pen position %1</source>
        <translation>Stiftposition %1</translation>
    </message>
    <message>
        <source>top %1</source>
        <translation>Drehung %1</translation>
    </message>
    <message>
        <source>size %1</source>
        <translation>Größe %1</translation>
    </message>
    <message>
        <source>centre X %1</source>
        <translation>Mitte X %1</translation>
    </message>
    <message>
        <source>centre Y %1</source>
        <translation>Mitte Y %1</translation>
    </message>
    <message>
        <source>Integer overflow</source>
        <translation>Ganzzahlüberlauf</translation>
    </message>
    <message>
        <source>Range check error</source>
        <translation>Bereichsüberschreitung</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Gleitkommaüberlauf</translation>
    </message>
    <message>
        <source>Scrollbar property out of range</source>
        <translation>Bildlaufleisten-Wert außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>Error reading input file - not a KORVA file</source>
        <translation>Fehler beim Lesen der Datei - keine KORVA-Datei</translation>
    </message>
    <message>
        <source>teeth below 1</source>
        <translation>weniger als 1 Zahn</translation>
    </message>
    <message>
        <source>fixed gear below 2 teeth</source>
        <translation>Ring mit weniger als 2 Zähnen</translation>
    </message>
    <message>
        <source>step below 1</source>
        <translation>Schritt kleiner als 1</translation>
    </message>
    <message>
        <source>integer overflow</source>
        <translation>Ganzzahlüberlauf</translation>
    </message>
    <message>
        <source>its points lie beyond the drawing area&apos;s pixel range</source>
        <translation>seine Punkte liegen außerhalb des Pixelbereichs der Zeichenfläche</translation>
    </message>
    <message>
        <source>more than 100 million segments</source>
        <translation>mehr als 100 Millionen Segmente</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Schreibfehler</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Zugriff auf die Datei verweigert</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>Printing in progress</source>
        <translation>Es wird bereits gedruckt</translation>
    </message>
    <message>
        <source>No printer is installed: printing needs a default printer.</source>
        <translation>Kein Drucker eingerichtet: zum Drucken wird ein Standarddrucker benötigt.</translation>
    </message>
    <message>
        <source>The printer could not start the print job.</source>
        <translation>Der Drucker konnte den Druckauftrag nicht beginnen.</translation>
    </message>
    <message>
        <source>The print job failed.</source>
        <translation>Der Druckauftrag ist fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Circle</source>
        <translation>Kreis</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Oval</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Quadrat</translation>
    </message>
    <message>
        <source>Pentagon</source>
        <translation>Fünfeck</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <translation>Sechseck</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Malen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Tilgen</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Drawing Line Width (pixels)</source>
        <translation>Linienbreite (Pixel)</translation>
    </message>
    <message>
        <source>Step (degrees)</source>
        <translation>Schritt (Grad)</translation>
    </message>
    <message>
        <source>Gears</source>
        <translation>Räder</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Lage</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Innen</translation>
    </message>
    <message>
        <source>External</source>
        <translation>Außen</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Ring</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Rad</translation>
    </message>
    <message>
        <source>Number of points in pattern: </source>
        <translation>Anzahl der Spitzen im Muster: </translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>Number of patterns to draw: (max. 200) </source>
        <translation>Anzahl der Muster: (max. 200) </translation>
    </message>
    <message>
        <source>Reflect (for double spirals)</source>
        <translation>Spiegeln (für Doppelspiralen)</translation>
    </message>
    <message>
        <source>Reset to 1</source>
        <translation>Auf 1 setzen</translation>
    </message>
    <message>
        <source>Cycle Colours</source>
        <translation>Farbwechsel</translation>
    </message>
    <message>
        <source>Red         Green        Blue</source>
        <translation>Rot          Grün          Blau</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schritt</translation>
    </message>
    <message>
        <source>Zero All</source>
        <translation>Alle 0</translation>
    </message>
    <message>
        <source>Pen Position &amp;  Size</source>
        <translation>Stiftlage &amp; Größe</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Pen position within moving gear:</source>
        <translation>Stiftposition im Rad:</translation>
    </message>
    <message>
        <source>Centre = 0; Outside Edge = 10 x Moving Gear</source>
        <translation>Mitte = 0; Außenrand = 10 x Rad</translation>
    </message>
    <message>
        <source>Top of Design - 10ths of gear tooth</source>
        <translation>Drehung - Zehntel eines Zahns</translation>
    </message>
    <message>
        <source>Size  - 1000ths </source>
        <translation>Größe - Tausendstel </translation>
    </message>
    <message>
        <source>Centre Of  Design</source>
        <translation>Mittelpunkt</translation>
    </message>
    <message>
        <source>Horizontal (X) - 10ths of pixels</source>
        <translation>Waagerecht (X) - Zehntelpixel</translation>
    </message>
    <message>
        <source>Vertical (Y)  - 10ths of pixels</source>
        <translation>Senkrecht (Y) - Zehntelpixel</translation>
    </message>
    <message>
        <source>Open Only</source>
        <translation>Nur öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save BMP</source>
        <translation>Als BMP</translation>
    </message>
    <message>
        <source>Canvas</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>B on W</source>
        <translation>S auf W</translation>
    </message>
    <message>
        <source>W on B</source>
        <translation>W auf S</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Erneuern</translation>
    </message>
    <message>
        <source>Dump</source>
        <translation>Kopie</translation>
    </message>
    <message>
        <source>Open &amp; Print</source>
        <translation>Öffnen &amp; Drucken</translation>
    </message>
    <message>
        <source>Ring Shape</source>
        <translation>Ringform</translation>
    </message>
    <message>
        <source>Corner (teeth)</source>
        <translation>Ecken (Zähne)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Halt</translation>
    </message>
</context>
<context>
    <name>ToolTip</name>
    <message>
        <source>Double-click to type a value (F2 on a bar).</source>
        <translation>Doppelklick zum Eingeben eines Werts (F2 auf einer Leiste).</translation>
    </message>
    <message>
        <source>The drawing. Patterns are drawn here, exactly to the pixel.</source>
        <translation>Die Zeichnung. Hier werden die Muster pixelgenau gezeichnet.</translation>
    </message>
    <message>
        <source>Wipe the drawing and forget every pattern (Edit &gt; Undo brings them back).</source>
        <translation>Zeichnung leeren und alle Muster vergessen (Bearbeiten &gt; Rückgängig holt sie zurück).</translation>
    </message>
    <message>
        <source>Draw the pattern, or the series, set on the panel (Ctrl+D).</source>
        <translation>Das eingestellte Muster oder die Serie zeichnen (Strg+D).</translation>
    </message>
    <message>
        <source>Remove the last pattern and redraw the others.</source>
        <translation>Letztes Muster entfernen und die übrigen neu zeichnen.</translation>
    </message>
    <message>
        <source>Choose the pen colour for the next patterns.</source>
        <translation>Stiftfarbe für die nächsten Muster wählen.</translation>
    </message>
    <message>
        <source>The canvas colour, with the pen colour inside.</source>
        <translation>Die Hintergrundfarbe, darin die Stiftfarbe.</translation>
    </message>
    <message>
        <source>The pen colour of the next pattern.</source>
        <translation>Die Stiftfarbe des nächsten Musters.</translation>
    </message>
    <message>
        <source>Close Korva; you are asked first if the drawing has unsaved changes.</source>
        <translation>Korva schließen; bei ungespeicherten Änderungen wird vorher gefragt.</translation>
    </message>
    <message>
        <source>Width of the pen, in pixels, for the patterns drawn from now on.</source>
        <translation>Stiftbreite in Pixeln für die ab jetzt gezeichneten Muster.</translation>
    </message>
    <message>
        <source>Step 1 degree: the smoothest curves.</source>
        <translation>Schritt 1 Grad: die glattesten Kurven.</translation>
    </message>
    <message>
        <source>Step 2 degrees.</source>
        <translation>Schritt 2 Grad.</translation>
    </message>
    <message>
        <source>Step 5 degrees.</source>
        <translation>Schritt 5 Grad.</translation>
    </message>
    <message>
        <source>Step 10 degrees: quicker, more angular curves.</source>
        <translation>Schritt 10 Grad: schneller, eckigere Kurven.</translation>
    </message>
    <message>
        <source>How far the moving gear rolls between two points, in degrees. Large steps give star shapes.</source>
        <translation>Wie weit das Rad zwischen zwei Punkten rollt, in Grad. Große Schritte ergeben Sterne.</translation>
    </message>
    <message>
        <source>The step, in degrees.</source>
        <translation>Der Schritt in Grad.</translation>
    </message>
    <message>
        <source>The moving gear rolls inside the fixed ring.</source>
        <translation>Das Rad rollt innen im Ring.</translation>
    </message>
    <message>
        <source>The moving gear rolls around the outside of the fixed ring.</source>
        <translation>Das Rad rollt außen um den Ring.</translation>
    </message>
    <message>
        <source>Teeth of the fixed ring.</source>
        <translation>Zähne des Rings.</translation>
    </message>
    <message>
        <source>Teeth of the moving gear. Inside the ring it must be the smaller.</source>
        <translation>Zähne des Rads. Innen im Ring muss es das kleinere sein.</translation>
    </message>
    <message>
        <source>Teeth of the moving gear.</source>
        <translation>Zähne des Rads.</translation>
    </message>
    <message>
        <source>How many loops (points) the pattern has.</source>
        <translation>Wie viele Schleifen (Spitzen) das Muster hat.</translation>
    </message>
    <message>
        <source>How many patterns one Draw makes, each stepped from the one before.</source>
        <translation>Wie viele Muster ein Malen zeichnet, jedes um einen Schritt weiter als das vorige.</translation>
    </message>
    <message>
        <source>Patterns per Draw.</source>
        <translation>Muster je Malen.</translation>
    </message>
    <message>
        <source>Follow each pattern by its mirror image: a double spiral.</source>
        <translation>Jedem Muster folgt sein Spiegelbild: eine Doppelspirale.</translation>
    </message>
    <message>
        <source>Back to one pattern per Draw, with every step at zero.</source>
        <translation>Zurück zu einem Muster je Malen, alle Schritte auf null.</translation>
    </message>
    <message>
        <source>Added to the pen&apos;s red after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zum Rot des Stifts addiert.</translation>
    </message>
    <message>
        <source>Added to the pen&apos;s green after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zum Grün des Stifts addiert.</translation>
    </message>
    <message>
        <source>Added to the pen&apos;s blue after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zum Blau des Stifts addiert.</translation>
    </message>
    <message>
        <source>Set the three colour steps to zero.</source>
        <translation>Die drei Farbschritte auf null setzen.</translation>
    </message>
    <message>
        <source>Put the pen position, top and size back to the gears&apos; defaults.</source>
        <translation>Stiftposition, Drehung und Größe auf die Standardwerte der Räder setzen.</translation>
    </message>
    <message>
        <source>Set the pen position, top and size steps to zero.</source>
        <translation>Die Schritte von Stiftposition, Drehung und Größe auf null setzen.</translation>
    </message>
    <message>
        <source>Where the pen sits: 0 is the gear&apos;s centre, 10 x moving teeth its rim.</source>
        <translation>Wo der Stift sitzt: 0 ist die Mitte des Rads, 10 x seine Zähne der Rand.</translation>
    </message>
    <message>
        <source>Added to the pen position after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zur Stiftposition addiert.</translation>
    </message>
    <message>
        <source>Turns the pattern: in tenths of a tooth of the fixed ring.</source>
        <translation>Dreht das Muster: in Zehnteln eines Ringzahns.</translation>
    </message>
    <message>
        <source>The turn of the pattern, in tenths of a ring tooth.</source>
        <translation>Die Drehung des Musters in Zehnteln eines Ringzahns.</translation>
    </message>
    <message>
        <source>Added to the turn after each pattern of a series: a spiral.</source>
        <translation>Wird nach jedem Muster einer Serie zur Drehung addiert: eine Spirale.</translation>
    </message>
    <message>
        <source>Size of the pattern, in thousandths: 1000 fills the drawing.</source>
        <translation>Größe des Musters in Tausendsteln: 1000 füllt die Zeichnung.</translation>
    </message>
    <message>
        <source>Size, in thousandths.</source>
        <translation>Größe in Tausendsteln.</translation>
    </message>
    <message>
        <source>Added to the size after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zur Größe addiert.</translation>
    </message>
    <message>
        <source>Put the pattern back in the middle of the drawing.</source>
        <translation>Das Muster zurück in die Mitte der Zeichnung setzen.</translation>
    </message>
    <message>
        <source>Set the centre steps to zero.</source>
        <translation>Die Schritte der Mitte auf null setzen.</translation>
    </message>
    <message>
        <source>Moves the pattern right (or left), in tenths of a pixel.</source>
        <translation>Verschiebt das Muster nach rechts (oder links), in Zehntelpixeln.</translation>
    </message>
    <message>
        <source>Horizontal offset of the centre, in tenths of a pixel.</source>
        <translation>Waagerechte Verschiebung der Mitte in Zehntelpixeln.</translation>
    </message>
    <message>
        <source>Added to the horizontal centre after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zur waagerechten Mitte addiert.</translation>
    </message>
    <message>
        <source>Moves the pattern up (or down), in tenths of a pixel.</source>
        <translation>Verschiebt das Muster nach oben (oder unten), in Zehntelpixeln.</translation>
    </message>
    <message>
        <source>Vertical offset of the centre, in tenths of a pixel.</source>
        <translation>Senkrechte Verschiebung der Mitte in Zehntelpixeln.</translation>
    </message>
    <message>
        <source>Added to the vertical centre after each pattern of a series.</source>
        <translation>Wird nach jedem Muster einer Serie zur senkrechten Mitte addiert.</translation>
    </message>
    <message>
        <source>The fixed ring&apos;s shape: a circle, an oval or a rounded polygon.</source>
        <translation>Die Form des Rings: Kreis, Oval oder abgerundetes Vieleck.</translation>
    </message>
    <message>
        <source>Radius of the ring&apos;s corners, in teeth: up to the ring&apos;s teeth, and inside at least the moving gear&apos;s.</source>
        <translation>Radius der Ecken des Rings in Zähnen: höchstens die Zähne des Rings, innen mindestens die des Rads.</translation>
    </message>
    <message>
        <source>Radius of the ring&apos;s corners, in teeth.</source>
        <translation>Radius der Ecken des Rings in Zähnen.</translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message>
        <source>Draws the curves of the toothed-gear drawing toy. FILE.txt, a Korva design
file, is opened after start-up. See korva(1) and korva-batch(1).
</source>
        <translation>Zeichnet die Kurven des Zahnrad-Zeichenspielzeugs. FILE.txt, eine Korva-Musterdatei,
wird nach dem Start geöffnet. Siehe korva(1) und korva-batch(1).
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>one design file only, not also &apos;%1&apos;</source>
        <translation>nur eine Musterdatei, nicht auch &apos;%1&apos;</translation>
    </message>
    <message>
        <source>an SVG</source>
        <translation>ein SVG</translation>
    </message>
    <message>
        <source>a PDF</source>
        <translation>ein PDF</translation>
    </message>
    <message>
        <source>a PNG</source>
        <translation>ein PNG</translation>
    </message>
    <message>
        <source>--single-layer is for SVG only, not for %1</source>
        <translation>--single-layer gilt nur für SVG, nicht für %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a value</source>
        <translation>&apos;%1&apos; braucht einen Wert</translation>
    </message>
    <message>
        <source>--simplify is for SVG and PDF only, not for a PNG</source>
        <translation>--simplify gilt nur für SVG und PDF, nicht für ein PNG</translation>
    </message>
    <message>
        <source>--simplify takes a decimal number of millimetres, not &apos;%1&apos;</source>
        <translation>--simplify erwartet eine Dezimalzahl in Millimetern, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--size of a PNG is a whole number of pixels, not &apos;%1&apos;</source>
        <translation>--size eines PNG ist eine ganze Zahl von Pixeln, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--size of %1 is a decimal number of millimetres, not &apos;%2&apos;</source>
        <translation>--size für %1 ist eine Dezimalzahl in Millimetern, nicht &apos;%2&apos;</translation>
    </message>
    <message>
        <source>unknown export option &apos;%1&apos;</source>
        <translation>unbekannte Export-Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the export&apos;s name must end in .svg, .pdf or .png</source>
        <translation>der Name des Exports muss auf .svg, .pdf oder .png enden</translation>
    </message>
    <message>
        <source>Runs Korva&apos;s window off-screen from a script of user actions, one per line:
click, arrow, track, drag, key, spin, type and answer. See korva-batch(1).
</source>
        <translation>Führt Korvas Fenster unsichtbar nach einem Skript von Benutzeraktionen aus, eine je Zeile:
click, arrow, track, drag, key, spin, type und answer. Siehe korva-batch(1).
</translation>
    </message>
    <message>
        <source>a file name must follow &apos;%1&apos;</source>
        <translation>auf &apos;%1&apos; muss ein Dateiname folgen</translation>
    </message>
    <message>
        <source>one script only, not also &apos;%1&apos;</source>
        <translation>nur ein Skript, nicht auch &apos;%1&apos;</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Korva  Version %1</source>
        <translation>Korva  Version %1</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
</TS>
