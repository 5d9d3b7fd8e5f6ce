<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AddCommand</name>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="19"/>
        <source>hide files and write the image back</source>
        <translation>Dateien verstecken, Bild zurückschreiben</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="20"/>
        <source>hide standard input under NAME</source>
        <translation>Standardeingabe als NAME verstecken</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="35"/>
        <source>--protect and --no-protect exclude each other.</source>
        <translation>--protect und --no-protect schließen einander aus.</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="57"/>
        <source>add needs at least one file.</source>
        <translation>add braucht mindestens eine Datei.</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="60"/>
        <source>Standard input (&quot;-&quot;) can be added only once.</source>
        <translation>Die Standardeingabe (&quot;-&quot;) kann nur einmal hinzugefügt werden.</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="62"/>
        <source>add - needs --name NAME, and --name goes with &quot;-&quot; only.</source>
        <translation>add - braucht --name NAME, und --name ist nur mit &quot;-&quot; möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="75"/>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <location filename="../../src/cli/AddCommand.cpp" line="93"/>
        <source>%1: stored as &quot;%2&quot; (%3).</source>
        <translation>%1: gespeichert als &quot;%2&quot; (%3).</translation>
    </message>
</context>
<context>
    <name>AnalyseCommand</name>
    <message>
        <location filename="../../src/cli/AnalyseCommand.cpp" line="17"/>
        <source>how visible hidden data are in the image</source>
        <translation>Erkennbarkeit versteckter Daten im Bild</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <location filename="../../src/io/AtomicFile.cpp" line="187"/>
        <location filename="../../src/io/AtomicFile.cpp" line="211"/>
        <source>The file is not open for writing.</source>
        <translation>Die Datei ist nicht zum Schreiben geöffnet.</translation>
    </message>
</context>
<context>
    <name>BusyCaption</name>
    <message>
        <location filename="../../src/ui/BusyCaption.cpp" line="11"/>
        <source>Wait...</source>
        <translation>Bitte warten...</translation>
    </message>
</context>
<context>
    <name>ByteCount</name>
    <message>
        <location filename="../../src/base/ByteCount.cpp" line="25"/>
        <source>%1 byte</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <location filename="../../src/base/ByteCount.cpp" line="26"/>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
</context>
<context>
    <name>ByteLabel</name>
    <message>
        <location filename="../../src/base/ByteCount.cpp" line="15"/>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
</context>
<context>
    <name>Carrier</name>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="20"/>
        <source>Save the image as a plain, uncompressed 24-bit BMP file and open it again.</source>
        <translation>Speichern Sie das Bild als einfache, unkomprimierte 24-Bit-BMP-Datei und öffnen Sie es erneut.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="25"/>
        <source>veldra-cli carrier PICTURE OUTPUT.bmp makes a 24-bit copy of it.</source>
        <translation>veldra-cli carrier PICTURE OUTPUT.bmp erstellt davon eine 24-Bit-Kopie.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="42"/>
        <source>bit fields</source>
        <translation>Bitfelder</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="48"/>
        <source>alpha bit fields</source>
        <translation>Alpha-Bitfelder</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="56"/>
        <source>method %1</source>
        <translation>Verfahren %1</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="90"/>
        <source>Hidden data would damage it.</source>
        <translation>Versteckte Daten würden sie beschädigen.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="101"/>
        <source>It does not begin with &quot;BM&quot;.</source>
        <translation>Sie beginnt nicht mit &quot;BM&quot;.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="105"/>
        <source>It is only %1 bytes long, too short for a bitmap&apos;s headers.</source>
        <translation>Sie ist nur %1 Bytes lang, zu kurz für die Header einer Bitmap.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="117"/>
        <source>This bitmap has a header of an unknown kind (%1 bytes), so where its pixels lie cannot be told.</source>
        <translation>Diese Bitmap hat einen Header unbekannter Art (%1 Bytes), daher lässt sich nicht sagen, wo ihre Pixel liegen.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="126"/>
        <source>This bitmap&apos;s pixels would start inside its headers (at byte %1; the headers take %2 bytes).</source>
        <translation>Die Pixel dieser Bitmap würden innerhalb ihrer Header beginnen (bei Byte %1; die Header belegen %2 Bytes).</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="133"/>
        <source>It is only %1 bytes long; a bitmap&apos;s headers alone take %2.</source>
        <translation>Sie ist nur %1 Bytes lang; allein die Header einer Bitmap belegen %2.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="138"/>
        <source>This bitmap is compressed (%1).</source>
        <translation>Diese Bitmap ist komprimiert (%1).</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="142"/>
        <source>This one has %1 bits per pixel.</source>
        <translation>Diese hat %1 Bit pro Pixel.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="157"/>
        <source>Its pixels would start at byte %1, after the end of the file (%2 bytes).</source>
        <translation>Ihre Pixel würden bei Byte %1 beginnen, hinter dem Ende der Datei (%2 Bytes).</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="177"/>
        <source>This bitmap&apos;s pixels do not start right after its header (at byte %1 instead of 54).</source>
        <translation>Die Pixel dieser Bitmap beginnen nicht direkt nach ihrem Header (bei Byte %1 statt 54).</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="186"/>
        <source>This bitmap&apos;s size (%1 x %2 pixels) is not valid.</source>
        <translation>Die Größe dieser Bitmap (%1 x %2 Pixel) ist ungültig.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="194"/>
        <source>This bitmap is too large (%1 x %2 pixels): images of 2 GiB of pixels or more cannot be used.</source>
        <translation>Diese Bitmap ist zu groß (%1 x %2 Pixel): Bilder mit 2 GiB Pixeldaten oder mehr können nicht verwendet werden.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/BitmapLayout.cpp" line="208"/>
        <source>This bitmap&apos;s colour profile (bytes %1 to %2) lies among its pixels (bytes %3 to %4).</source>
        <translation>Das Farbprofil dieser Bitmap (Bytes %1 bis %2) liegt mitten in ihren Pixeln (Bytes %3 bis %4).</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/Carrier.cpp" line="52"/>
        <location filename="../../src/bitmap/Carrier.cpp" line="115"/>
        <source>The bitmap could not be read.</source>
        <translation>Die Bitmap konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/Carrier.cpp" line="112"/>
        <location filename="../../src/bitmap/Carrier.cpp" line="161"/>
        <location filename="../../src/bitmap/CarrierWriter.cpp" line="79"/>
        <source>No bitmap is open.</source>
        <translation>Es ist keine Bitmap geöffnet.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/Carrier.cpp" line="174"/>
        <source>The image was changed while it was open.</source>
        <translation>Das Bild wurde geändert, während es geöffnet war.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/Carrier.cpp" line="175"/>
        <source>Another program wrote into the file, so the hidden files in it can no longer be read. Close the image and open it again.</source>
        <translation>Ein anderes Programm hat in die Datei geschrieben, daher können die darin versteckten Dateien nicht mehr gelesen werden. Schließen Sie das Bild und öffnen Sie es erneut.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/ImageCopy.cpp" line="30"/>
        <source>The bitmap could not be written.</source>
        <translation>Die Bitmap konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/ImageCopy.cpp" line="31"/>
        <source>The image on disk was left unchanged.</source>
        <translation>Das Bild auf dem Datenträger blieb unverändert.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/ImageCopy.cpp" line="36"/>
        <source>Another program wrote into the image while it was being written.</source>
        <translation>Ein anderes Programm hat in das Bild geschrieben, während es geschrieben wurde.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/ImageCopy.cpp" line="41"/>
        <source>Another program replaced or changed the image while it was being written.</source>
        <translation>Ein anderes Programm hat das Bild ersetzt oder geändert, während es geschrieben wurde.</translation>
    </message>
</context>
<context>
    <name>CarrierCommand</name>
    <message>
        <location filename="../../src/cli/CarrierCommand.cpp" line="20"/>
        <source>make a 24-bit BMP from any picture</source>
        <translation>24-Bit-BMP aus beliebigem Bild erstellen</translation>
    </message>
    <message>
        <location filename="../../src/cli/CarrierCommand.cpp" line="43"/>
        <source>carrier takes a picture and the BMP file to make.</source>
        <translation>carrier erwartet ein Bild und die zu erstellende BMP-Datei.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CarrierCommand.cpp" line="69"/>
        <source>Pictures cannot be read: the helper veldra-carrier is missing.</source>
        <translation>Bilder können nicht gelesen werden: Das Hilfsprogramm veldra-carrier fehlt.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CarrierCommand.cpp" line="70"/>
        <source>Install Veldra again.</source>
        <translation>Installieren Sie Veldra erneut.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CarrierCommand.cpp" line="84"/>
        <source>The helper veldra-carrier could not be started.</source>
        <translation>Das Hilfsprogramm veldra-carrier konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>Charset</name>
    <message>
        <location filename="../../src/container/Charset.cpp" line="105"/>
        <source>The character &quot;%1&quot; (U+%2) cannot be stored: only characters of the Western European character set (Windows-1252) can.</source>
        <translation>Das Zeichen &quot;%1&quot; (U+%2) kann nicht gespeichert werden: Möglich sind nur Zeichen des westeuropäischen Zeichensatzes (Windows-1252).</translation>
    </message>
