<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI" sourcelanguage="en_GB">
<context>
    <name>AccessibleName</name>
    <message>
        <source>Drawing frame</source>
        <translation>Piirroksen kehys</translation>
    </message>
    <message>
        <source>Copy of the drawing</source>
        <translation>Piirroksen kopio</translation>
    </message>
    <message>
        <source>Choose pen colour</source>
        <translation>Valitse kynän väri</translation>
    </message>
    <message>
        <source>Canvas colour</source>
        <translation>Taustaväri</translation>
    </message>
    <message>
        <source>Pen colour</source>
        <translation>Kynän väri</translation>
    </message>
    <message>
        <source>Drawing line width</source>
        <translation>Viivan leveys</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Askel</translation>
    </message>
    <message>
        <source>Step 1 degree</source>
        <translation>Askel 1 aste</translation>
    </message>
    <message>
        <source>Step 2 degrees</source>
        <translation>Askel 2 astetta</translation>
    </message>
    <message>
        <source>Step 5 degrees</source>
        <translation>Askel 5 astetta</translation>
    </message>
    <message>
        <source>Step 10 degrees</source>
        <translation>Askel 10 astetta</translation>
    </message>
    <message>
        <source>Step (degrees)</source>
        <translation>Askel (astetta)</translation>
    </message>
    <message>
        <source>Gears</source>
        <translation>Rattaat</translation>
    </message>
    <message>
        <source>Fixed ring teeth</source>
        <translation>Kehän hampaat</translation>
    </message>
    <message>
        <source>Moving gear teeth</source>
        <translation>Rattaan hampaat</translation>
    </message>
    <message>
        <source>Number of points in pattern</source>
        <translation>Kärkiä kuviossa</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Sarja</translation>
    </message>
    <message>
        <source>Number of patterns to draw</source>
        <translation>Piirrettävien kuvioiden määrä</translation>
    </message>
    <message>
        <source>Reflect (for double spirals)</source>
        <translation>Peilaa (kaksoisspiraaleihin)</translation>
    </message>
    <message>
        <source>Cycle colours</source>
        <translation>Värikierto</translation>
    </message>
    <message>
        <source>Red, green, blue</source>
        <translation>Punainen, vihreä, sininen</translation>
    </message>
    <message>
        <source>Red step</source>
        <translation>Punaisen askel</translation>
    </message>
    <message>
        <source>Green step</source>
        <translation>Vihreän askel</translation>
    </message>
    <message>
        <source>Blue step</source>
        <translation>Sinisen askel</translation>
    </message>
    <message>
        <source>Zero all colour steps</source>
        <translation>Nollaa värien askeleet</translation>
    </message>
    <message>
        <source>Pen position and size</source>
        <translation>Kynän paikka ja koko</translation>
    </message>
    <message>
        <source>Default pen position, top and size</source>
        <translation>Kynän paikka, kierto ja koko oletuksiin</translation>
    </message>
    <message>
        <source>Zero all pen steps</source>
        <translation>Nollaa kynän askeleet</translation>
    </message>
    <message>
        <source>Pen position</source>
        <translation>Kynän paikka</translation>
    </message>
    <message>
        <source>Pen position step</source>
        <translation>Kynän paikan askel</translation>
    </message>
    <message>
        <source>Top of design</source>
        <translation>Kuvion kierto</translation>
    </message>
    <message>
        <source>Top of design step</source>
        <translation>Kierron askel</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Koko</translation>
    </message>
    <message>
        <source>Size step</source>
        <translation>Koon askel</translation>
    </message>
    <message>
        <source>Centre of design</source>
        <translation>Kuvion keskipiste</translation>
    </message>
    <message>
        <source>Default centre</source>
        <translation>Keskipiste oletukseen</translation>
    </message>
    <message>
        <source>Zero all centre steps</source>
        <translation>Nollaa keskipisteen askeleet</translation>
    </message>
    <message>
        <source>Horizontal centre</source>
        <translation>Keskipiste vaakasuunnassa</translation>
    </message>
    <message>
        <source>Horizontal centre step</source>
        <translation>Vaakasuunnan askel</translation>
    </message>
    <message>
        <source>Vertical centre</source>
        <translation>Keskipiste pystysuunnassa</translation>
    </message>
    <message>
        <source>Vertical centre step</source>
        <translation>Pystysuunnan askel</translation>
    </message>
    <message>
        <source>Choose canvas colour</source>
        <translation>Valitse taustaväri</translation>
    </message>
    <message>
        <source>Black on white</source>
        <translation>Musta valkoisella</translation>
    </message>
    <message>
        <source>White on black</source>
        <translation>Valkoinen mustalla</translation>
    </message>
    <message>
        <source>Keep a copy of the drawing</source>
        <translation>Ota piirroksesta kopio</translation>
    </message>
    <message>
        <source>Restore the copy of the drawing</source>
        <translation>Palauta piirroksen kopio</translation>
    </message>
    <message>
        <source>Print zoom</source>
        <translation>Tulostuksen suurennos</translation>
    </message>
    <message>
        <source>Ring shape</source>
        <translation>Kehän muoto</translation>
    </message>
    <message>
        <source>Corner (teeth)</source>
        <translation>Kulma (hampaat)</translation>
    </message>
    <message>
        <source>Drawing, across</source>
        <translation>Piirros, vaakasuunnassa</translation>
    </message>
    <message>
        <source>Drawing, up and down</source>
        <translation>Piirros, pystysuunnassa</translation>
    </message>
    <message numerus="yes">
        <source>Drawing: %n pattern</source>
        <comment>one pattern</comment>
        <translation>
            <numerusform>Piirros: %n kuvio</numerusform>
            <numerusform>Piirros: %n kuviota</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Drawing: %n patterns</source>
        <comment>any other count</comment>
        <translation>
            <numerusform>Piirros: %n kuvio</numerusform>
            <numerusform>Piirros: %n kuviota</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Korva Quick Guide</source>
        <translation>Korvan pikaopas</translation>
    </message>
    <message>
        <source>About Korva</source>
        <translation>Tietoja Korvasta</translation>
    </message>
    <message>
        <source>Draws the curves of the toothed-gear drawing toy, hypotrochoids and epitrochoids, exactly to the pixel: series of patterns, double spirals, colour cycling, design files, printing and batch scripts.