</context>
<context>
    <name>CliCommand</name>
    <message>
        <location filename="../../src/cli/CliCommand.cpp" line="20"/>
        <source>Standard input (&quot;-&quot;) can serve only one purpose at a time.</source>
        <translation>Die Standardeingabe (&quot;-&quot;) kann jeweils nur einem Zweck dienen.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliCommand.cpp" line="34"/>
        <source>%1 takes only the bitmap.</source>
        <translation>%1 erwartet nur die Bitmap.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliCommand.cpp" line="71"/>
        <source>The output could not be written.</source>
        <translation>Die Ausgabe konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>CliOption</name>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="33"/>
        <source>info, list, analyse: print one JSON document.</source>
        <translation>info, list, analyse: ein einziges JSON-Dokument ausgeben.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="37"/>
        <source>carrier: replace an existing OUTPUT. add, remove, protect, unprotect: write an image file that is cut short all the same (its missing pixels become black).</source>
        <translation>carrier: eine bereits vorhandene Datei OUTPUT ersetzen. add, remove, protect, unprotect: eine abgeschnittene Bilddatei trotzdem schreiben (ihre fehlenden Pixel werden schwarz).</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="42"/>
        <source>extract: keep files that already exist instead of replacing them.</source>
        <translation>extract: bereits vorhandene Dateien behalten, statt sie zu ersetzen.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="46"/>
        <source>add: the name to hide standard input (&quot;-&quot;) under.</source>
        <translation>add: der Name, unter dem die Standardeingabe (&quot;-&quot;) versteckt wird.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="51"/>
        <source>add: scramble the hidden data with a new password.</source>
        <translation>add: die versteckten Daten mit einem neuen Passwort verwürfeln.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="55"/>
        <source>add: store the hidden data without password.</source>
        <translation>add: die versteckten Daten ohne Passwort speichern.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="59"/>
        <source>extract: write into DIR (default: here); - writes the one named file to standard output.</source>
        <translation>extract: in DIR schreiben (Standard: aktueller Ordner); - schreibt die eine genannte Datei in die Standardausgabe.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="65"/>
        <source>Read the password from the first line of FILE (- for standard input).</source>
        <translation>Das Passwort aus der ersten Zeile von FILE lesen (- für die Standardeingabe).</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="70"/>
        <source>protect, add --protect: read the new password from the first line of FILE.</source>
        <translation>protect, add --protect: das neue Passwort aus der ersten Zeile von FILE lesen.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="75"/>
        <source>Never ask for a password on the terminal; fail instead.</source>
        <translation>Nie im Terminal nach einem Passwort fragen; stattdessen mit Fehler abbrechen.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="79"/>
        <source>add, remove, protect, unprotect, seal, unseal: wait up to SECONDS for another program writing the image (default 5; 0: do not wait).</source>
        <translation>add, remove, protect, unprotect, seal, unseal: bis zu SECONDS Sekunden warten, wenn ein anderes Programm das Bild schreibt (Standard 5; 0: nicht warten).</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="85"/>
        <source>info, list, add, remove, extract: work on the sealed container that the passphrase opens (see seal).</source>
        <translation>info, list, add, remove, extract: mit dem versiegelten Container arbeiten, den die Passphrase öffnet (siehe seal).</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="115"/>
        <source>--wait goes with add, remove, protect, unprotect, seal and unseal only.</source>
        <translation>--wait ist nur mit add, remove, protect, unprotect, seal und unseal möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="121"/>
        <source>--sealed goes with info, list, add, remove and extract only.</source>
        <translation>--sealed ist nur mit info, list, add, remove und extract möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="96"/>
        <source>--json goes with info, list and analyse only.</source>
        <translation>--json ist nur mit info, list und analyse möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="99"/>
        <source>--force goes with carrier and the commands that write the image only.</source>
        <translation>--force ist nur mit carrier und den Befehlen möglich, die das Bild schreiben.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="102"/>
        <source>--no-clobber goes with extract only.</source>
        <translation>--no-clobber ist nur mit extract möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="105"/>
        <source>%1 needs no password.</source>
        <translation>%1 braucht kein Passwort.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="108"/>
        <source>--protect and --no-protect go with add only.</source>
        <translation>--protect und --no-protect sind nur mit add möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="111"/>
        <source>-o goes with extract only.</source>
        <translation>-o ist nur mit extract möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="113"/>
        <source>--name goes with add only.</source>
        <translation>--name ist nur mit add möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliOption.cpp" line="118"/>
        <source>--new-password-file goes with protect and add --protect only.</source>
        <translation>--new-password-file ist nur mit protect und add --protect möglich.</translation>
    </message>
</context>
<context>
    <name>CliTool</name>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="63"/>
        <source>Run &quot;%1 --help&quot; for the commands and options.</source>
        <translation>Rufen Sie &quot;%1 --help&quot; auf, um die Befehle und Optionen zu sehen.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="72"/>
        <source>Hides files in 24-bit BMP images and takes them out again.</source>
        <translation>Versteckt Dateien in 24-Bit-BMP-Bildern und holt sie wieder heraus.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="73"/>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="96"/>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="97"/>
        <source>Displays version information.</source>
        <translation>Zeigt Versionsinformationen an.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="87"/>
        <source>The password scrambling keeps casual eyes out, not an attacker: to keep files
secret, seal them (a sealed container cannot be found or read without its
passphrase). Writing a plain container, or another sealed one, into a sealed
image destroys it.</source>
        <translation>Das Verwürfeln mit Passwort hält neugierige Blicke ab, keinen Angreifer: Um Dateien
geheim zu halten, versiegeln Sie sie (ein versiegelter Container kann ohne seine
Passphrase weder gefunden noch gelesen werden). Wer einen einfachen Container oder
einen anderen versiegelten in ein versiegeltes Bild schreibt, zerstört ihn.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="101"/>
        <source>info, list, add, remove, extract, protect, unprotect, carrier, analyse, seal or unseal</source>
        <translation>info, list, add, remove, extract, protect, unprotect, carrier, analyse, seal oder unseal</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="103"/>
        <source>the 24-bit BMP image (for carrier: the picture)</source>
        <translation>das 24-Bit-BMP-Bild (bei carrier: das Ausgangsbild)</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="105"/>
        <source>files to add, names to remove or extract, the BMP to make</source>
        <translation>hinzuzufügende Dateien, zu entfernende oder zu extrahierende Namen, die zu erstellende BMP-Datei</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="116"/>
        <source>To name a file that starts with &quot;-&quot;, put &quot;--&quot; before it: veldra-cli add BITMAP -- -file.txt</source>
        <translation>Um eine Datei anzugeben, deren Name mit &quot;-&quot; beginnt, setzen Sie &quot;--&quot; davor: veldra-cli add BITMAP -- -file.txt</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="139"/>
        <source>No command given.</source>
        <translation>Kein Befehl angegeben.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="143"/>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>Unbekannter Befehl &quot;%1&quot;.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="145"/>
        <source>No bitmap given.</source>
        <translation>Keine Bitmap angegeben.</translation>
    </message>
    <message>
        <location filename="../../src/cli/CliTool.cpp" line="154"/>
        <source>--wait takes a number of seconds, 0 or more, not &quot;%1&quot;.</source>
        <translation>--wait erwartet eine Anzahl von Sekunden, 0 oder mehr, nicht &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>ContainerCommand</name>
    <message>
        <location filename="../../src/cli/ContainerCommand.cpp" line="32"/>
        <location filename="../../src/cli/ContainerCommand.cpp" line="34"/>
        <source>Warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
</context>
<context>
    <name>ContainerSession</name>
    <message>
        <location filename="../../src/container/ContainerSession.cpp" line="35"/>
        <source>This image is too small to hide files in: it must have at least %1 bytes of pixels.</source>
        <translation>Dieses Bild ist zu klein, um Dateien darin zu verstecken: Es muss mindestens %1 Bytes an Pixeldaten haben.</translation>
    </message>
    <message>
        <location filename="../../src/container/ContainerSession.cpp" line="73"/>
        <source>The file has %1, but only %2 are free.</source>
        <translation>Die Datei ist %1 groß, frei sind aber nur %2.</translation>
    </message>
    <message>
        <location filename="../../src/container/ContainerSession.cpp" line="83"/>
        <source>With its name and size the file needs %1, but only %2 more can be stored in this image.</source>
        <translation>Mit Name und Größe braucht die Datei %1, in diesem Bild lassen sich aber nur noch %2 speichern.</translation>
    </message>
    <message>
        <location filename="../../src/container/ContainerSession.cpp" line="97"/>
        <source>Not even an empty file can be stored in this image any more.</source>
        <translation>In diesem Bild lässt sich nicht einmal mehr eine leere Datei speichern.</translation>
    </message>
</context>
<context>
    <name>DatFile</name>
    <message>
        <location filename="../../src/container/DatFile.cpp" line="18"/>
        <source>&quot;%1&quot; is not hidden in this image.</source>
        <translation>&quot;%1&quot; ist in diesem Bild nicht versteckt.</translation>
    </message>
</context>
<context>
    <name>DataReader</name>
    <message>
        <location filename="../../src/container/DataReader.cpp" line="35"/>
        <source>There is not enough memory to read &quot;%1&quot;.</source>
        <translation>Es ist nicht genug Arbeitsspeicher vorhanden, um &quot;%1&quot; zu lesen.</translation>
    </message>
    <message>
        <location filename="../../src/container/DataReader.cpp" line="54"/>
        <source>The image &quot;%1&quot; was read from is closed.</source>
        <translation>Das Bild, aus dem &quot;%1&quot; gelesen wurde, ist geschlossen.</translation>
    </message>
</context>
<context>
    <name>EntryExtraction</name>
    <message>
        <location filename="../../src/container/EntryExtraction.cpp" line="53"/>
        <source>&quot;%1&quot; was not written.</source>
        <translation>&quot;%1&quot; wurde nicht geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryExtraction.cpp" line="54"/>
        <source>It would replace the image the hidden files are read from.</source>
        <translation>Damit würde das Bild ersetzt, aus dem die versteckten Dateien gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryExtraction.cpp" line="73"/>
        <source>&quot;%1&quot; already exists and was kept.</source>
        <translation>&quot;%1&quot; ist bereits vorhanden und wurde beibehalten.</translation>
    </message>
</context>
<context>
    <name>EntryName</name>
    <message>
        <location filename="../../src/container/EntryName.cpp" line="33"/>
        <source>The name is empty.</source>
        <translation>Der Name ist leer.</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryName.cpp" line="35"/>
        <source>&quot;%1&quot; names a folder, not a file.</source>
        <translation>&quot;%1&quot; bezeichnet einen Ordner, keine Datei.</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryName.cpp" line="38"/>
        <source>The name holds &apos;/&apos;, which separates folders.</source>
        <translation>Der Name enthält &apos;/&apos;, das Trennzeichen für Ordner.</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryName.cpp" line="40"/>
        <source>The name holds a control character (U+%1).</source>
        <translation>Der Name enthält ein Steuerzeichen (U+%1).</translation>
    </message>
</context>
<context>
    <name>EntryRecord</name>
    <message>
        <location filename="../../src/container/EntryRecord.cpp" line="72"/>
        <source>names keep at most %1 characters</source>
        <translation>Namen werden auf %1 Zeichen gekürzt</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryRecord.cpp" line="76"/>
        <source>blanks at the start or end of a name are not kept</source>
        <translation>Leerzeichen am Anfang oder Ende eines Namens entfallen</translation>
    </message>
</context>
<context>
    <name>EntryTable</name>
    <message>
        <location filename="../../src/container/EntryTable.cpp" line="22"/>
        <source>&quot;%1&quot; could not be written back as a file under its stored name &quot;%2&quot;: %3</source>
        <translation>&quot;%1&quot; ließe sich unter dem gespeicherten Namen &quot;%2&quot; nicht wieder als Datei schreiben: %3</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryTable.cpp" line="27"/>
        <source>A file named &quot;%1&quot; is already hidden in this image.</source>
        <translation>In diesem Bild ist bereits eine Datei namens &quot;%1&quot; versteckt.</translation>
    </message>
    <message>
        <location filename="../../src/container/EntryTable.cpp" line="32"/>
        <source>Only the first %1 characters of a name are stored, and &quot;%2&quot; would then read back as &quot;%3&quot;, the name of a file already hidden. Rename the file and add it again.</source>
        <translation>Von einem Namen werden nur die ersten %1 Zeichen gespeichert, und &quot;%2&quot; würde dann als &quot;%3&quot; gelesen, der Name einer bereits versteckten Datei. Benennen Sie die Datei um und fügen Sie sie erneut hinzu.</translation>
    </message>
</context>
<context>
    <name>ExtractCommand</name>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="25"/>
        <source>write hidden files (all when none is named)</source>
        <translation>versteckte Dateien schreiben (ohne Namen: alle)</translation>
    </message>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="27"/>
        <source>write one hidden file to standard output</source>
        <translation>eine versteckte Datei in die Standardausgabe schreiben</translation>
    </message>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="42"/>
        <source>--no-clobber does not go with -o -.</source>
        <translation>--no-clobber ist mit -o - nicht möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="51"/>
        <source>extract -o - writes exactly one named file.</source>
        <translation>extract -o - schreibt genau eine genannte Datei.</translation>
    </message>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="79"/>
        <source>&quot;%1&quot; is not hidden in this image.</source>
        <translation>&quot;%1&quot; ist in diesem Bild nicht versteckt.</translation>
    </message>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="108"/>
        <source>&quot;%1&quot; cannot be a file name as it stands and was written as &quot;%2&quot;.</source>
        <translation>&quot;%1&quot; ist so nicht als Dateiname möglich und wurde als &quot;%2&quot; geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/cli/ExtractCommand.cpp" line="114"/>
        <source>Hidden files that could not be read, and were not extracted: %1.</source>
        <translation>Versteckte Dateien, die nicht gelesen werden konnten und nicht extrahiert wurden: %1.</translation>
    </message>
</context>
<context>
    <name>FailureText</name>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="12"/>
        <source>Bitmap file not found!</source>
        <translation>Bitmap-Datei nicht gefunden!</translation>
    </message>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="14"/>
        <source>File isn&apos;t a bitmap!</source>
        <translation>Die Datei ist keine Bitmap!</translation>
    </message>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="16"/>
        <source>File must be a 24-bit bitmap!</source>
        <translation>Die Datei muss eine 24-Bit-Bitmap sein!</translation>
    </message>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="18"/>
        <source>Not enough free space!</source>
        <translation>Nicht genügend freier Platz!</translation>
    </message>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="20"/>
        <source>Invalid password!</source>
        <translation>Ungültiges Passwort!</translation>
    </message>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="22"/>
        <source>Error!</source>
        <translation>Fehler!</translation>
    </message>
    <message>
        <location filename="../../src/base/FailureText.cpp" line="24"/>
        <source>no sealed container opens with this passphrase</source>
        <translation>mit dieser Passphrase öffnet sich kein versiegelter Container</translation>
    </message>
</context>
<context>
    <name>FileIdentity</name>
    <message>
        <location filename="../../src/io/FileIdentity.cpp" line="106"/>
        <source>The image was changed on disk since it was opened.</source>
        <translation>Das Bild wurde auf dem Datenträger geändert, seit es geöffnet wurde.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileIdentity.cpp" line="110"/>
        <source>It is no longer there.</source>
        <translation>Es ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileIdentity.cpp" line="112"/>
        <source>Another file was put in its place.</source>
        <translation>An seine Stelle wurde eine andere Datei gesetzt.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileIdentity.cpp" line="119"/>
        <source>Another program wrote to it.</source>
        <translation>Ein anderes Programm hat hineingeschrieben.</translation>
    </message>
</context>
<context>
    <name>FileIntake</name>
    <message>
        <location filename="../../src/container/FileIntake.cpp" line="21"/>
        <source>It holds more than the %1 that can still be stored.</source>
        <translation>Sie ist größer als die %1, die noch gespeichert werden können.</translation>
    </message>
    <message>
        <location filename="../../src/container/FileIntake.cpp" line="59"/>
        <source>There is not enough memory to read the file.</source>
        <translation>Es ist nicht genug Arbeitsspeicher vorhanden, um die Datei zu lesen.</translation>
    </message>