Copyright © The Korva developers. Released under the MIT licence: you may use, copy, change and share it freely, with no warranty.</source>
        <translation>Piirtää hammasratasleikkikalun käyrät, hypotrokoidit ja epitrokoidit, pikselintarkasti: kuviosarjat, kaksoisspiraalit, värikierron, kuviotiedostot, tulostuksen ja komentosarjat.

Ohje-valikon pikaopas on vain englanniksi.

Copyright © Korvan kehittäjät. Julkaistu MIT-lisenssillä: saat käyttää, kopioida, muuttaa ja jakaa ohjelmaa vapaasti, ilman takuuta.</translation>
    </message>
    <message>
        <source>Step (degrees):</source>
        <translation>Askel (astetta):</translation>
    </message>
    <message>
        <source>Teeth of the fixed ring:</source>
        <translation>Kehän hampaat:</translation>
    </message>
    <message>
        <source>Teeth of the moving gear:</source>
        <translation>Rattaan hampaat:</translation>
    </message>
    <message>
        <source>Number of patterns to draw:</source>
        <translation>Piirrettävien kuvioiden määrä:</translation>
    </message>
    <message>
        <source>Pen position within the moving gear:</source>
        <translation>Kynän paikka rattaassa:</translation>
    </message>
    <message>
        <source>Top of design (10ths of a ring tooth):</source>
        <translation>Kierto (kehän hampaan kymmenyksinä):</translation>
    </message>
    <message>
        <source>Size (1000ths):</source>
        <translation>Koko (tuhannesosina):</translation>
    </message>
    <message>
        <source>Horizontal centre (10ths of a pixel):</source>
        <translation>Keskipiste vaakasuunnassa (pikselin kymmenyksinä):</translation>
    </message>
    <message>
        <source>Vertical centre (10ths of a pixel):</source>
        <translation>Keskipiste pystysuunnassa (pikselin kymmenyksinä):</translation>
    </message>
    <message>
        <source>Corner of the ring (teeth):</source>
        <translation>Kehän kulmat (hampaina):</translation>
    </message>
    <message>
        <source>Drawing line width (pixels):</source>
        <translation>Viivan leveys (pikseleinä):</translation>
    </message>
    <message>
        <source>Red step per pattern:</source>
        <translation>Punaisen askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Green step per pattern:</source>
        <translation>Vihreän askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Blue step per pattern:</source>
        <translation>Sinisen askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Pen position step per pattern:</source>
        <translation>Kynän paikan askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Top step per pattern:</source>
        <translation>Kierron askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Size step per pattern:</source>
        <translation>Koon askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Horizontal centre step per pattern:</source>
        <translation>Vaakakeskipisteen askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Vertical centre step per pattern:</source>
        <translation>Pystykeskipisteen askel kuviota kohden:</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bittikartta</translation>
    </message>
    <message>
        <source>Pattern Command Text File</source>
        <translation>Korvan kuviotiedosto (teksti)</translation>
    </message>
    <message>
        <source>Export SVG</source>
        <translation>Vie SVG</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>Vie PDF</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>Vie PNG</translation>
    </message>
    <message>
        <source>Scalable Vector Graphics</source>
        <translation>Skaalautuva vektorigrafiikka</translation>
    </message>
    <message>
        <source>Portable Document Format</source>
        <translation>PDF-asiakirja</translation>
    </message>
    <message>
        <source>Portable Network Graphics</source>
        <translation>PNG-kuva</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Varoitus</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Virhe</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Tiedoksi</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Vahvista</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Kansiota %1 ei ole olemassa.</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Kyllä</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ei</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Peru</translation>
    </message>
    <message>
        <source>Type a value</source>
        <translation>Kirjoita arvo</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Koko:</translation>
    </message>
    <message>
        <source>Include canvas colour</source>
        <translation>Mukaan taustaväri</translation>
    </message>
    <message>
        <source>Simplify for plotters</source>
        <translation>Yksinkertaista piirturille</translation>
    </message>
    <message>
        <source>Tolerance:</source>
        <translation>Toleranssi:</translation>
    </message>
    <message>
        <source>One layer per colour</source>
        <translation>Oma taso kullekin värille</translation>
    </message>
    <message>
        <source>A single layer in drawing order</source>
        <translation>Yksi taso piirtojärjestyksessä</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Tiedosto</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Avaa...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Tallenna</translation>
    </message>
    <message>
        <source>Save &amp;TXT...</source>
        <translation>Tallenna &amp;nimellä...</translation>
    </message>
    <message>
        <source>Save &amp;BMP...</source>
        <translation>Tallenna &amp;BMP-kuvana...</translation>
    </message>
    <message>
        <source>Export S&amp;VG...</source>
        <translation>Vie S&amp;VG-muotoon...</translation>
    </message>
    <message>
        <source>Export P&amp;DF...</source>
        <translation>Vie P&amp;DF-muotoon...</translation>
    </message>
    <message>
        <source>Export P&amp;NG...</source>
        <translation>Vie PN&amp;G-muotoon...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Vii&amp;meaikaiset</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Lopeta</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Muokkaa</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Kumoa</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Tee uudelleen</translation>
    </message>
    <message>
        <source>&amp;Background</source>
        <translation>T&amp;austa</translation>
    </message>
    <message>
        <source>&amp;Select Colour...</source>
        <translation>&amp;Valitse väri...</translation>
    </message>
    <message>
        <source>&amp;White (Black Pen)</source>
        <translation>Va&amp;lkoinen (musta kynä)</translation>
    </message>
    <message>
        <source>Blac&amp;k (White Pen)</source>
        <translation>&amp;Musta (valkoinen kynä)</translation>
    </message>
    <message>
        <source>&amp;Printing</source>
        <translation>T&amp;ulostus</translation>
    </message>
    <message>
        <source>&amp;Print Design...</source>
        <translation>&amp;Tulosta kuvio...</translation>
    </message>
    <message>
        <source>&amp;Colour</source>
        <translation>&amp;Väri</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Suurennus</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mustavalkoinen</translation>
    </message>
    <message>
        <source>7 Colours</source>
        <translation>7 väriä</translation>
    </message>
    <message>
        <source>Full Colour</source>
        <translation>Täysväri</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Ohje</translation>
    </message>
    <message>
        <source>&amp;Quick Guide</source>
        <translation>&amp;Pikaopas</translation>
    </message>
    <message>
        <source>&amp;About Korva</source>
        <translation>&amp;Tietoja Korvasta</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Näytä</translation>
    </message>
    <message>
        <source>Show &amp;Gears</source>
        <translation>Näytä &amp;rattaat</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Esikatselu</translation>
    </message>
    <message>
        <source>&amp;Animate Drawing</source>
        <translation>&amp;Animoi piirto</translation>
    </message>
    <message>
        <source>&amp;Speed</source>
        <translation>&amp;Nopeus</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Lähennä</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>L&amp;oitonna</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Sovita</translation>
    </message>
    <message>
        <source>Actual Pi&amp;xels</source>
        <translation>&amp;Todellinen koko</translation>
    </message>
    <message>
        <source>Smooth &amp;Lines</source>
        <translation>&amp;Pehmeät viivat</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Canvas and Pen colors are identical.</source>
        <translation>Tausta ja kynä ovat samanvärisiä.</translation>
    </message>
    <message>
        <source>Exporting - %1 % - Esc stops</source>
        <translation>Viedään - %1 % - Esc keskeyttää</translation>
    </message>
    <message>
        <source>Save changes to the design before closing?</source>
        <translation>Tallennetaanko kuvion muutokset ennen sulkemista?</translation>
    </message>
    <message>
        <source>Error - Attempt to draw too many patterns - 1000 maximum allowed.</source>
        <translation>Virhe - liian monta kuviota: enintään 1000 on sallittu.</translation>
    </message>
    <message>
        <source>Pattern %1 of %2</source>
        <translation>Kuvio %1/%2</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>noin %1 s jäljellä</translation>
    </message>
    <message>
        <source>Esc stops</source>
        <translation>Esc keskeyttää</translation>
    </message>
    <message>
        <source>Preview shows the series as far as 2 million segments</source>
        <translation>Esikatselu näyttää sarjan 2 miljoonaan osaan asti</translation>
    </message>
    <message>
        <source>Image size must be a whole number of pixels</source>
        <translation>Kuvan koon on oltava kokonainen määrä pikseleitä</translation>
    </message>
    <message>
        <source>A PNG of %1 pixels needs about %2 of memory while it is made.