</context>
<context>
    <name>FileProbe</name>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="30"/>
        <source>It is a folder, not a file.</source>
        <translation>Es handelt sich um einen Ordner, nicht um eine Datei.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="32"/>
        <source>It is a named pipe (FIFO), not a regular file.</source>
        <translation>Es handelt sich um eine benannte Pipe (FIFO), nicht um eine reguläre Datei.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="34"/>
        <source>It is a character device, not a regular file.</source>
        <translation>Es handelt sich um ein zeichenorientiertes Gerät, nicht um eine reguläre Datei.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="36"/>
        <source>It is a block device, not a regular file.</source>
        <translation>Es handelt sich um ein blockorientiertes Gerät, nicht um eine reguläre Datei.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="38"/>
        <source>It is a socket, not a regular file.</source>
        <translation>Es handelt sich um einen Socket, nicht um eine reguläre Datei.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="39"/>
        <source>It is not a regular file.</source>
        <translation>Es handelt sich nicht um eine reguläre Datei.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="47"/>
        <source>No file was named.</source>
        <translation>Es wurde keine Datei angegeben.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="55"/>
        <source>Its name is not valid UTF-8 text, so it cannot be read. Rename the file and try again.</source>
        <translation>Der Dateiname ist kein gültiger UTF-8-Text, daher kann die Datei nicht gelesen werden. Benennen Sie sie um und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="112"/>
        <source>Files cannot be written into the folder %1.</source>
        <translation>In den Ordner %1 können keine Dateien geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="122"/>
        <source>Its name is not valid UTF-8 text.</source>
        <translation>Ihr Name ist kein gültiger UTF-8-Text.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileProbe.cpp" line="135"/>
        <source>It is not a folder.</source>
        <translation>Es handelt sich nicht um einen Ordner.</translation>
    </message>
</context>
<context>
    <name>FileSource</name>
    <message>
        <location filename="../../src/io/FileSource.cpp" line="78"/>
        <source>%1 changed while it was being hidden. Hide it again.</source>
        <translation>%1 hat sich beim Verstecken geändert. Verstecken Sie die Datei erneut.</translation>
    </message>
    <message>
        <location filename="../../src/io/FileSource.cpp" line="84"/>
        <source>%1 ended early.</source>
        <translation>%1 endete vorzeitig.</translation>
    </message>
</context>
<context>
    <name>FolderPicker</name>
    <message>
        <location filename="../../src/ui/FolderPicker.cpp" line="23"/>
        <source>Pick a directory:</source>
        <translation>Ordner auswählen:</translation>
    </message>
</context>
<context>
    <name>HiddenStream</name>
    <message>
        <location filename="../../src/bitmap/HiddenSource.cpp" line="11"/>
        <source>The hidden data would reach past the end of the image (%1 bytes at offset %2, but the image holds %3).</source>
        <translation>Die versteckten Daten würden über das Ende des Bildes hinausreichen (%1 Bytes ab Offset %2, das Bild fasst aber nur %3).</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/HiddenSource.cpp" line="25"/>
        <source>The buffer is shorter than the run.</source>
        <translation>Der Puffer ist kürzer als der zu lesende Abschnitt.</translation>
    </message>
</context>
<context>
    <name>ImageAnalysis</name>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="35"/>
        <source>no files</source>
        <translation>keine Dateien</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="36"/>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="36"/>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="43"/>
        <source>The file is cut short: it holds none of the %1 pixel bytes its header claims, so there is nothing to analyse.</source>
        <translation>Die Datei ist abgeschnitten: Sie enthält keines der %1 Pixelbytes, die ihr Header angibt, daher gibt es nichts zu analysieren.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="47"/>
        <source>The file is cut short: it holds %1 of the %2 pixel bytes its header claims, and only those were analysed.</source>
        <translation>Die Datei ist abgeschnitten: Sie enthält %1 der %2 Pixelbytes, die ihr Header angibt, und nur diese wurden analysiert.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="55"/>
        <source>Hidden data are certain: the image holds a container of this program&apos;s stored format (%1 in %2 hidden bytes, over the first %3 % of the pixel bytes), whose file names and sizes anyone with this program can read.</source>
        <translation>Versteckte Daten sind sicher: Das Bild enthält einen Container im Speicherformat dieses Programms (%1 in %2 versteckten Bytes, über die ersten %3 % der Pixelbytes), dessen Dateinamen und -größen jeder mit diesem Programm lesen kann.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="63"/>
        <source>Only %1 of its records could be read.</source>
        <translation>Nur %1 seiner Einträge konnten gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="65"/>
        <source>A password protects the files&apos; data.</source>
        <translation>Ein Passwort schützt die Daten der Dateien.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="66"/>
        <source>No password protects the files&apos; data: anyone can read them.</source>
        <translation>Kein Passwort schützt die Daten der Dateien: Jeder kann sie lesen.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="74"/>
        <source>The pixels cannot be judged: the picture has no two pixels side by side, and the statistics compare neighbours.</source>
        <translation>Die Pixel lassen sich nicht beurteilen: Das Bild hat keine zwei Pixel nebeneinander, und die Statistik vergleicht Nachbarn.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="77"/>
        <source>The pixels cannot be judged: the picture has %1 pairs of neighbouring pixel bytes, and the statistics need at least %2.</source>
        <translation>Die Pixel lassen sich nicht beurteilen: Das Bild hat %1 Paare benachbarter Pixelbytes, und die Statistik braucht mindestens %2.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="88"/>
        <source>The statistics see the run too: over the first %1 % of the pixel bytes, give or take %2 % (evidence %3; 1.0 counts as present).</source>
        <translation>Auch die Statistik sieht den Abschnitt: über die ersten %1 % der Pixelbytes, plus/minus %2 % (Indiz %3; ab 1.0 gilt er als vorhanden).</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="91"/>
        <source>Hidden data are likely: the lowest bits look like hidden data over the first %1 % of the pixel bytes, give or take %2 % (evidence %3; 1.0 counts as present).</source>
        <translation>Versteckte Daten sind wahrscheinlich: Die niedrigsten Bits sehen über die ersten %1 % der Pixelbytes wie versteckte Daten aus, plus/minus %2 % (Indiz %3; ab 1.0 gelten sie als vorhanden).</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="97"/>
        <source>The statistics see no run from the first pixel byte (evidence %1, below 1.0).</source>
        <translation>Die Statistik sieht keinen Abschnitt ab dem ersten Pixelbyte (Indiz %1, unter 1.0).</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="100"/>
        <source>No run of hidden data from the first pixel byte shows (evidence %1, below 1.0).</source>
        <translation>Ab dem ersten Pixelbyte zeigt sich kein Abschnitt versteckter Daten (Indiz %1, unter 1.0).</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="108"/>
        <source>In a picture this small, a run shorter than %1 % of the pixel bytes cannot be seen.</source>
        <translation>In einem so kleinen Bild ist ein Abschnitt kürzer als %1 % der Pixelbytes nicht zu erkennen.</translation>
    </message>
    <message>
        <location filename="../../src/analysis/AnalysisVerdict.cpp" line="125"/>
        <source>Hidden data are certain: %1 of the %2 row fill bytes are not zero. Pictures have none: something was written into them.</source>
        <translation>Versteckte Daten sind sicher: %1 der %2 Füllbytes der Zeilen sind nicht null. Bilder haben keine solchen: Etwas wurde hineingeschrieben.</translation>
    </message>
</context>
<context>
    <name>ImageLock</name>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="97"/>
        <location filename="../../src/io/ImageLock.cpp" line="129"/>
        <source>The image cannot be locked for writing.</source>
        <translation>Das Bild kann nicht zum Schreiben gesperrt werden.</translation>
    </message>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="104"/>
        <source>Another program is writing this image.</source>
        <translation>Ein anderes Programm schreibt gerade dieses Bild.</translation>
    </message>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="105"/>
        <source>It did not finish in the time waited (%1 s). Try again when it has finished.</source>
        <translation>Es wurde in der Wartezeit (%1 s) nicht fertig. Versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="108"/>
        <source>Try again when it has finished.</source>
        <translation>Versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="121"/>
        <source>The image cannot be written: its folder %1 must be writable.</source>
        <translation>Das Bild kann nicht geschrieben werden: Sein Ordner %1 muss beschreibbar sein.</translation>
    </message>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="124"/>
        <source>The image is replaced by a complete new copy written beside it, and the lock file that keeps two programs from writing it at once lives there too.</source>
        <translation>Das Bild wird durch eine vollständige neue Kopie ersetzt, die daneben geschrieben wird, und dort liegt auch die Sperrdatei, die verhindert, dass zwei Programme es gleichzeitig schreiben.</translation>
    </message>
    <message>
        <location filename="../../src/io/ImageLock.cpp" line="130"/>
        <source>The lock file %1 cannot be created: %2</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>InfoCommand</name>
    <message>
        <location filename="../../src/cli/InfoCommand.cpp" line="16"/>
        <source>capacity, used and free space, files, protection</source>
        <translation>Kapazität, belegter und freier Platz, Dateien, Schutz</translation>
    </message>
</context>
<context>
    <name>LayoutBuilder</name>
    <message>
        <location filename="../../src/container/LayoutBuilder.cpp" line="20"/>
        <source>The hidden files need %1 with their names and sizes, but the image can hold only %2. Remove some files.</source>
        <translation>Die versteckten Dateien brauchen mit Namen und Größen %1, das Bild fasst aber nur %2. Entfernen Sie einige Dateien.</translation>
    </message>
</context>
<context>
    <name>ListCommand</name>
    <message>
        <location filename="../../src/cli/ListCommand.cpp" line="15"/>
        <source>size and name of every hidden file</source>
        <translation>Größe und Name jeder versteckten Datei</translation>
    </message>
</context>
<context>
    <name>LoadReport</name>
    <message>
        <location filename="../../src/container/LoadReport.cpp" line="14"/>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <location filename="../../src/container/LoadReport.cpp" line="15"/>
        <source>Some hidden files had the same name as an earlier one and were renamed: %1.</source>
        <translation>Einige versteckte Dateien hatten denselben Namen wie eine frühere und wurden umbenannt: %1.</translation>
    </message>
</context>
<context>
    <name>PasswordInput</name>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="109"/>
        <source>The password is longer than %1 bytes: is it the right file?</source>
        <translation>Das Passwort ist länger als %1 Bytes: Ist das die richtige Datei?</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="146"/>
        <source>The password cannot be used: %1</source>
        <translation>Das Passwort kann nicht verwendet werden: %1</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="159"/>
        <source>The password file %1 cannot be read: %2</source>
        <translation>Die Passwortdatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="169"/>
        <source>The password file %1 cannot be used.</source>
        <translation>Die Passwortdatei %1 kann nicht verwendet werden.</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="174"/>
        <source>The password file %1 cannot be used: its first line is not UTF-8 text.</source>
        <translation>Die Passwortdatei %1 ist nicht verwendbar: Ihre erste Zeile ist kein UTF-8-Text.</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="184"/>
        <source>A password is needed: give it with --password-file.</source>
        <translation>Ein Passwort wird benötigt: Geben Sie es mit --password-file an.</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="189"/>
        <source>A password is needed, but there is no terminal to ask it on: give it with --password-file.</source>
        <translation>Ein Passwort wird benötigt, aber es gibt kein Terminal, um danach zu fragen: Geben Sie es mit --password-file an.</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="203"/>
        <source>The password could not be read from the terminal.</source>
        <translation>Das Passwort konnte nicht vom Terminal gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="221"/>
        <source>Password: </source>
        <translation>Passwort: </translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="238"/>
        <source>New password: </source>
        <translation>Neues Passwort: </translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="241"/>
        <source>Repeat the new password: </source>
        <translation>Neues Passwort wiederholen: </translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="245"/>
        <source>The two passwords differ.</source>
        <translation>Die beiden Passwörter stimmen nicht überein.</translation>
    </message>
    <message>
        <location filename="../../src/cli/PasswordInput.cpp" line="251"/>
        <source>The new password is empty.</source>
        <translation>Das neue Passwort ist leer.</translation>
    </message>
</context>
<context>
    <name>PictureCarrier</name>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="61"/>
        <source>At %1 x %2 pixels it would take %3 MiB of memory to read; a picture may take %4 MiB at most.</source>
        <translation>Bei %1 x %2 Pixeln bräuchte das Lesen %3 MiB Arbeitsspeicher; ein Bild darf höchstens %4 MiB belegen.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="69"/>
        <source>At %1 x %2 pixels its BMP would hold %3 MiB of pixels; a carrier&apos;s pixels must take less than 2 GiB.</source>
        <translation>Bei %1 x %2 Pixeln enthielte die BMP-Datei %3 MiB Pixeldaten; die Pixel eines Trägerbildes müssen weniger als 2 GiB belegen.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="77"/>
        <source>%1 is too large to make a carrier of.</source>
        <translation>%1 ist zu groß, um daraus ein Trägerbild zu machen.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="93"/>
        <source>%1 is too small to carry hidden files.</source>
        <translation>%1 ist zu klein, um versteckte Dateien aufzunehmen.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="94"/>
        <source>At %1 x %2 pixels its BMP would have room for %3 of the %4 bytes that even an empty file takes (a %5-byte header and a %6-byte record). A picture needs at least %7 pixels, such as %8 x %8.</source>
        <translation>Bei %1 x %2 Pixeln hätte die BMP-Datei Platz für %3 der %4 Bytes, die schon eine leere Datei braucht (ein %5-Byte-Header und ein %6-Byte-Eintrag). Ein Bild braucht mindestens %7 Pixel, etwa %8 x %8.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="145"/>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="156"/>
        <source>%1 is not a picture that can be read.</source>
        <translation>%1 ist kein lesbares Bild.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="220"/>
        <source>%1 already exists.</source>
        <translation>%1 ist bereits vorhanden.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="221"/>
        <source>It was left as it is; give --force to replace it.</source>
        <translation>Die Datei wurde belassen, wie sie ist; geben Sie --force an, um sie zu ersetzen.</translation>
    </message>
    <message>
        <location filename="../../src/picture/PictureCarrier.cpp" line="234"/>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>PlainBitmap</name>
    <message>
        <location filename="../../src/bitmap/PlainBitmap.cpp" line="28"/>
        <source>A bitmap of %1 x %2 pixels cannot carry hidden files: its pixels must take fewer than 2 GiB.</source>
        <translation>Eine Bitmap mit %1 x %2 Pixeln kann keine versteckten Dateien aufnehmen: Ihre Pixel müssen weniger als 2 GiB belegen.</translation>
    </message>
    <message>
        <location filename="../../src/bitmap/PlainBitmap.cpp" line="53"/>
        <source>The bitmap would be too large for its header.</source>
        <translation>Die Bitmap wäre zu groß für ihren Header.</translation>
    </message>
</context>
<context>
    <name>PlainContainer</name>
    <message>
        <location filename="../../src/workflow/PlainContainer.cpp" line="38"/>
        <source>Every file also needs %1 for its name and size, and the container %2 of its own.</source>
        <translation>Jede Datei braucht zusätzlich %1 für Name und Größe, der Container selbst %2.</translation>
    </message>
</context>
<context>
    <name>Prompter</name>
    <message>
        <location filename="../../src/ui/Prompter.cpp" line="160"/>
        <source>Confirm password...</source>
        <translation>Passwort bestätigen...</translation>
    </message>
    <message>
        <location filename="../../src/ui/Prompter.cpp" line="162"/>
        <source>Enter passphrase...</source>
        <translation>Passphrase eingeben...</translation>
    </message>
    <message>
        <location filename="../../src/ui/Prompter.cpp" line="164"/>
        <source>New passphrase...</source>
        <translation>Neue Passphrase...</translation>
    </message>
    <message>
        <location filename="../../src/ui/Prompter.cpp" line="166"/>
        <source>Confirm passphrase...</source>
        <translation>Passphrase bestätigen...</translation>
    </message>
</context>
<context>
    <name>ProtectCommand</name>
    <message>
        <location filename="../../src/cli/ProtectCommand.cpp" line="16"/>
        <source>set or change the password</source>
        <translation>Passwort setzen oder ändern</translation>
    </message>
    <message>
        <location filename="../../src/cli/ProtectCommand.cpp" line="17"/>
        <source>remove the password</source>
        <translation>Passwort entfernen</translation>
    </message>
</context>
<context>
    <name>RemoveCommand</name>
    <message>
        <location filename="../../src/cli/RemoveCommand.cpp" line="12"/>
        <source>remove hidden files and write the image back</source>
        <translation>versteckte Dateien entfernen, Bild zurückschreiben</translation>
    </message>
    <message>
        <location filename="../../src/cli/RemoveCommand.cpp" line="18"/>
        <source>remove needs at least one name.</source>
        <translation>remove braucht mindestens einen Namen.</translation>
    </message>
</context>
<context>
    <name>SealCommand</name>
    <message>
        <location filename="../../src/cli/SealCommand.cpp" line="19"/>
        <source>make a new sealed container, holding the plain one&apos;s files and FILEs</source>
        <translation>einen neuen versiegelten Container anlegen, mit den Dateien des einfachen und den FILEs</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealCommand.cpp" line="30"/>
        <source>seal hides files; standard input can be added afterwards with add --sealed.</source>
        <translation>seal versteckt Dateien; die Standardeingabe kann danach mit add --sealed hinzugefügt werden.</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealCommand.cpp" line="56"/>
        <location filename="../../src/cli/SealCommand.cpp" line="62"/>
        <source>The image was not changed.</source>
        <translation>Das Bild wurde nicht verändert.</translation>
    </message>
</context>
<context>
    <name>SealedAddCommand</name>
    <message>
        <location filename="../../src/cli/SealedWriteCommands.cpp" line="16"/>
        <source>hide files in the sealed container, written anew</source>
        <translation>Dateien im versiegelten Container verstecken, der neu geschrieben wird</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedWriteCommands.cpp" line="49"/>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedWriteCommands.cpp" line="51"/>
        <source>The image was not changed.</source>
        <translation>Das Bild wurde nicht verändert.</translation>
    </message>
</context>
<context>
    <name>SealedCommand</name>
    <message>
        <location filename="../../src/cli/SealedCommand.cpp" line="22"/>
        <source>%1 does not go with --sealed.</source>
        <translation>%1 ist mit --sealed nicht möglich.</translation>
    </message>