Go on?</source>
        <translation>%1 pikselin PNG vie tehtäessä noin %2 muistia.
Jatketaanko?</translation>
    </message>
    <message>
        <source>The file will take about %1 of disk space.
Write it?</source>
        <translation>Tiedosto vie noin %1 levytilaa.
Kirjoitetaanko?</translation>
    </message>
    <message>
        <source>full colour.</source>
        <translation>täysvärinä.</translation>
    </message>
    <message>
        <source>monochrome.</source>
        <translation>mustavalkoisena.</translation>
    </message>
    <message>
        <source>7 colours.</source>
        <translation>7 värillä.</translation>
    </message>
    <message>
        <source>No pattern to print.</source>
        <translation>Ei tulostettavaa kuviota.</translation>
    </message>
    <message>
        <source>Printing pattern of size %1% in %2
Are you sure ? </source>
        <translation>Tulostetaan kuvio koossa %1% %2
Oletko varma?</translation>
    </message>
    <message>
        <source>Printing abandoned.</source>
        <translation>Tulostus peruttiin.</translation>
    </message>
    <message>
        <source>The pattern in line %1 cannot be drawn: %2.</source>
        <translation>Rivin %1 kuviota ei voi piirtää: %2.</translation>
    </message>
    <message>
        <source>%1 (line %2)</source>
        <translation>%1 (rivi %2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; ei ole kelvollinen kokonaisluku</translation>
    </message>
    <message>
        <source>sides %1 is not 0, 2, 3, 4, 5 or 6</source>
        <translation>sivujen määrä %1 ei ole 0, 2, 3, 4, 5 tai 6</translation>
    </message>
    <message>
        <source>corner %1 is below 1</source>
        <translation>kulma %1 on alle 1</translation>
    </message>
    <message>
        <source>corner %1 is above the fixed gear&apos;s %2 teeth</source>
        <translation>kulma %1 on yli kehän %2 hampaan</translation>
    </message>
    <message>
        <source>corner %1 is below the moving gear&apos;s %2 teeth</source>
        <translation>kulma %1 on alle rattaan %2 hampaan</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Tiedostoa %1 ei voi luoda</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>Siirräntävirhe %1</translation>
    </message>
    <message>
        <source>Preview failed: %1</source>
        <translation>Esikatselu epäonnistui: %1</translation>
    </message>
    <message>
        <source>Next Draw continues the series: %1</source>
        <translation>Seuraava piirto jatkaa sarjaa: %1</translation>
    </message>
    <message>
        <source>pen position %1</source>
        <translation>kynän paikka %1</translation>
    </message>
    <message>
        <source>top %1</source>
        <translation>kierto %1</translation>
    </message>
    <message>
        <source>size %1</source>
        <translation>koko %1</translation>
    </message>
    <message>
        <source>centre X %1</source>
        <translation>keskipiste X %1</translation>
    </message>
    <message>
        <source>centre Y %1</source>
        <translation>keskipiste Y %1</translation>
    </message>
    <message>
        <source>Integer overflow</source>
        <translation>Kokonaislukujen ylivuoto</translation>
    </message>
    <message>
        <source>Range check error</source>
        <translation>Arvo alueen ulkopuolella</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Jako nollalla</translation>
    </message>
    <message>
        <source>Floating point overflow</source>
        <translation>Liukulukujen ylivuoto</translation>
    </message>
    <message>
        <source>Scrollbar property out of range</source>
        <translation>Vierityspalkin arvo alueen ulkopuolella</translation>
    </message>
    <message>
        <source>Error reading input file - not a KORVA file</source>
        <translation>Virhe tiedostoa luettaessa - ei KORVA-tiedosto</translation>
    </message>
    <message>
        <source>teeth below 1</source>
        <translation>alle 1 hammas</translation>
    </message>
    <message>
        <source>fixed gear below 2 teeth</source>
        <translation>kehällä alle 2 hammasta</translation>
    </message>
    <message>
        <source>step below 1</source>
        <translation>askel alle 1</translation>
    </message>
    <message>
        <source>integer overflow</source>
        <translation>kokonaislukujen ylivuoto</translation>
    </message>
    <message>
        <source>its points lie beyond the drawing area&apos;s pixel range</source>
        <translation>sen pisteet ovat piirtoalueen pikselialueen ulkopuolella</translation>
    </message>
    <message>
        <source>more than 100 million segments</source>
        <translation>yli 100 miljoonaa osaa</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Kirjoitusvirhe</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Tiedostoa ei löydy</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Pääsy tiedostoon estetty</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Tuntematon virhe</translation>
    </message>
    <message>
        <source>Printing in progress</source>
        <translation>Tulostus on jo käynnissä</translation>
    </message>
    <message>
        <source>No printer is installed: printing needs a default printer.</source>
        <translation>Tulostinta ei ole asennettu: tulostus tarvitsee oletustulostimen.</translation>
    </message>
    <message>
        <source>The printer could not start the print job.</source>
        <translation>Tulostin ei voinut aloittaa tulostustyötä.</translation>
    </message>
    <message>
        <source>The print job failed.</source>
        <translation>Tulostustyö epäonnistui.</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Circle</source>
        <translation>Ympyrä</translation>
    </message>
    <message>
        <source>Oval</source>
        <translation>Soikio</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Kolmio</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Neliö</translation>
    </message>
    <message>
        <source>Pentagon</source>
        <translation>Viisikulmio</translation>
    </message>
    <message>
        <source>Hexagon</source>
        <translation>Kuusikulmio</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Pyyhi</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Piirrä</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Peru</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Kynä</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sulje</translation>
    </message>
    <message>
        <source>Drawing Line Width (pixels)</source>
        <translation>Viivan leveys (pikseliä)</translation>
    </message>
    <message>
        <source>Step (degrees)</source>
        <translation>Askel (astetta)</translation>
    </message>
    <message>
        <source>Gears</source>
        <translation>Rattaat</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Tapa</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>Sisällä</translation>
    </message>
    <message>
        <source>External</source>
        <translation>Ulkona</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Kehä</translation>
    </message>
    <message>
        <source>Moving</source>
        <translation>Ratas</translation>
    </message>
    <message>
        <source>Number of points in pattern: </source>
        <translation>Kärkiä kuviossa: </translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Sarja</translation>
    </message>
    <message>
        <source>Number of patterns to draw: (max. 200) </source>
        <translation>Kuvioiden määrä: (enint. 200) </translation>
    </message>
    <message>
        <source>Reflect (for double spirals)</source>
        <translation>Peilaa (kaksoisspiraaleihin)</translation>
    </message>
    <message>
        <source>Reset to 1</source>
        <translation>Takaisin 1:een</translation>
    </message>
    <message>
        <source>Cycle Colours</source>
        <translation>Värikierto</translation>
    </message>
    <message>
        <source>Red         Green        Blue</source>
        <translation>Punainen   Vihreä    Sininen</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Askel</translation>
    </message>
    <message>
        <source>Zero All</source>
        <translation>Nollaa</translation>
    </message>
    <message>
        <source>Pen Position &amp;  Size</source>
        <translation>Kynän paikka &amp; koko</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Oletus</translation>
    </message>
    <message>
        <source>Pen position within moving gear:</source>
        <translation>Kynän paikka rattaassa:</translation>
    </message>
    <message>
        <source>Centre = 0; Outside Edge = 10 x Moving Gear</source>
        <translation>Keskus = 0; ulkoreuna = 10 x ratas</translation>
    </message>
    <message>
        <source>Top of Design - 10ths of gear tooth</source>
        <translation>Kierto - hampaan kymmenyksinä</translation>
    </message>
    <message>
        <source>Size  - 1000ths </source>
        <translation>Koko - tuhannesosina </translation>
    </message>
    <message>
        <source>Centre Of  Design</source>
        <translation>Kuvion keskipiste</translation>
    </message>
    <message>
        <source>Horizontal (X) - 10ths of pixels</source>
        <translation>Vaaka (X) - pikselin kymmenyksinä</translation>
    </message>
    <message>
        <source>Vertical (Y)  - 10ths of pixels</source>
        <translation>Pysty (Y) - pikselin kymmenyksinä</translation>
    </message>
    <message>
        <source>Open Only</source>
        <translation>Vain avaus</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Tallenna</translation>
    </message>
    <message>
        <source>Save BMP</source>
        <translation>BMP:ksi</translation>
    </message>
    <message>
        <source>Canvas</source>
        <translation>Tausta</translation>
    </message>
    <message>
        <source>B on W</source>
        <translation>M/V</translation>
    </message>
    <message>
        <source>W on B</source>
        <translation>V/M</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Päivitä</translation>
    </message>
    <message>
        <source>Dump</source>
        <translation>Kopio</translation>
    </message>
    <message>
        <source>Open &amp; Print</source>
        <translation>Avaa &amp; tulosta</translation>
    </message>
    <message>
        <source>Ring Shape</source>
        <translation>Kehän muoto</translation>
    </message>
    <message>
        <source>Corner (teeth)</source>
        <translation>Kulma (hampaat)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Seis</translation>
    </message>
</context>
<context>
    <name>ToolTip</name>
    <message>
        <source>Double-click to type a value (F2 on a bar).</source>
        <translation>Kaksoisnapsauta kirjoittaaksesi arvon (palkissa F2).</translation>
    </message>
    <message>
        <source>The drawing. Patterns are drawn here, exactly to the pixel.</source>
        <translation>Piirros. Kuviot piirretään tähän pikselintarkasti.</translation>
    </message>
    <message>
        <source>Wipe the drawing and forget every pattern (Edit &gt; Undo brings them back).</source>
        <translation>Pyyhi piirros ja unohda kaikki kuviot (Muokkaa &gt; Kumoa tuo ne takaisin).</translation>
    </message>
    <message>
        <source>Draw the pattern, or the series, set on the panel (Ctrl+D).</source>
        <translation>Piirrä paneelin kuvio tai sarja (Ctrl+D).</translation>
    </message>
    <message>
        <source>Remove the last pattern and redraw the others.</source>
        <translation>Poista viimeinen kuvio ja piirrä muut uudelleen.</translation>
    </message>
    <message>
        <source>Choose the pen colour for the next patterns.</source>
        <translation>Valitse kynän väri seuraaville kuvioille.</translation>
    </message>
    <message>
        <source>The canvas colour, with the pen colour inside.</source>
        <translation>Taustaväri ja sen sisällä kynän väri.</translation>
    </message>
    <message>
        <source>The pen colour of the next pattern.</source>
        <translation>Seuraavan kuvion kynän väri.</translation>
    </message>
    <message>
        <source>Close Korva; you are asked first if the drawing has unsaved changes.</source>
        <translation>Sulje Korva; tallentamattomista muutoksista kysytään ensin.</translation>
    </message>
    <message>
        <source>Width of the pen, in pixels, for the patterns drawn from now on.</source>
        <translation>Kynän leveys pikseleinä tästä lähtien piirrettäville kuvioille.</translation>
    </message>
    <message>
        <source>Step 1 degree: the smoothest curves.</source>
        <translation>Askel 1 aste: sileimmät käyrät.</translation>
    </message>
    <message>
        <source>Step 2 degrees.</source>
        <translation>Askel 2 astetta.</translation>
    </message>
    <message>
        <source>Step 5 degrees.</source>
        <translation>Askel 5 astetta.</translation>
    </message>
    <message>
        <source>Step 10 degrees: quicker, more angular curves.</source>
        <translation>Askel 10 astetta: nopeammat, kulmikkaammat käyrät.</translation>
    </message>
    <message>
        <source>How far the moving gear rolls between two points, in degrees. Large steps give star shapes.</source>
        <translation>Kuinka pitkälle ratas vierii kahden pisteen välillä, asteina. Suuret askeleet tuottavat tähtiä.</translation>
    </message>
    <message>
        <source>The step, in degrees.</source>
        <translation>Askel asteina.</translation>
    </message>
    <message>
        <source>The moving gear rolls inside the fixed ring.</source>
        <translation>Ratas vierii kehän sisäpuolella.</translation>
    </message>
    <message>
        <source>The moving gear rolls around the outside of the fixed ring.</source>
        <translation>Ratas vierii kehän ulkopuolella.</translation>
    </message>
    <message>
        <source>Teeth of the fixed ring.</source>
        <translation>Kehän hampaat.</translation>
    </message>
    <message>
        <source>Teeth of the moving gear. Inside the ring it must be the smaller.</source>
        <translation>Rattaan hampaat. Kehän sisällä sen on oltava pienempi.</translation>
    </message>
    <message>
        <source>Teeth of the moving gear.</source>
        <translation>Rattaan hampaat.</translation>
    </message>
    <message>
        <source>How many loops (points) the pattern has.</source>
        <translation>Montako silmukkaa (kärkeä) kuviossa on.</translation>
    </message>
    <message>
        <source>How many patterns one Draw makes, each stepped from the one before.</source>
        <translation>Montako kuviota yksi piirto tekee, kukin askeleen edellisestä.</translation>
    </message>
    <message>
        <source>Patterns per Draw.</source>
        <translation>Kuvioita piirtoa kohden.</translation>
    </message>
    <message>
        <source>Follow each pattern by its mirror image: a double spiral.</source>
        <translation>Jokaista kuviota seuraa sen peilikuva: kaksoisspiraali.</translation>
    </message>
    <message>
        <source>Back to one pattern per Draw, with every step at zero.</source>
        <translation>Takaisin yhteen kuvioon piirtoa kohden, kaikki askeleet nollaan.</translation>
    </message>
    <message>
        <source>Added to the pen&apos;s red after each pattern of a series.</source>
        <translation>Lisätään kynän punaiseen jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>Added to the pen&apos;s green after each pattern of a series.</source>
        <translation>Lisätään kynän vihreään jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>Added to the pen&apos;s blue after each pattern of a series.</source>
        <translation>Lisätään kynän siniseen jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>Set the three colour steps to zero.</source>
        <translation>Nollaa kolme väriaskelta.</translation>
    </message>
    <message>
        <source>Put the pen position, top and size back to the gears&apos; defaults.</source>
        <translation>Palauta kynän paikka, kierto ja koko rattaiden oletuksiin.</translation>
    </message>
    <message>
        <source>Set the pen position, top and size steps to zero.</source>
        <translation>Nollaa kynän paikan, kierron ja koon askeleet.</translation>
    </message>
    <message>
        <source>Where the pen sits: 0 is the gear&apos;s centre, 10 x moving teeth its rim.</source>
        <translation>Kynän paikka: 0 on rattaan keskus, 10 x rattaan hampaat sen reuna.</translation>
    </message>
    <message>
        <source>Added to the pen position after each pattern of a series.</source>
        <translation>Lisätään kynän paikkaan jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>Turns the pattern: in tenths of a tooth of the fixed ring.</source>
        <translation>Kiertää kuviota: kehän hampaan kymmenyksinä.</translation>
    </message>
    <message>
        <source>The turn of the pattern, in tenths of a ring tooth.</source>
        <translation>Kuvion kierto kehän hampaan kymmenyksinä.</translation>
    </message>
    <message>
        <source>Added to the turn after each pattern of a series: a spiral.</source>
        <translation>Lisätään kiertoon jokaisen sarjan kuvion jälkeen: spiraali.</translation>
    </message>
    <message>
        <source>Size of the pattern, in thousandths: 1000 fills the drawing.</source>
        <translation>Kuvion koko tuhannesosina: 1000 täyttää piirroksen.</translation>
    </message>
    <message>
        <source>Size, in thousandths.</source>
        <translation>Koko tuhannesosina.</translation>
    </message>
    <message>
        <source>Added to the size after each pattern of a series.</source>
        <translation>Lisätään kokoon jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>Put the pattern back in the middle of the drawing.</source>
        <translation>Palauta kuvio piirroksen keskelle.</translation>
    </message>
    <message>
        <source>Set the centre steps to zero.</source>
        <translation>Nollaa keskipisteen askeleet.</translation>
    </message>
    <message>
        <source>Moves the pattern right (or left), in tenths of a pixel.</source>
        <translation>Siirtää kuviota oikealle (tai vasemmalle) pikselin kymmenyksinä.</translation>
    </message>
    <message>
        <source>Horizontal offset of the centre, in tenths of a pixel.</source>
        <translation>Keskipisteen vaakasiirto pikselin kymmenyksinä.</translation>
    </message>
    <message>
        <source>Added to the horizontal centre after each pattern of a series.</source>
        <translation>Lisätään vaakakeskipisteeseen jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>Moves the pattern up (or down), in tenths of a pixel.</source>
        <translation>Siirtää kuviota ylös (tai alas) pikselin kymmenyksinä.</translation>
    </message>
    <message>
        <source>Vertical offset of the centre, in tenths of a pixel.</source>
        <translation>Keskipisteen pystysiirto pikselin kymmenyksinä.</translation>
    </message>
    <message>
        <source>Added to the vertical centre after each pattern of a series.</source>
        <translation>Lisätään pystykeskipisteeseen jokaisen sarjan kuvion jälkeen.</translation>
    </message>
    <message>
        <source>The fixed ring&apos;s shape: a circle, an oval or a rounded polygon.</source>
        <translation>Kehän muoto: ympyrä, soikio tai pyöristetty monikulmio.</translation>
    </message>
    <message>
        <source>Radius of the ring&apos;s corners, in teeth: up to the ring&apos;s teeth, and inside at least the moving gear&apos;s.</source>
        <translation>Kehän kulmien säde hampaina: enintään kehän hampaat ja sisäpuolella vähintään rattaan.</translation>
    </message>
    <message>
        <source>Radius of the ring&apos;s corners, in teeth.</source>
        <translation>Kehän kulmien säde hampaina.</translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message>
        <source>Draws the curves of the toothed-gear drawing toy. FILE.txt, a Korva design
file, is opened after start-up. See korva(1) and korva-batch(1).
</source>
        <translation>Piirtää hammasratasleikkikalun käyrät. FILE.txt, Korvan kuviotiedosto, avataan
käynnistyksen jälkeen. Katso korva(1) ja korva-batch(1).
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>tuntematon valitsin &apos;%1&apos;</translation>
    </message>
    <message>
        <source>one design file only, not also &apos;%1&apos;</source>
        <translation>vain yksi kuviotiedosto, ei lisäksi &apos;%1&apos;</translation>
    </message>
    <message>
        <source>an SVG</source>
        <translation>SVG:lle</translation>
    </message>
    <message>
        <source>a PDF</source>
        <translation>PDF:lle</translation>
    </message>
    <message>
        <source>a PNG</source>
        <translation>PNG:lle</translation>
    </message>
    <message>
        <source>--single-layer is for SVG only, not for %1</source>
        <translation>--single-layer on vain SVG:lle, ei %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a value</source>
        <translation>&apos;%1&apos; tarvitsee arvon</translation>
    </message>
    <message>
        <source>--simplify is for SVG and PDF only, not for a PNG</source>
        <translation>--simplify on vain SVG:lle ja PDF:lle, ei PNG:lle</translation>
    </message>
    <message>
        <source>--simplify takes a decimal number of millimetres, not &apos;%1&apos;</source>
        <translation>--simplify ottaa desimaaliluvun millimetreinä, ei &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--size of a PNG is a whole number of pixels, not &apos;%1&apos;</source>
        <translation>PNG:n --size on kokonainen määrä pikseleitä, ei &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--size of %1 is a decimal number of millimetres, not &apos;%2&apos;</source>
        <translation>--size %1 on desimaaliluku millimetreinä, ei &apos;%2&apos;</translation>
    </message>
    <message>
        <source>unknown export option &apos;%1&apos;</source>
        <translation>tuntematon vientivalitsin &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the export&apos;s name must end in .svg, .pdf or .png</source>
        <translation>viedyn tiedoston nimen on päätyttävä .svg, .pdf tai .png</translation>
    </message>
    <message>
        <source>Runs Korva&apos;s window off-screen from a script of user actions, one per line:
click, arrow, track, drag, key, spin, type and answer. See korva-batch(1).
</source>
        <translation>Ajaa Korvan ikkunaa näkymättömänä käyttäjän toimintojen komentosarjasta, yksi riviä kohden:
click, arrow, track, drag, key, spin, type ja answer. Katso korva-batch(1).
</translation>
    </message>
    <message>
        <source>a file name must follow &apos;%1&apos;</source>
        <translation>valitsimen &apos;%1&apos; jälkeen tarvitaan tiedostonimi</translation>
    </message>
    <message>
        <source>one script only, not also &apos;%1&apos;</source>
        <translation>vain yksi komentosarja, ei lisäksi &apos;%1&apos;</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>tiedostoa %1 ei voi lukea</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Korva  Version %1</source>
        <translation>Korva  versio %1</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Nimetön</translation>
    </message>
</context>
</TS>