</context>
<context>
    <name>SealedContainer</name>
    <message>
        <location filename="../../src/sealed/CellStream.cpp" line="28"/>
        <location filename="../../src/sealed/SealedStream.cpp" line="28"/>
        <source>The sealed container is damaged.</source>
        <translation>Der versiegelte Container ist beschädigt.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/CellStream.cpp" line="29"/>
        <source>Its data reach past what the image can hold.</source>
        <translation>Seine Daten reichen über das hinaus, was das Bild fassen kann.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="41"/>
        <source>This image is too small for a sealed container: it needs at least %1 pixels.</source>
        <translation>Dieses Bild ist zu klein für einen versiegelten Container: Er braucht mindestens %1 Pixel.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="78"/>
        <source>The system offers no secure random numbers.</source>
        <translation>Das System bietet keine sicheren Zufallszahlen.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="105"/>
        <location filename="../../src/sealed/SealedWrite.cpp" line="73"/>
        <source>The key cannot be made.</source>
        <translation>Der Schlüssel kann nicht erzeugt werden.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="106"/>
        <location filename="../../src/sealed/SealedWrite.cpp" line="74"/>
        <source>The system cannot give the memory it takes.</source>
        <translation>Das System kann den dafür nötigen Speicher nicht bereitstellen.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="189"/>
        <source>A file named &quot;%1&quot; is already hidden in this image.</source>
        <translation>In diesem Bild ist bereits eine Datei namens &quot;%1&quot; versteckt.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="195"/>
        <source>The file has %1, but only %2 can still be sealed into this image.</source>
        <translation>Die Datei hat %1, aber in dieses Bild können nur noch %2 versiegelt werden.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedSession.cpp" line="247"/>
        <location filename="../../src/sealed/SealedSession.cpp" line="258"/>
        <location filename="../../src/sealed/SealedSession.cpp" line="304"/>
        <source>&quot;%1&quot; is not hidden in this image.</source>
        <translation>&quot;%1&quot; ist in diesem Bild nicht versteckt.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="42"/>
        <source>A name cannot be empty.</source>
        <translation>Ein Name darf nicht leer sein.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="44"/>
        <source>Names keep at most %1 bytes of UTF-8.</source>
        <translation>Namen behalten höchstens %1 Bytes UTF-8.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="46"/>
        <source>The name is not valid text.</source>
        <translation>Der Name ist kein gültiger Text.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="70"/>
        <location filename="../../src/sealed/SealedStream.cpp" line="78"/>
        <source>Its table is cut short.</source>
        <translation>Seine Tabelle ist abgeschnitten.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="85"/>
        <source>A name in its table is empty or not valid UTF-8.</source>
        <translation>Ein Name in seiner Tabelle ist leer oder kein gültiges UTF-8.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="87"/>
        <source>The sizes in its table do not add up.</source>
        <translation>Die Größen in seiner Tabelle ergeben nicht die Summe.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="89"/>
        <source>Two names in its table are the same.</source>
        <translation>Zwei Namen in seiner Tabelle sind gleich.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="95"/>
        <source>Its table does not match its length.</source>
        <translation>Seine Tabelle passt nicht zu ihrer Länge.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="252"/>
        <source>It was written by a later version of Veldra.</source>
        <translation>Er wurde von einer neueren Version von Veldra geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="254"/>
        <source>It says it holds more than the image can.</source>
        <translation>Laut seinen Angaben enthält er mehr, als das Bild fassen kann.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="267"/>
        <source>Its table cannot be read.</source>
        <translation>Seine Tabelle kann nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="277"/>
        <source>Its data end early.</source>
        <translation>Seine Daten enden vorzeitig.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedStream.cpp" line="284"/>
        <source>Some of its data cannot be read.</source>
        <translation>Ein Teil seiner Daten kann nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedWrite.cpp" line="63"/>
        <source>The files need more than the %1 this image can seal.</source>
        <translation>Die Dateien brauchen mehr als die %1, die dieses Bild versiegeln kann.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedWrite.cpp" line="67"/>
        <source>The image was not written.</source>
        <translation>Das Bild wurde nicht geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedWrite.cpp" line="68"/>
        <source>The image file is cut short; a sealed container needs all of it.</source>
        <translation>Die Bilddatei ist abgeschnitten; ein versiegelter Container braucht sie ganz.</translation>
    </message>
    <message>
        <location filename="../../src/sealed/SealedWrite.cpp" line="90"/>
        <source>The files&apos; data end early.</source>
        <translation>Die Daten der Dateien enden vorzeitig.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/SealedContainer.cpp" line="42"/>
        <source>Every file also needs %1 and the bytes of its name (UTF-8) for its name and size.</source>
        <translation>Jede Datei braucht zusätzlich %1 und die Bytes ihres Namens (UTF-8) für Name und Größe.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/SealedContainer.cpp" line="52"/>
        <source>The image file is cut short: a sealed container needs all of it, so this one cannot be written back.</source>
        <translation>Die Bilddatei ist abgeschnitten: Ein versiegelter Container braucht sie ganz, daher kann dieser nicht zurückgeschrieben werden.</translation>
    </message>
</context>
<context>
    <name>SealedExtractCommand</name>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="87"/>
        <source>write sealed files (all when none is named)</source>
        <translation>versiegelte Dateien schreiben (alle, wenn keine genannt ist)</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="99"/>
        <source>extract -o - writes exactly one named file.</source>
        <translation>extract -o - schreibt genau eine genannte Datei.</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="101"/>
        <source>--no-clobber does not go with -o -.</source>
        <translation>--no-clobber ist mit -o - nicht möglich.</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="120"/>
        <source>&quot;%1&quot; is not hidden in this image.</source>
        <translation>&quot;%1&quot; ist in diesem Bild nicht versteckt.</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="136"/>
        <source>&quot;%1&quot; cannot be a file name as it stands and was written as &quot;%2&quot;.</source>
        <translation>&quot;%1&quot; ist so nicht als Dateiname möglich und wurde als &quot;%2&quot; geschrieben.</translation>
    </message>
</context>
<context>
    <name>SealedInfoCommand</name>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="19"/>
        <source>the same for the sealed container the passphrase opens</source>
        <translation>dasselbe für den versiegelten Container, den die Passphrase öffnet</translation>
    </message>
</context>
<context>
    <name>SealedListCommand</name>
    <message>
        <location filename="../../src/cli/SealedReadCommands.cpp" line="62"/>
        <source>the files of the sealed container the passphrase opens</source>
        <translation>die Dateien des versiegelten Containers, den die Passphrase öffnet</translation>
    </message>
</context>
<context>
    <name>SealedRemoveCommand</name>
    <message>
        <location filename="../../src/cli/SealedWriteCommands.cpp" line="61"/>
        <source>remove files from the sealed container, written anew</source>
        <translation>Dateien aus dem versiegelten Container entfernen, der neu geschrieben wird</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedWriteCommands.cpp" line="71"/>
        <source>remove needs at least one name.</source>
        <translation>remove braucht mindestens einen Namen.</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealedWriteCommands.cpp" line="80"/>
        <source>The image was not changed.</source>
        <translation>Das Bild wurde nicht verändert.</translation>
    </message>
</context>
<context>
    <name>TableLoader</name>
    <message>
        <location filename="../../src/container/TableLoader.cpp" line="35"/>
        <source>The image says it hides 1 file, but it could not be read: %1</source>
        <translation>Das Bild gibt eine versteckte Datei an, sie konnte aber nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location filename="../../src/container/TableLoader.cpp" line="36"/>
        <source>The image says it hides %1 files, but only %2 could be read: %3</source>
        <translation>Das Bild gibt die Zahl der versteckten Dateien mit %1 an, gelesen werden konnten aber nur %2: %3</translation>
    </message>
    <message>
        <location filename="../../src/container/TableLoader.cpp" line="43"/>
        <source>the image file is cut short, and file %1 lies partly beyond its end.</source>
        <translation>die Bilddatei ist abgeschnitten, und Datei %1 liegt teilweise hinter ihrem Ende.</translation>
    </message>
    <message>
        <location filename="../../src/container/TableLoader.cpp" line="51"/>
        <source>the hidden data end early.</source>
        <translation>die versteckten Daten enden vorzeitig.</translation>
    </message>
    <message>
        <location filename="../../src/container/TableLoader.cpp" line="67"/>
        <source>the size stored for file %1 (%2) is damaged.</source>
        <translation>die für Datei %1 gespeicherte Größe (%2) ist beschädigt.</translation>
    </message>
</context>
<context>
    <name>UnsealCommand</name>
    <message>
        <location filename="../../src/cli/SealCommand.cpp" line="84"/>
        <source>turn the sealed container back into a plain one</source>
        <translation>den versiegelten Container wieder in einen einfachen umwandeln</translation>
    </message>
    <message>
        <location filename="../../src/cli/SealCommand.cpp" line="128"/>
        <source>The image was not changed.</source>
        <translation>Das Bild wurde nicht verändert.</translation>
    </message>
</context>
<context>
    <name>WindowController</name>
    <message>
        <location filename="../../src/workflow/WindowController.cpp" line="105"/>
        <source>The copy is written beside the picture, which stays as it is.</source>
        <translation>Die Kopie wird neben das Ausgangsbild geschrieben, das unverändert bleibt.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowController.cpp" line="108"/>
        <source>The picture was stored with losses: keep the hidden files in the BMP, since saving it in the picture&apos;s format again would destroy them.</source>
        <translation>Das Ausgangsbild wurde verlustbehaftet gespeichert: Bewahren Sie die versteckten Dateien in der BMP-Datei auf, denn erneutes Speichern im Format des Ausgangsbildes würde sie zerstören.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowController.cpp" line="111"/>
        <source>This picture cannot carry hidden files as it is. Make a 24-bit BMP copy of it, &quot;%1&quot;, and open that?</source>
        <translation>Dieses Bild kann so keine versteckten Dateien aufnehmen. Eine 24-Bit-BMP-Kopie davon, &quot;%1&quot;, erstellen und diese öffnen?</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowController.cpp" line="159"/>
        <source>The two passwords differ.</source>
        <translation>Die beiden Passwörter stimmen nicht überein.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowController.cpp" line="160"/>
        <source>No password was set. Tick the box to try again.</source>
        <translation>Es wurde kein Passwort gesetzt. Setzen Sie das Häkchen, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="35"/>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="71"/>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="96"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="45"/>
        <source>%1 of the %2 files could not be added.</source>
        <translation>%1 von %2 Dateien konnten nicht eingefügt werden.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="73"/>
        <source>&quot;%1&quot; cannot be a file name as it stands and was written as &quot;%2&quot;.</source>
        <translation>&quot;%1&quot; ist so nicht als Dateiname möglich und wurde als &quot;%2&quot; geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="83"/>
        <source>These files could not be written to %1:</source>
        <translation>Diese Dateien konnten nicht in %1 geschrieben werden:</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="87"/>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="95"/>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerFiles.cpp" line="122"/>
        <source>Hidden files that could not be read: %1. %2</source>
        <translation>Versteckte Dateien, die nicht gelesen werden konnten: %1. %2</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="18"/>
        <source>1 hidden file could not be read and would be lost if the image is written back. Write it anyway?</source>
        <translation>Eine versteckte Datei konnte nicht gelesen werden und ginge beim Zurückschreiben des Bildes verloren. Trotzdem schreiben?</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="20"/>
        <source>%1 hidden files could not be read and would be lost if the image is written back. Write it anyway?</source>
        <translation>%1 versteckte Dateien konnten nicht gelesen werden und gingen beim Zurückschreiben des Bildes verloren. Trotzdem schreiben?</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="29"/>
        <source>The image file is cut short. Write it anyway, with the missing part black?</source>
        <translation>Die Bilddatei ist abgeschnitten. Trotzdem schreiben und den fehlenden Teil schwarz füllen?</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="51"/>
        <source>The image was changed on disk since it was opened. Overwrite it with the hidden files shown here?</source>
        <translation>Das Bild wurde auf dem Datenträger geändert, seit es geöffnet wurde. Mit den hier angezeigten versteckten Dateien überschreiben?</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="54"/>
        <source>Overwriting it loses what the other program wrote.</source>
        <translation>Beim Überschreiben geht verloren, was das andere Programm geschrieben hat.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="82"/>
        <source>Another program is still writing this image. Keep waiting for it?</source>
        <translation>Ein anderes Programm schreibt noch dieses Bild. Weiter darauf warten?</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerWrite.cpp" line="83"/>
        <source>The image is written back once the other program has finished with it.</source>
        <translation>Das Bild wird zurückgeschrieben, sobald das andere Programm damit fertig ist.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="40"/>
        <source>Make a new sealed container in this image? It takes the place of what the image holds: a plain container&apos;s files are carried over into it, but a sealed container under another passphrase is lost for good.</source>
        <translation>Einen neuen versiegelten Container in diesem Bild anlegen? Er tritt an die Stelle dessen, was das Bild enthält: Die Dateien eines einfachen Containers werden in ihn übernommen, ein versiegelter Container unter einer anderen Passphrase aber geht endgültig verloren.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="43"/>
        <source>Nothing is written before Write &amp; Close.</source>
        <translation>Vor „Sichern &amp; zu“ wird nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="95"/>
        <source>The plain container&apos;s files cannot all be sealed into this image.</source>
        <translation>Die Dateien des einfachen Containers lassen sich nicht alle in dieses Bild versiegeln.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="108"/>
        <source>A sealed container needs a passphrase.</source>
        <translation>Ein versiegelter Container braucht eine Passphrase.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="109"/>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="118"/>
        <source>No sealed container was made. Choose Seal... to try again.</source>
        <translation>Es wurde kein versiegelter Container angelegt. Wählen Sie „Versiegeln...“, um es erneut zu versuchen.</translation>
    </message>
    <message>
        <location filename="../../src/workflow/WindowControllerSealed.cpp" line="117"/>
        <source>The two passphrases differ.</source>
        <translation>Die beiden Passphrasen stimmen nicht überein.</translation>
    </message>
</context>
<context>
    <name>WriteBack</name>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="27"/>
        <source>The image had another name (a hard link) besides %1; it still shows the image as it was, without these changes.</source>
        <translation>Das Bild hatte neben %1 einen weiteren Namen (einen Hardlink); dieser zeigt weiterhin das Bild im alten Zustand, ohne diese Änderungen.</translation>
    </message>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="31"/>
        <source>The image had %1 other names (hard links) besides %2; they still show the image as it was, without these changes.</source>
        <translation>Das Bild hatte %1 weitere Namen (Hardlinks) neben %2; diese zeigen weiterhin das Bild im alten Zustand, ohne diese Änderungen.</translation>
    </message>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="38"/>
        <source>The image file is cut short: the last %1 of its pixels are missing. They read as black, and hidden data in them are lost.</source>
        <translation>Die Bilddatei ist abgeschnitten: Die letzten %1 ihrer Pixeldaten fehlen. Sie werden als schwarz gelesen, und darin versteckte Daten sind verloren.</translation>
    </message>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="44"/>
        <source>The image was not changed.</source>
        <translation>Das Bild wurde nicht verändert.</translation>
    </message>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="45"/>
        <source>Its hidden data are damaged, and writing them back would lose the hidden files that could not be read (%1).</source>
        <translation>Seine versteckten Daten sind beschädigt, und beim Zurückschreiben gingen die versteckten Dateien verloren, die nicht gelesen werden konnten (%1).</translation>
    </message>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="51"/>
        <source>The image was not written.</source>
        <translation>Das Bild wurde nicht geschrieben.</translation>
    </message>
    <message>
        <location filename="../../src/container/WriteBack.cpp" line="53"/>
        <source>Writing it would store the missing part as black pixels, for good.</source>
        <translation>Beim Schreiben würde der fehlende Teil dauerhaft als schwarze Pixel gespeichert.</translation>
    </message>
</context>
<context>
    <name>WritingCommand</name>
    <message>
        <location filename="../../src/cli/WritingCommand.cpp" line="39"/>
        <source>Give --force to write it all the same.</source>
        <translation>Geben Sie --force an, um es trotzdem zu schreiben.</translation>
    </message>
    <message>
        <location filename="../../src/cli/WritingCommand.cpp" line="59"/>
        <source>The image was not changed.</source>
        <translation>Das Bild wurde nicht verändert.</translation>
    </message>
</context>
<context>
    <name>frmPassword</name>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="22"/>
        <source>Enter password...</source>
        <translation>Passwort eingeben...</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="35"/>
        <location filename="../../src/ui/frmPassword.cpp" line="43"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="41"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="42"/>
        <source>The container&apos;s password; it is not shown.</source>
        <translation>Das Passwort des Containers; es wird nicht angezeigt.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="44"/>
        <source>Takes the typed password.</source>
        <translation>Übernimmt das eingegebene Passwort.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="57"/>
        <source>Passphrase</source>
        <translation>Passphrase</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="59"/>
        <source>The sealed container&apos;s passphrase, any text; it is not shown.</source>
        <translation>Die Passphrase des versiegelten Containers, beliebiger Text; sie wird nicht angezeigt.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="60"/>
        <source>Takes the typed passphrase.</source>
        <translation>Übernimmt die eingegebene Passphrase.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmPassword.cpp" line="68"/>
        <source>A passphrase has at most %1 bytes.</source>
        <translation>Eine Passphrase hat höchstens %1 Bytes.</translation>
    </message>
</context>
<context>
    <name>frmVeldra</name>
    <message>
        <location filename="../../src/ui/frmVeldra.cpp" line="26"/>
        <source>Steganographic encoder/decoder 2.0</source>
        <translation>Steganografischer Encoder/Decoder 2.0</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldra.cpp" line="129"/>
        <source>Only files on this computer can be used.</source>
        <translation>Nur Dateien auf diesem Computer können verwendet werden.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="50"/>
        <source>Bitmap file:</source>
        <translation>Bitmap-Datei:</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="52"/>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="53"/>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="54"/>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="56"/>
        <source>&amp;Write &amp;&amp; Close</source>
        <translation>&amp;Sichern &amp;&amp; zu</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="68"/>
        <source>Veldra %1 · © 2026 the Veldra developers</source>
        <translation>Veldra %1 · © 2026 die Veldra-Entwickler</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="77"/>
        <source>Bitmap (*.bmp)</source>
        <translation>Bitmap-Dateien (*.bmp)</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="77"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="78"/>
        <source>Everything (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="93"/>
        <source>Files inside / Security</source>
        <translation>Dateien im Bild / Sicherheit</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="95"/>
        <source>Capacity:</source>
        <translation>Kapazität:</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="97"/>
        <source>Used space:</source>
        <translation>Belegt:</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="99"/>
        <source>Free space:</source>
        <translation>Frei:</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="104"/>
        <source>&amp;Add</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="105"/>
        <source>&amp;Remove</source>
        <translation>Entfe&amp;rnen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="106"/>
        <source>&amp;Extract</source>
        <translation>&amp;Auslesen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="108"/>
        <source>E&amp;xtract all</source>
        <translation>A&amp;lle</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="109"/>
        <source>Use &amp;password encryption (slower)</source>
        <translation>Mit &amp;Passwort verschlüsseln (langsamer)</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="165"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="167"/>
        <source>Bitmap file</source>
        <translation>Bitmap-Datei</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="166"/>
        <source>Names the box below, which holds the image&apos;s path.</source>
        <translation>Beschriftet das Feld darunter, das den Pfad des Bildes enthält.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="170"/>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="170"/>
        <source>Chooses the image in a file dialog.</source>
        <translation>Wählt das Bild in einem Dateidialog aus.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="171"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="168"/>
        <source>The path of the 24-bit BMP image to open. Enter opens it. Its menu (the Menu key or Shift+F10) opens a sealed container, or seals the image.</source>
        <translation>Der Pfad des zu öffnenden 24-Bit-BMP-Bildes. Die Eingabetaste öffnet es. Sein Menü (Menütaste oder Umschalt+F10) öffnet einen versiegelten Container oder versiegelt das Bild.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="172"/>
        <source>Opens the image and shows the files hidden in it. Its menu (the Menu key or Shift+F10) opens a sealed container, or seals the image.</source>
        <translation>Öffnet das Bild und zeigt die darin versteckten Dateien. Sein Menü (Menütaste oder Umschalt+F10) öffnet einen versiegelten Container oder versiegelt das Bild.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="174"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="174"/>
        <source>Closes the image without writing it.</source>
        <translation>Schließt das Bild, ohne es zu schreiben.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="175"/>
        <source>Write and close</source>
        <translation>Sichern und schließen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="176"/>
        <source>Writes the hidden files into the image and closes it.</source>
        <translation>Schreibt die versteckten Dateien in das Bild und schließt es.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="177"/>
        <source>No image open</source>
        <translation>Kein Bild geöffnet</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="178"/>
        <source>Stands in the place of the file list while no image is open.</source>
        <translation>Steht an der Stelle der Dateiliste, solange kein Bild geöffnet ist.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="179"/>
        <source>Files inside and security</source>
        <translation>Dateien im Bild und Sicherheit</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="180"/>
        <source>The files hidden in the open image.</source>
        <translation>Die im geöffneten Bild versteckten Dateien.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="181"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="184"/>
        <location filename="../../src/ui/frmVeldraFiles.cpp" line="44"/>
        <source>Capacity</source>
        <translation>Kapazität</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="181"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="182"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="183"/>
        <source>Names the figure beside it.</source>
        <translation>Beschriftet den Wert daneben.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="182"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="185"/>
        <location filename="../../src/ui/frmVeldraFiles.cpp" line="45"/>
        <source>Used space</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="183"/>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="186"/>
        <location filename="../../src/ui/frmVeldraFiles.cpp" line="46"/>
        <source>Free space</source>
        <translation>Frei</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="184"/>
        <source>How many bytes the image can hide.</source>
        <translation>Wie viele Bytes das Bild verstecken kann.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="185"/>
        <source>How many bytes the hidden files take.</source>
        <translation>Wie viele Bytes die versteckten Dateien belegen.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="186"/>
        <source>How many bytes are left for more files.</source>
        <translation>Wie viele Bytes für weitere Dateien frei sind.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="187"/>
        <source>Hidden files</source>
        <translation>Versteckte Dateien</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="188"/>
        <source>The files hidden in the image. Delete removes the selected one, Enter or a double click extracts it; files dropped here are added.</source>
        <translation>Die im Bild versteckten Dateien. Entf entfernt die ausgewählte, die Eingabetaste oder ein Doppelklick liest sie aus; hier abgelegte Dateien werden eingefügt.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="191"/>
        <source>Add</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="191"/>
        <source>Hides one or more files in the image.</source>
        <translation>Versteckt eine oder mehrere Dateien im Bild.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="192"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="192"/>
        <source>Removes the selected file from the image.</source>
        <translation>Entfernt die ausgewählte Datei aus dem Bild.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="193"/>
        <source>Extract</source>
        <translation>Auslesen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="193"/>
        <source>Writes the selected file into a folder.</source>
        <translation>Schreibt die ausgewählte Datei in einen Ordner.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="194"/>
        <source>Extract all</source>
        <translation>Alle auslesen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="195"/>
        <source>Writes every hidden file into a folder.</source>
        <translation>Schreibt alle versteckten Dateien in einen Ordner.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="196"/>
        <source>Use password encryption</source>
        <translation>Mit Passwort verschlüsseln</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="197"/>
        <source>Scrambles the hidden files with a password when the image is written.</source>
        <translation>Verwürfelt die versteckten Dateien beim Schreiben des Bildes mit einem Passwort.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="198"/>
        <source>Credits</source>
        <translation>Programminformation</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraControls.cpp" line="198"/>
        <source>The program&apos;s name, version and makers.</source>
        <translation>Name, Version und Urheber des Programms.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraFiles.cpp" line="50"/>
        <source>The largest file that can still be added: %1.</source>
        <translation>Die größte Datei, die noch eingefügt werden kann: %1.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraFiles.cpp" line="58"/>
        <source>Stored as &quot;%1&quot;: %2.</source>
        <translation>Gespeichert als &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraMenu.cpp" line="19"/>
        <source>Its menu (right click, the Menu key or Shift+F10) opens a sealed container, or seals the image.</source>
        <translation>Sein Menü (Rechtsklick, Menütaste oder Umschalt+F10) öffnet einen versiegelten Container oder versiegelt das Bild.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraMenu.cpp" line="25"/>
        <source>&amp;Open sealed...</source>
        <translation>Versiegelt ö&amp;ffnen...</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraMenu.cpp" line="27"/>
        <source>&amp;Seal...</source>
        <translation>&amp;Versiegeln...</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraMenu.cpp" line="60"/>
        <source>More ways to open</source>
        <translation>Weitere Arten zu öffnen</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraMenu.cpp" line="62"/>
        <source>Opens a sealed container with its passphrase, or makes a new one in the image.</source>
        <translation>Öffnet einen versiegelten Container mit seiner Passphrase oder legt einen neuen im Bild an.</translation>
    </message>
    <message>
        <location filename="../../src/ui/frmVeldraMenu.cpp" line="83"/>
        <source>A sealed container is always encrypted with its passphrase: the box is for plain containers.</source>
        <translation>Ein versiegelter Container ist immer mit seiner Passphrase verschlüsselt: Das Kästchen gilt für einfache Container.</translation>
    </message>
</context>
<context>
    <name>veldra-carrier</name>
    <message>
        <location filename="../../src/picture/carrier_main.cpp" line="34"/>
        <source>The output could not be written.</source>
        <translation>Die Ausgabe konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../../src/picture/carrier_main.cpp" line="74"/>
        <source>Warning: %1 was stored as %2, which loses detail. The hidden files live only in the BMP: saving it as %2 again would destroy them.</source>
        <translation>Warnung: %1 wurde als %2 gespeichert, wobei Details verloren gehen. Die versteckten Dateien gibt es nur in der BMP-Datei: Erneutes Speichern als %2 würde sie zerstören.</translation>
    </message>
</context>
</TS>
