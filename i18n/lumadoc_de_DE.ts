<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AiCollaborationPanel</name>
    <message>
        <source>Please select AI action</source>
        <translation>Bitte KI-Aktion auswählen</translation>
    </message>
    <message>
        <source>Please analyze this problem</source>
        <translation>Bitte analysiere diese Aufgabe</translation>
    </message>
    <message>
        <source>Please recommend 5 similar problems</source>
        <translation>Bitte empfiehl 5 ähnliche Aufgaben</translation>
    </message>
    <message>
        <source>Add Action</source>
        <translation>Aktion hinzufügen</translation>
    </message>
    <message>
        <source>Add a custom AI action to the list</source>
        <translation>Eine eigene KI-Aktion zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Add AI Action</source>
        <translation>KI-Aktion hinzufügen</translation>
    </message>
    <message>
        <source>Enter the AI action text:</source>
        <translation>Text der KI-Aktion eingeben:</translation>
    </message>
    <message>
        <source>Doubao</source>
        <translation>Doubao</translation>
    </message>
    <message>
        <source>Yuanbao</source>
        <translation>Yuanbao</translation>
    </message>
    <message>
        <source>Qianwen</source>
        <translation>Qianwen</translation>
    </message>
</context>
<context>
    <name>AnnotationDock</name>
    <message>
        <source>Annotation</source>
        <translation>Anmerkungen</translation>
    </message>
    <message>
        <source>Drawing Tools</source>
        <translation>Zeichenwerkzeuge</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radiergummi</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>Auswahlwerkzeug</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>Stiftwerkzeug</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>Linienwerkzeug</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>Rechteckwerkzeug</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>Ellipsenwerkzeug</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>Radiergummi-Werkzeug</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>Stiftfarbe</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>Stiftbreite</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>Radiergummi:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>Radiergummigröße</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>AnnotationToolbar</name>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Select Tool</source>
        <translation>Auswahlwerkzeug</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Pen Tool</source>
        <translation>Stiftwerkzeug</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Line Tool</source>
        <translation>Linienwerkzeug</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Rectangle Tool</source>
        <translation>Rechteckwerkzeug</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Ellipse Tool</source>
        <translation>Ellipsenwerkzeug</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radiergummi</translation>
    </message>
    <message>
        <source>Eraser Tool</source>
        <translation>Radiergummi-Werkzeug</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>Anmerkungswerkzeuge</translation>
    </message>
    <message>
        <source>Pen Color</source>
        <translation>Stiftfarbe</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Pen Width</source>
        <translation>Stiftbreite</translation>
    </message>
    <message>
        <source>Eraser:</source>
        <translation>Radiergummi:</translation>
    </message>
    <message>
        <source>Eraser Size</source>
        <translation>Radiergummigröße</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Stiftfarbe auswählen</translation>
    </message>
</context>
<context>
    <name>BookFlattenProcessor</name>
    <message>
        <source>Input image is empty</source>
        <translation>Das Eingabebild ist leer</translation>
    </message>
    <message>
        <source>Failed to convert image format</source>
        <translation>Das Bildformat konnte nicht umgewandelt werden</translation>
    </message>
    <message>
        <source>Failed to convert to grayscale</source>
        <translation>Umwandlung in Graustufen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Failed to detect book region</source>
        <translation>Der Buchbereich wurde nicht erkannt</translation>
    </message>
    <message>
        <source>Failed to extract book edges</source>
        <translation>Die Buchkanten konnten nicht ermittelt werden</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>Die Buchkanten sind zum Glätten nicht gleichmäßig genug</translation>
    </message>
    <message>
        <source>Failed to flatten image</source>
        <translation>Das Bild konnte nicht geglättet werden</translation>
    </message>
    <message>
        <source>Unsupported image format</source>
        <translation>Nicht unterstütztes Bildformat</translation>
    </message>
    <message>
        <source>Failed to convert result image</source>
        <translation>Das Ergebnisbild konnte nicht umgewandelt werden</translation>
    </message>
</context>
<context>
    <name>BookPanel</name>
    <message>
        <source>Book Flatten Control</source>
        <translation>Buchseiten glätten</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Kamera:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Timer Capture:</source>
        <translation>Intervallaufnahme:</translation>
    </message>
    <message>
        <source>Auto Detect Capture</source>
        <translation>Automatisch aufnehmen</translation>
    </message>
    <message>
        <source>Book Single-Page Flatten</source>
        <translation>Einzelseite glätten</translation>
    </message>
    <message>
        <source>Book Double-Page Flatten</source>
        <translation>Doppelseite glätten</translation>
    </message>
    <message>
        <source>Double-Page Flatten: When enabled, photos will be auto-split into left and right pages, each generating a thumbnail</source>
        <translation>Doppelseite glätten: Aufnahmen werden automatisch in linke und rechte Seite geteilt, jede mit eigenem Vorschaubild</translation>
    </message>
    <message>
        <source>Remove Fingers</source>
        <translation>Finger entfernen</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>Hintergrund entfernen</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>Adaptiv</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Otsu</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>Fester Schwellenwert</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Schwellenwert:</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Aufnehmen</translation>
    </message>
</context>
<context>
    <name>BookSession</name>
    <message>
        <source>Image loaded</source>
        <translation>Bild geladen</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>Buchseite wird geglättet...</translation>
    </message>
    <message>
        <source>Book edges are not smooth enough for flattening</source>
        <translation>Die Buchkanten sind zum Glätten nicht gleichmäßig genug</translation>
    </message>
    <message>
        <source>Book flattening completed</source>
        <translation>Glätten abgeschlossen</translation>
    </message>
    <message>
        <source>Flattening failed: %1</source>
        <translation>Glätten fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Double-page flattening failed: %1</source>
        <translation>Glätten der Doppelseite fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Book double-page flattening completed</source>
        <translation>Glätten der Doppelseite abgeschlossen</translation>
    </message>
</context>
<context>
    <name>CameraController</name>
    <message>
        <source>控制器未初始化</source>
        <translation>Kamerasteuerung ist nicht initialisiert</translation>
    </message>
    <message>
        <source>设备未打开</source>
        <translation>Gerät ist nicht geöffnet</translation>
    </message>
</context>
<context>
    <name>CameraDock</name>
    <message>
        <source>Stop Recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Aufzeichnung starten</translation>
    </message>
    <message>
        <source>Camera Control</source>
        <translation>Kamerasteuerung</translation>
    </message>
    <message>
        <source>Camera Device</source>
        <translation>Kameragerät</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Advanced Tools</source>
        <translation>Erweiterte Werkzeuge</translation>
    </message>
    <message>
        <source>Scan Code</source>
        <translation>Code scannen</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Image Processing</source>
        <translation>Bildbearbeitung</translation>
    </message>
    <message>
        <source>Auto Document Detection</source>
        <translation>Automatische Dokumenterkennung</translation>
    </message>
    <message>
        <source>Automatically detect document boundaries and apply rotation correction</source>
        <translation>Dokumentränder automatisch erkennen und Drehung korrigieren</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>Dokument zuschneiden</translation>
    </message>
    <message>
        <source>Auto Capture</source>
        <translation>Automatisch aufnehmen</translation>
    </message>
    <message>
        <source>Automatically capture image when video becomes stable</source>
        <translation>Bild automatisch aufnehmen, sobald das Videobild ruhig ist</translation>
    </message>
    <message>
        <source>Timer Capture</source>
        <translation>Intervallaufnahme</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>Passfoto</translation>
    </message>
    <message>
        <source>Red background</source>
        <translation>Roter Hintergrund</translation>
    </message>
    <message>
        <source>Blue background</source>
        <translation>Blauer Hintergrund</translation>
    </message>
    <message>
        <source>White background</source>
        <translation>Weißer Hintergrund</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Remove Background</source>
        <translation>Hintergrund entfernen</translation>
    </message>
    <message>
        <source>Adaptive</source>
        <translation>Adaptiv</translation>
    </message>
    <message>
        <source>Otsu</source>
        <translation>Otsu</translation>
    </message>
    <message>
        <source>Fixed Threshold</source>
        <translation>Fester Schwellenwert</translation>
    </message>
    <message>
        <source>Threshold:</source>
        <translation>Schwellenwert:</translation>
    </message>
    <message>
        <source>Frame:</source>
        <translation>Rand:</translation>
    </message>
    <message>
        <source>Watermark</source>
        <translation>Wasserzeichen</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Composite Capture</source>
        <translation>Kombinierte Aufnahme</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Untereinander</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Nebeneinander</translation>
    </message>
    <message>
        <source>Zoom Control</source>
        <translation>Zoomsteuerung</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Aufnehmen</translation>
    </message>
</context>
<context>
    <name>CameraSession</name>
    <message>
        <source>No camera devices found</source>
        <translation>Keine Kamera gefunden</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please select a camera device.</source>
        <translation>Bitte wählen Sie eine Kamera aus.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>Die Kamera konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Camera started successfully</source>
        <translation>Kamera erfolgreich gestartet</translation>
    </message>
    <message>
        <source>Camera closed</source>
        <translation>Kamera geschlossen</translation>
    </message>
    <message>
        <source>Device list refreshed</source>
        <translation>Geräteliste aktualisiert</translation>
    </message>
    <message>
        <source>Camera disconnected. Waiting for reconnect...</source>
        <translation>Kamera getrennt. Warte auf erneute Verbindung...</translation>
    </message>
    <message>
        <source>Failed to reopen camera after reconnect.</source>
        <translation>Die Kamera konnte nach dem erneuten Verbinden nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to resume preview after reconnect.</source>
        <translation>Die Vorschau konnte nach dem erneuten Verbinden nicht fortgesetzt werden.</translation>
    </message>
    <message>
        <source>Camera reconnected. Preview resumed.</source>
        <translation>Kamera wieder verbunden. Vorschau läuft weiter.</translation>
    </message>
</context>
<context>
    <name>CaptureProcessor</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Die Kameravorschau ist nicht aktiv.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Das Bild konnte nicht aufgenommen werden.</translation>
    </message>
    <message>
        <source>Image captured</source>
        <translation>Bild aufgenommen</translation>
    </message>
    <message>
        <source>Manual crop applied</source>
        <translation>Manueller Zuschnitt angewendet</translation>
    </message>
    <message>
        <source>Auto crop with rotation applied: %1°</source>
        <translation>Automatischer Zuschnitt mit Drehung angewendet: %1°</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>Automatischer Zuschnitt angewendet</translation>
    </message>
    <message>
        <source>Image straightened</source>
        <translation>Bild begradigt</translation>
    </message>
    <message>
        <source>Background removed</source>
        <translation>Hintergrund entfernt</translation>
    </message>
    <message>
        <source>Watermark applied</source>
        <translation>Wasserzeichen hinzugefügt</translation>
    </message>
    <message>
        <source>ID Photo crop applied</source>
        <translation>Passfoto-Zuschnitt angewendet</translation>
    </message>
    <message>
        <source>Composite failed, using last capture</source>
        <translation>Kombinieren fehlgeschlagen, letzte Aufnahme wird verwendet</translation>
    </message>
    <message>
        <source>Composite capture completed</source>
        <translation>Kombinierte Aufnahme abgeschlossen</translation>
    </message>
    <message>
        <source>First capture done. Please flip the page and capture again for composite.</source>
        <translation>Erste Aufnahme erstellt. Bitte die Seite umblättern und für die kombinierte Aufnahme erneut aufnehmen.</translation>
    </message>
    <message>
        <source>Book flattening in progress...</source>
        <translation>Buchseite wird geglättet...</translation>
    </message>
    <message>
        <source>Book double-page flattening in progress...</source>
        <translation>Buchdoppelseite wird geglättet...</translation>
    </message>
    <message>
        <source>Matting applied (%1)</source>
        <translation>Freistellung angewendet (%1)</translation>
    </message>
    <message>
        <source>ID photo cut-out failed; the capture is kept as it was</source>
        <translation>Freistellen des Passfotos fehlgeschlagen; die Aufnahme bleibt unverändert</translation>
    </message>
</context>
<context>
    <name>CompareCellWidget</name>
    <message>
        <source>LIVE</source>
        <translation>LIVE</translation>
    </message>
    <message>
        <source>Double-click to load
or drag image</source>
        <translation>Doppelklick zum Laden
oder Bild hierher ziehen</translation>
    </message>
    <message>
        <source>Load Image...</source>
        <translation>Bild laden...</translation>
    </message>
    <message>
        <source>Stop Live Video</source>
        <translation>Live-Bild beenden</translation>
    </message>
    <message>
        <source>Show Live Video</source>
        <translation>Live-Bild zeigen</translation>
    </message>
</context>
<context>
    <name>CustomWebEngineView</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Seite speichern</translation>
    </message>
</context>
<context>
    <name>ExportSession</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please select images first!</source>
        <translation>Bitte wählen Sie zuerst Bilder aus!</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>Als OFD speichern</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Speichern in:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>No images to save!</source>
        <translation>Keine Bilder zum Speichern!</translation>
    </message>
    <message>
        <source>Generating PDF, please wait...</source>
        <translation>PDF wird erstellt, bitte warten...</translation>
    </message>
    <message>
        <source>Generating OFD, please wait...</source>
        <translation>OFD wird erstellt, bitte warten...</translation>
    </message>
    <message>
        <source>Failed to save PDF. Please try again.</source>
        <translation>PDF konnte nicht gespeichert werden. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Failed to save OFD. Please try again.</source>
        <translation>OFD konnte nicht gespeichert werden. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to save PDF</source>
        <translation>PDF konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Failed to save OFD</source>
        <translation>OFD konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>PDF Saved</source>
        <translation>PDF gespeichert</translation>
    </message>
    <message>
        <source>OFD Saved</source>
        <translation>OFD gespeichert</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as PDF</source>
        <translation>✅ %1 Bild(er) erfolgreich als PDF gespeichert</translation>
    </message>
    <message>
        <source>✅ Successfully saved %1 image(s) as OFD</source>
        <translation>✅ %1 Bild(er) erfolgreich als OFD gespeichert</translation>
    </message>
    <message>
        <source>Page(s) %1 came from the small preview picture, because the file was gone.</source>
        <translation>Seite(n) %1 stammen aus dem kleinen Vorschaubild, weil die Datei nicht mehr vorhanden war.</translation>
    </message>
    <message>
        <source>PDF file:</source>
        <translation>PDF-Datei:</translation>
    </message>
    <message>
        <source>OFD file:</source>
        <translation>OFD-Datei:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this PDF?</source>
        <translation>Die Originalbilder, aus denen dieses PDF erstellt wurde, löschen?</translation>
    </message>
    <message>
        <source>Delete the original source images that were used to create this OFD?</source>
        <translation>Die Originalbilder, aus denen dieses OFD erstellt wurde, löschen?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1 images saved as PDF</source>
        <translation>%1 Bilder als PDF gespeichert</translation>
    </message>
    <message>
        <source>%1 images saved as OFD</source>
        <translation>%1 Bilder als OFD gespeichert</translation>
    </message>
    <message>
        <source>Searchable (OCR)</source>
        <translation>Durchsuchbar (OCR)</translation>
    </message>
    <message>
        <source>PDF export cancelled</source>
        <translation>PDF-Export abgebrochen</translation>
    </message>
    <message>
        <source>OFD export cancelled</source>
        <translation>OFD-Export abgebrochen</translation>
    </message>
</context>
<context>
    <name>GalleryPanel</name>
    <message>
        <source>Rename file</source>
        <translation>Datei umbenennen</translation>
    </message>
    <message>
        <source>New file name:</source>
        <translation>Neuer Dateiname:</translation>
    </message>
    <message>
        <source>Image captured and added to gallery</source>
        <translation>Bild aufgenommen und zur Galerie hinzugefügt</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Renamed to: %1</source>
        <translation>Umbenannt in: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>Ungültiger Dateiname: %1</translation>
    </message>
    <message>
        <source>A file named %1 already exists.</source>
        <translation>Eine Datei mit dem Namen %1 ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>Failed to rename file. Please check permissions.</source>
        <translation>Die Datei konnte nicht umbenannt werden. Bitte überprüfen Sie die Berechtigungen.</translation>
    </message>
    <message>
        <source>Clear All Thumbnails</source>
        <translation>Alle Miniaturansichten löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all thumbnails?</source>
        <translation>Möchten Sie wirklich alle Miniaturansichten löschen?</translation>
    </message>
    <message>
        <source>All thumbnails cleared</source>
        <translation>Alle Miniaturansichten gelöscht</translation>
    </message>
    <message>
        <source>No file yet</source>
        <translation>Noch keine Datei</translation>
    </message>
    <message>
        <source>%1 has not been saved to a file yet.</source>
        <translation>%1 wurde noch nicht in einer Datei gespeichert.</translation>
    </message>
</context>
<context>
    <name>ImagePreviewDialog</name>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radiergummi</translation>
    </message>
    <message>
        <source>Selection tool</source>
        <translation>Auswahlwerkzeug</translation>
    </message>
    <message>
        <source>Pen tool</source>
        <translation>Stiftwerkzeug</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>Linienwerkzeug</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>Rechteckwerkzeug</translation>
    </message>
    <message>
        <source>Ellipse tool</source>
        <translation>Ellipsenwerkzeug</translation>
    </message>
    <message>
        <source>Eraser tool</source>
        <translation>Radiergummi-Werkzeug</translation>
    </message>
    <message>
        <source>Grayscale 8-bit</source>
        <translation>8-Bit-Graustufen</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Format %1</source>
        <translation>Format %1</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save image (Ctrl+S)</source>
        <translation>Bild speichern (Ctrl+S)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy to clipboard (Ctrl+C)</source>
        <translation>In die Zwischenablage kopieren (Ctrl+C)</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom in (+)</source>
        <translation>Vergrößern (+)</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom out (-)</source>
        <translation>Verkleinern (-)</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>Reset zoom (0)</source>
        <translation>Zoom zurücksetzen (0)</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Fit to window (F)</source>
        <translation>An Fenster anpassen (F)</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Rotate left (Ctrl+L)</source>
        <translation>Nach links drehen (Ctrl+L)</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Rotate right (Ctrl+R)</source>
        <translation>Nach rechts drehen (Ctrl+R)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>Rückgängig (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Y)</source>
        <translation>Wiederholen (Ctrl+Y)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear annotations (Del)</source>
        <translation>Anmerkungen löschen (Del)</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Toggle tools panel (T)</source>
        <translation>Werkzeugbereich ein-/ausblenden (T)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close window (Esc)</source>
        <translation>Fenster schließen (Esc)</translation>
    </message>
    <message>
        <source>Image Information</source>
        <translation>Bildinformationen</translation>
    </message>
    <message>
        <source>Annotation Tools</source>
        <translation>Anmerkungswerkzeuge</translation>
    </message>
    <message>
        <source>Select pen color</source>
        <translation>Stiftfarbe auswählen</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Eraser size:</source>
        <translation>Radiergummigröße:</translation>
    </message>
    <message>
        <source>Image Preview</source>
        <translation>Bildvorschau</translation>
    </message>
    <message>
        <source>Image Preview - %1x%2</source>
        <translation>Bildvorschau - %1x%2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Size: %1 x %2
Format: %3
Size: %4 KB</source>
        <translation>Abmessungen: %1 x %2
Format: %3
Größe: %4 KB</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>Kein Bild zum Speichern vorhanden</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>Image files (*.png *.jpg *.bmp *.tiff)</source>
        <translation>Bilddateien (*.png *.jpg *.bmp *.tiff)</translation>
    </message>
    <message>
        <source>Failed to save image</source>
        <translation>Das Bild konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Save Successful</source>
        <translation>Speichern erfolgreich</translation>
    </message>
    <message>
        <source>Image saved to: %1</source>
        <translation>Bild gespeichert unter: %1</translation>
    </message>
    <message>
        <source>No image to copy</source>
        <translation>Kein Bild zum Kopieren vorhanden</translation>
    </message>
    <message>
        <source>Copy Successful</source>
        <translation>Kopieren erfolgreich</translation>
    </message>
    <message>
        <source>Image copied to clipboard</source>
        <translation>Bild in die Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Stiftfarbe auswählen</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>Anmerkungen löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all annotations?</source>
        <translation>Möchten Sie wirklich alle Anmerkungen löschen?</translation>
    </message>
    <message>
        <source>Current tool: %1</source>
        <translation>Aktuelles Werkzeug: %1</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Vergrößerung: %1%</translation>
    </message>
    <message>
        <source>Size: %1 x %2</source>
        <translation>Abmessungen: %1 x %2</translation>
    </message>
</context>
<context>
    <name>ImagingSteps</name>
    <message>
        <source>portrait model</source>
        <translation>Porträtmodell</translation>
    </message>
    <message>
        <source>cut out around the guide; no portrait model installed</source>
        <translation>entlang der Führungslinie freigestellt; kein Porträtmodell installiert</translation>
    </message>
</context>
<context>
    <name>LanguageManager</name>
    <message>
        <source>Chinese (中文)</source>
        <translation>Chinesisch (中文)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch (English)</translation>
    </message>
    <message>
        <source>Japanese (日本語)</source>
        <translation>Japanisch (日本語)</translation>
    </message>
    <message>
        <source>Russian (Русский)</source>
        <translation>Russisch (Русский)</translation>
    </message>
    <message>
        <source>German (Deutsch)</source>
        <translation>Deutsch</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: noch nicht verfügbar</translation>
    </message>
    <message>
        <source>Open Camera</source>
        <translation>Kamera öffnen</translation>
    </message>
    <message>
        <source>Close Camera</source>
        <translation>Kamera schließen</translation>
    </message>
    <message>
        <source>Refresh Devices</source>
        <translation>Geräte aktualisieren</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>OCR</source>
        <translation>OCR</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Select Crop Area</source>
        <translation>Zuschneidebereich auswählen</translation>
    </message>
    <message>
        <source>Apply Crop</source>
        <translation>Zuschnitt anwenden</translation>
    </message>
    <message>
        <source>Deskew</source>
        <translation>Begradigen</translation>
    </message>
    <message>
        <source>Camera Settings</source>
        <translation>Kameraeinstellungen</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Stiftfarbe auswählen</translation>
    </message>
    <message>
        <source>About Lumadoc</source>
        <translation>Über Lumadoc</translation>
    </message>
    <message>
        <source>A professional camera application for high-speed document cameras.</source>
        <translation>Eine professionelle Kameraanwendung für Hochgeschwindigkeits-Dokumentenkameras.</translation>
    </message>
    <message>
        <source>Features:</source>
        <translation>Funktionen:</translation>
    </message>
    <message>
        <source>Real-time video preview</source>
        <translation>Echtzeit-Videovorschau</translation>
    </message>
    <message>
        <source>Annotation tools (pen, line, rectangle, ellipse)</source>
        <translation>Anmerkungswerkzeuge (Stift, Linie, Rechteck, Ellipse)</translation>
    </message>
    <message>
        <source>Zoom and rotate</source>
        <translation>Zoomen und Drehen</translation>
    </message>
    <message>
        <source>Barcode/QR code scanning</source>
        <translation>Barcode-/QR-Code-Scan</translation>
    </message>
    <message>
        <source>OCR text recognition</source>
        <translation>OCR-Texterkennung</translation>
    </message>
    <message>
        <source>Multi-language support</source>
        <translation>Mehrsprachige Oberfläche</translation>
    </message>
    <message>
        <source>Thumbnail gallery</source>
        <translation>Miniaturansichten-Galerie</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>Kontakt:</translation>
    </message>
    <message>
        <source>© 2026 Lumadoc. All rights reserved.</source>
        <translation>© 2026 Lumadoc. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>Zoom zurücksetzen</translation>
    </message>
    <message>
        <source>Scan Barcode</source>
        <translation>Barcode scannen</translation>
    </message>
    <message>
        <source>Scan QR Code</source>
        <translation>QR-Code scannen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Auto Crop</source>
        <translation>Automatisch zuschneiden</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>An Fenster anpassen</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Scan &amp;Barcode/QR Code</source>
        <translation>&amp;Barcode/QR-Code scannen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Kamera</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>OCR Language</source>
        <translation>OCR-Sprache</translation>
    </message>
    <message>
        <source>Captured Images</source>
        <translation>Aufgenommene Bilder</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Main Toolbar</source>
        <translation>Hauptsymbolleiste</translation>
    </message>
    <message>
        <source>Please flip the page and capture again</source>
        <translation>Bitte die Seite umblättern und erneut aufnehmen</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Einstellungen gespeichert</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Failed to initialize camera controller.</source>
        <translation>Die Kamerasteuerung konnte nicht initialisiert werden.</translation>
    </message>
    <message>
        <source>Camera settings are not available for this camera</source>
        <translation>Diese Kamera bietet keine einstellbaren Werte</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to open camera device.</source>
        <translation>Die Kamera konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Preview started</source>
        <translation>Vorschau gestartet</translation>
    </message>
    <message>
        <source>Preview failed to start</source>
        <translation>Vorschau konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Preview stopped</source>
        <translation>Vorschau angehalten</translation>
    </message>
    <message>
        <source>Camera Error</source>
        <translation>Kamerafehler</translation>
    </message>
    <message>
        <source>Select tool activated</source>
        <translation>Auswahlwerkzeug aktiviert</translation>
    </message>
    <message>
        <source>Pen tool activated</source>
        <translation>Stiftwerkzeug aktiviert</translation>
    </message>
    <message>
        <source>Line tool activated</source>
        <translation>Linienwerkzeug aktiviert</translation>
    </message>
    <message>
        <source>Rectangle tool activated</source>
        <translation>Rechteckwerkzeug aktiviert</translation>
    </message>
    <message>
        <source>Ellipse tool activated</source>
        <translation>Ellipsenwerkzeug aktiviert</translation>
    </message>
    <message>
        <source>Eraser tool activated</source>
        <translation>Radiergummi-Werkzeug aktiviert</translation>
    </message>
    <message>
        <source>Eraser size changed to %1</source>
        <translation>Radiergummigröße auf %1 geändert</translation>
    </message>
    <message>
        <source>Crop mode: Click and drag to select area</source>
        <translation>Zuschneidemodus: Klicken und ziehen, um einen Bereich auszuwählen</translation>
    </message>
    <message>
        <source>Crop mode disabled</source>
        <translation>Zuschneidemodus deaktiviert</translation>
    </message>
    <message>
        <source>The live preview needs OpenGL 3.3, which this system does not offer (%1)</source>
        <translation>Die Live-Vorschau benötigt OpenGL 3.3, das auf diesem System nicht verfügbar ist (%1)</translation>
    </message>
    <message>
        <source>Image saved: %1</source>
        <translation>Bild gespeichert: %1</translation>
    </message>
    <message>
        <source>No image to save.</source>
        <translation>Kein Bild zum Speichern vorhanden.</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.bmp)</source>
        <translation>Bilder (*.png *.jpg *.bmp)</translation>
    </message>
    <message>
        <source>Failed to save image.</source>
        <translation>Das Bild konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Image saved</source>
        <translation>Bild gespeichert</translation>
    </message>
    <message>
        <source>Auto capture enabled</source>
        <translation>Automatische Aufnahme aktiviert</translation>
    </message>
    <message>
        <source>Auto capture disabled</source>
        <translation>Automatische Aufnahme deaktiviert</translation>
    </message>
    <message>
        <source>Timer capture enabled: %1s</source>
        <translation>Intervallaufnahme aktiviert: %1 s</translation>
    </message>
    <message>
        <source>Timer capture disabled</source>
        <translation>Intervallaufnahme deaktiviert</translation>
    </message>
    <message>
        <source>ID Photo mode enabled</source>
        <translation>Passfotomodus aktiviert</translation>
    </message>
    <message>
        <source>ID Photo mode disabled</source>
        <translation>Passfotomodus deaktiviert</translation>
    </message>
    <message>
        <source>PDF export is not available yet</source>
        <translation>PDF-Export ist noch nicht verfügbar</translation>
    </message>
    <message>
        <source>OFD export is not available yet</source>
        <translation>OFD-Export ist noch nicht verfügbar</translation>
    </message>
    <message>
        <source>Failed to create save directory: %1</source>
        <translation>Speicherordner konnte nicht erstellt werden: %1</translation>
    </message>
    <message>
        <source>Save directory is not writable: %1</source>
        <translation>Speicherordner ist nicht beschreibbar: %1</translation>
    </message>
    <message>
        <source>Invalid file path</source>
        <translation>Ungültiger Dateipfad</translation>
    </message>
    <message>
        <source>Invalid image</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>File name contains invalid characters: %1</source>
        <translation>Der Dateiname enthält ungültige Zeichen: %1</translation>
    </message>
    <message>
        <source>File path is too long: %1</source>
        <translation>Der Dateipfad ist zu lang: %1</translation>
    </message>
    <message>
        <source>Image saved with barcode: %1</source>
        <translation>Bild mit Barcode als Namen gespeichert: %1</translation>
    </message>
    <message>
        <source>Failed to save image. </source>
        <translation>Das Bild konnte nicht gespeichert werden. </translation>
    </message>
    <message>
        <source>Path: %1. </source>
        <translation>Pfad: %1. </translation>
    </message>
    <message>
        <source>Format: %1. </source>
        <translation>Format: %1. </translation>
    </message>
    <message>
        <source>Image size: %1x%2. </source>
        <translation>Bildabmessungen: %1x%2. </translation>
    </message>
    <message>
        <source>Original format: %1. </source>
        <translation>Ursprüngliches Format: %1. </translation>
    </message>
    <message>
        <source>Compatible format: %1. </source>
        <translation>Kompatibles Format: %1. </translation>
    </message>
    <message>
        <source>Is JPEG: %1. </source>
        <translation>Ist JPEG: %1. </translation>
    </message>
    <message>
        <source>Is TIFF: %1. </source>
        <translation>Ist TIFF: %1. </translation>
    </message>
    <message>
        <source>Is PNG/BMP: %1. </source>
        <translation>Ist PNG/BMP: %1. </translation>
    </message>
    <message>
        <source>Qt version: %1. </source>
        <translation>Qt-Version: %1. </translation>
    </message>
    <message>
        <source>File open successful, but save failed. </source>
        <translation>Datei ließ sich öffnen, aber das Speichern schlug fehl. </translation>
    </message>
    <message>
        <source>File open error: %1. </source>
        <translation>Fehler beim Öffnen der Datei: %1. </translation>
    </message>
    <message numerus="yes">
        <source>Saving failed: %n capture(s) not saved</source>
        <translation>
            <numerusform>Speichern fehlgeschlagen: %n Aufnahme nicht gespeichert</numerusform>
            <numerusform>Speichern fehlgeschlagen: %n Aufnahmen nicht gespeichert</numerusform>
        </translation>
    </message>
    <message>
        <source>Unsaved Captures</source>
        <translation>Nicht gespeicherte Aufnahmen</translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) have not been saved to disk. Save them to %1 before closing?</source>
        <translation>
            <numerusform>%n Aufnahme wurde nicht auf dem Datenträger gespeichert. Vor dem Schließen in %1 speichern?</numerusform>
            <numerusform>%n Aufnahmen wurden nicht auf dem Datenträger gespeichert. Vor dem Schließen in %1 speichern?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) could not be saved and are still in the gallery.</source>
        <translation>
            <numerusform>%n Aufnahme konnte nicht gespeichert werden und ist weiterhin in der Galerie.</numerusform>
            <numerusform>%n Aufnahmen konnten nicht gespeichert werden und sind weiterhin in der Galerie.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n capture(s) not saved when the last session ended were kept in %1</source>
        <translation>
            <numerusform>%n beim Ende der letzten Sitzung nicht gespeicherte Aufnahme wurde in %1 aufbewahrt</numerusform>
            <numerusform>%n beim Ende der letzten Sitzung nicht gespeicherte Aufnahmen wurden in %1 aufbewahrt</numerusform>
        </translation>
    </message>
    <message>
        <source>No document detected</source>
        <translation>Kein Dokument erkannt</translation>
    </message>
    <message>
        <source>Document detected: %1x%2</source>
        <translation>Dokument erkannt: %1x%2</translation>
    </message>
    <message>
        <source>Please start camera preview first.</source>
        <translation>Bitte starten Sie zuerst die Kameravorschau.</translation>
    </message>
    <message>
        <source>Auto crop enabled, detecting document...</source>
        <translation>Automatisches Zuschneiden aktiviert, Dokument wird erkannt...</translation>
    </message>
    <message>
        <source>Auto crop disabled</source>
        <translation>Automatisches Zuschneiden deaktiviert</translation>
    </message>
    <message>
        <source>Auto crop applied</source>
        <translation>Automatischer Zuschnitt angewendet</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Die Kamera zeigt keine Vorschau.</translation>
    </message>
    <message>
        <source>No document detected for cropping</source>
        <translation>Kein Dokument zum Zuschneiden erkannt</translation>
    </message>
    <message>
        <source>Cropped with rotation: %1°, size: %2x%3</source>
        <translation>Zugeschnitten mit Drehung: %1°, Größe: %2x%3</translation>
    </message>
    <message>
        <source>Cropped, size: %1x%2</source>
        <translation>Zugeschnitten, Größe: %1x%2</translation>
    </message>
    <message>
        <source>Background removal enabled</source>
        <translation>Hintergrundentfernung aktiviert</translation>
    </message>
    <message>
        <source>Background removal disabled</source>
        <translation>Hintergrundentfernung deaktiviert</translation>
    </message>
    <message>
        <source>Background color changed to: %1</source>
        <translation>Hintergrundfarbe geändert in: %1</translation>
    </message>
    <message>
        <source>Select Background Color</source>
        <translation>Hintergrundfarbe auswählen</translation>
    </message>
    <message>
        <source>Watermark enabled</source>
        <translation>Wasserzeichen aktiviert</translation>
    </message>
    <message>
        <source>Watermark disabled</source>
        <translation>Wasserzeichen deaktiviert</translation>
    </message>
    <message>
        <source>Watermark settings updated</source>
        <translation>Wasserzeicheneinstellungen aktualisiert</translation>
    </message>
    <message>
        <source>The disk holding the save folder %1 is full. Free some space, or choose another folder in the settings.</source>
        <translation>Der Datenträger mit dem Speicherordner %1 ist voll. Geben Sie Speicherplatz frei oder wählen Sie in den Einstellungen einen anderen Ordner.</translation>
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
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Result copied to clipboard</source>
        <translation>Ergebnis in die Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Das Bild konnte nicht aufgenommen werden.</translation>
    </message>
    <message>
        <source>Scan Result</source>
        <translation>Scanergebnis</translation>
    </message>
    <message>
        <source>No barcode or QR code detected.</source>
        <translation>Kein Barcode oder QR-Code erkannt.</translation>
    </message>
    <message>
        <source>Same code scanned recently</source>
        <translation>Derselbe Code wurde gerade erst gescannt</translation>
    </message>
    <message>
        <source>Scan successful</source>
        <translation>Scan erfolgreich</translation>
    </message>
    <message>
        <source>Opening URL: %1</source>
        <translation>Adresse wird geöffnet: %1</translation>
    </message>
    <message>
        <source>Failed to open URL: %1</source>
        <translation>Die Adresse konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>QR Code Scan</source>
        <translation>QR-Code scannen</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>Bildvergleich</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>AI Collaboration</source>
        <translation>KI-Zusammenarbeit</translation>
    </message>
    <message>
        <source>The AI panel is not available in this build.</source>
        <translation>Das KI-Fenster ist in dieser Version nicht verfügbar.</translation>
    </message>
    <message>
        <source>Book timer capture enabled: %1s</source>
        <translation>Buch-Intervallaufnahme aktiv: %1 s</translation>
    </message>
    <message>
        <source>Book timer capture disabled</source>
        <translation>Buch-Intervallaufnahme aus</translation>
    </message>
    <message>
        <source>Book auto capture enabled</source>
        <translation>Automatische Buchaufnahme aktiv</translation>
    </message>
    <message>
        <source>Book auto capture disabled</source>
        <translation>Automatische Buchaufnahme aus</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>Bild auswählen</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)</source>
        <translation>Bilddateien (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>Das Bild konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>摄像头未开启，请先打开摄像头。</source>
        <translation>Die Kamera ist nicht eingeschaltet. Bitte öffnen Sie zuerst die Kamera.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>从摄像头捕获图像失败。</source>
        <translation>Das Bild konnte nicht von der Kamera geholt werden.</translation>
    </message>
    <message>
        <source>第一张已拍摄，请翻页后再次点击【开始识别】进行合成</source>
        <translation>Erste Aufnahme erstellt. Beleg umdrehen und erneut auf „Erkennen“ klicken, um beide zu kombinieren</translation>
    </message>
</context>
<context>
    <name>MediaCaptureWrapper</name>
    <message>
        <source>初始化失败: %1</source>
        <translation>Initialisierung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>MediaCapture实例为空</source>
        <translation>Die Kamerabibliothek ist nicht verfügbar</translation>
    </message>
    <message>
        <source>枚举设备失败: %1</source>
        <translation>Geräte konnten nicht aufgelistet werden: %1</translation>
    </message>
    <message>
        <source>打开设备失败: %1</source>
        <translation>Gerät konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>设备未打开或MediaCapture实例为空</source>
        <translation>Das Gerät ist nicht geöffnet oder die Kamerabibliothek ist nicht verfügbar</translation>
    </message>
    <message>
        <source>开始捕获失败: %1</source>
        <translation>Aufnahme konnte nicht gestartet werden: %1</translation>
    </message>
</context>
<context>
    <name>OcrLanguageMenu</name>
    <message>
        <source>Chinese</source>
        <translation>Chinesisch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Koreanisch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russisch</translation>
    </message>
    <message>
        <source>OCR language set to: %1</source>
        <translation>OCR-Sprache eingestellt: %1</translation>
    </message>
</context>
<context>
    <name>OcrResultDialog</name>
    <message>
        <source>OCR Result</source>
        <translation>OCR-Ergebnis</translation>
    </message>
    <message>
        <source>Read Aloud</source>
        <translation>Vorlesen</translation>
    </message>
    <message>
        <source>Stop Reading</source>
        <translation>Vorlesen beenden</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
</context>
<context>
    <name>OcrSession</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Camera is not previewing.</source>
        <translation>Die Kamera zeigt keine Vorschau.</translation>
    </message>
    <message>
        <source>Failed to capture image.</source>
        <translation>Das Bild konnte nicht aufgenommen werden.</translation>
    </message>
    <message>
        <source>OCR Result</source>
        <translation>OCR-Ergebnis</translation>
    </message>
    <message>
        <source>No text detected.</source>
        <translation>Kein Text erkannt.</translation>
    </message>
    <message>
        <source>Failed to save temporary image.</source>
        <translation>Temporäres Bild konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Export as Word</source>
        <translation>Als Word exportieren</translation>
    </message>
    <message>
        <source>Word Document (*.doc);;Word 2007-365 Document (*.docx)</source>
        <translation>Word-Dokument (*.doc);;Word-2007-365-Dokument (*.docx)</translation>
    </message>
    <message>
        <source>Export as Searchable PDF</source>
        <translation>Als durchsuchbares PDF exportieren</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf);;All Files (*)</source>
        <translation>PDF-Dateien (*.pdf);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Exporting Word document, please wait...</source>
        <translation>Word-Dokument wird exportiert, bitte warten...</translation>
    </message>
    <message>
        <source>Exporting searchable PDF, please wait...</source>
        <translation>Durchsuchbares PDF wird exportiert, bitte warten...</translation>
    </message>
    <message>
        <source>Word exported: </source>
        <translation>Word exportiert: </translation>
    </message>
    <message>
        <source>PDF exported: </source>
        <translation>PDF exportiert: </translation>
    </message>
    <message>
        <source>Export Success</source>
        <translation>Export erfolgreich</translation>
    </message>
    <message>
        <source>Word document saved to:
%1</source>
        <translation>Word-Dokument gespeichert unter:
%1</translation>
    </message>
    <message>
        <source>Searchable PDF saved to:
%1</source>
        <translation>Durchsuchbares PDF gespeichert unter:
%1</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>Export Failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>RecordingSession</name>
    <message>
        <source>The previous recording is still being saved, please wait</source>
        <translation>Die vorige Aufnahme wird noch gespeichert, bitte warten</translation>
    </message>
    <message>
        <source>Camera controller unavailable</source>
        <translation>Kamerasteuerung nicht verfügbar</translation>
    </message>
    <message>
        <source>Failed to start recording (check logs)</source>
        <translation>Aufnahme konnte nicht gestartet werden (siehe Protokoll)</translation>
    </message>
    <message>
        <source>Recording stop timed out (device not responding)</source>
        <translation>Zeitüberschreitung beim Beenden der Aufnahme (Gerät reagiert nicht)</translation>
    </message>
    <message>
        <source>Failed to stop recording / no file produced (check logs)</source>
        <translation>Aufnahme konnte nicht beendet werden / keine Datei erzeugt (siehe Protokoll)</translation>
    </message>
    <message>
        <source>Recording saved, duration: %1s</source>
        <translation>Aufnahme gespeichert, Dauer: %1 s</translation>
    </message>
    <message>
        <source>Recording Complete</source>
        <translation>Aufnahme abgeschlossen</translation>
    </message>
    <message>
        <source>Recording saved successfully.</source>
        <translation>Aufnahme erfolgreich gespeichert.</translation>
    </message>
    <message>
        <source>Saved to:</source>
        <translation>Gespeichert unter:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ScanResultPanel</name>
    <message>
        <source>Scan Result:</source>
        <translation>Scanergebnis:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>ScannerGunBuffer</name>
    <message>
        <source>Scanner Gun: Capturing with code %1...</source>
        <translation>Handscanner: Aufnahme mit Code %1...</translation>
    </message>
</context>
<context>
    <name>ScreenCompareDialog</name>
    <message>
        <source>2 Screens (1x2)</source>
        <translation>2 Bildschirme (1x2)</translation>
    </message>
    <message>
        <source>2 Screens (2x1)</source>
        <translation>2 Bildschirme (2x1)</translation>
    </message>
    <message>
        <source>4 Screens (2x2)</source>
        <translation>4 Bildschirme (2x2)</translation>
    </message>
    <message>
        <source>6 Screens (2x3)</source>
        <translation>6 Bildschirme (2x3)</translation>
    </message>
    <message>
        <source>9 Screens (3x3)</source>
        <translation>9 Bildschirme (3x3)</translation>
    </message>
    <message>
        <source>12 Screens (4x3)</source>
        <translation>12 Bildschirme (4x3)</translation>
    </message>
    <message>
        <source>16 Screens (4x4)</source>
        <translation>16 Bildschirme (4x4)</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Screen Comparison</source>
        <translation>Bildvergleich</translation>
    </message>
    <message>
        <source>Layout:</source>
        <translation>Layout:</translation>
    </message>
    <message>
        <source>Load Images</source>
        <translation>Bilder laden</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alles löschen</translation>
    </message>
    <message>
        <source>Linked Zoom</source>
        <translation>Gekoppelter Zoom</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>Annotieren</translation>
    </message>
    <message>
        <source>Enable/disable annotation mode</source>
        <translation>Annotationsmodus ein-/ausschalten</translation>
    </message>
    <message>
        <source>Pen color</source>
        <translation>Stiftfarbe</translation>
    </message>
    <message>
        <source>Pen width</source>
        <translation>Stiftbreite</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Rect</source>
        <translation>Rechteck</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Radierer</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Clear Anno</source>
        <translation>Markierungen löschen</translation>
    </message>
    <message>
        <source>Save Cell</source>
        <translation>Feld speichern</translation>
    </message>
    <message>
        <source>Export All</source>
        <translation>Alle exportieren</translation>
    </message>
    <message>
        <source>Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking.</source>
        <translation>Tipp: Klicken Sie auf ein Feld, um ein Bild zu laden. Mausrad zum Zoomen. Annotation aktivieren zum Markieren.</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Bild laden</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to load image.</source>
        <translation>Das Bild konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>Select Images</source>
        <translation>Bilder auswählen</translation>
    </message>
    <message>
        <source>Some images could not be loaded:
%1</source>
        <translation>Einige Bilder konnten nicht geladen werden:
%1</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Clear all images and annotations?</source>
        <translation>Alle Bilder und Markierungen löschen?</translation>
    </message>
    <message>
        <source>Select Pen Color</source>
        <translation>Stiftfarbe wählen</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>No image in selected cell.</source>
        <translation>Im ausgewählten Feld ist kein Bild.</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</source>
        <translation>PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Could not save the image to:
%1</source>
        <translation>Das Bild konnte nicht gespeichert werden:
%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Image saved to:
%1</source>
        <translation>Bild gespeichert unter:
%1</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>Exportordner wählen</translation>
    </message>
    <message>
        <source>%1 of %2 cells exported to:
%3</source>
        <translation>%1 von %2 Feldern exportiert nach:
%3</translation>
    </message>
    <message>
        <source>Export Complete</source>
        <translation>Export abgeschlossen</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>JPG</source>
        <translation>JPG</translation>
    </message>
    <message>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <source>TIF</source>
        <translation>TIF</translation>
    </message>
    <message>
        <source>PDF (single page)</source>
        <translation>PDF (Einzelseite)</translation>
    </message>
    <message>
        <source>OFD</source>
        <translation>OFD</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>Prefix + Number</source>
        <translation>Präfix + Nummer</translation>
    </message>
    <message>
        <source>Barcode Recognition</source>
        <translation>Barcode-Erkennung</translation>
    </message>
    <message>
        <source>Scanner Gun Mode</source>
        <translation>Handscanner-Modus</translation>
    </message>
    <message>
        <source>TXT</source>
        <translation>TXT</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Word</translation>
    </message>
    <message>
        <source>Double-layer PDF</source>
        <translation>PDF mit Textebene</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Speichereinstellungen</translation>
    </message>
    <message>
        <source>Auto save captured images</source>
        <translation>Aufgenommene Bilder automatisch speichern</translation>
    </message>
    <message>
        <source>Save format:</source>
        <translation>Speicherformat:</translation>
    </message>
    <message>
        <source>Save path:</source>
        <translation>Speicherort:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Naming method:</source>
        <translation>Benennung:</translation>
    </message>
    <message>
        <source>Capture delay (ms):</source>
        <translation>Aufnahmeverzögerung (ms):</translation>
    </message>
    <message>
        <source>File prefix:</source>
        <translation>Dateipräfix:</translation>
    </message>
    <message>
        <source>Start number:</source>
        <translation>Startnummer:</translation>
    </message>
    <message>
        <source>Voice Training...</source>
        <translation>Sprachtraining...</translation>
    </message>
    <message>
        <source>OCR output type:</source>
        <translation>OCR-Ausgabeformat:</translation>
    </message>
    <message>
        <source>Auto straighten after capture</source>
        <translation>Nach der Aufnahme automatisch begradigen</translation>
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
        <source>Select Save Directory</source>
        <translation>Speicherordner auswählen</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Gemeinsame Datenbank</translation>
    </message>
    <message>
        <source>Host:</source>
        <translation>Rechner:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Portnummer:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Datenbank:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <source>TLS mode:</source>
        <translation>TLS-Modus:</translation>
    </message>
    <message>
        <source>No TLS (disable)</source>
        <translation>Kein TLS (disable)</translation>
    </message>
    <message>
        <source>TLS when the server insists (allow)</source>
        <translation>TLS, wenn der Server darauf besteht (allow)</translation>
    </message>
    <message>
        <source>TLS when the server offers it (prefer)</source>
        <translation>TLS, wenn der Server es anbietet (prefer)</translation>
    </message>
    <message>
        <source>TLS always (require)</source>
        <translation>Immer TLS (require)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate (verify-ca)</source>
        <translation>TLS mit geprüftem Zertifikat (verify-ca)</translation>
    </message>
    <message>
        <source>TLS with a checked certificate and host name (verify-full)</source>
        <translation>TLS mit geprüftem Zertifikat und Rechnernamen (verify-full)</translation>
    </message>
    <message>
        <source>Counter name:</source>
        <translation>Name des Schalters:</translation>
    </message>
    <message>
        <source>This computer&apos;s name: %1</source>
        <translation>Name dieses Computers: %1</translation>
    </message>
    <message>
        <source>Leave the host empty to keep records on this computer only. The password is read from ~/.pgpass. Takes effect when ticket mode is next opened.</source>
        <translation>Lassen Sie den Host leer, um Datensätze nur auf diesem Computer zu halten. Das Passwort wird aus ~/.pgpass gelesen. Wirkt beim nächsten Öffnen des Belegmodus.</translation>
    </message>
</context>
<context>
    <name>SharedTicketStore</name>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed.</source>
        <translation>Der PostgreSQL-Treiber von Qt (QPSQL) ist nicht installiert.</translation>
    </message>
    <message>
        <source>The shared record store %1 refused user &quot;%2&quot;: %3 (the password is read from ~/.pgpass or the file PGPASSFILE names).</source>
        <translation>Der gemeinsame Datensatzspeicher %1 hat den Benutzer „%2“ abgewiesen: %3 (das Passwort wird aus ~/.pgpass oder der in PGPASSFILE genannten Datei gelesen).</translation>
    </message>
    <message>
        <source>The shared record store %1 cannot be reached: %2</source>
        <translation>Der gemeinsame Datensatzspeicher %1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; may not create the tables of the record store in database &quot;%2&quot; (missing: the CREATE right on schema public). Ask the administrator to grant it, or to create the tables once with an account that may.</source>
        <translation>Der Datenbankbenutzer „%1“ darf die Tabellen des Datensatzspeichers in der Datenbank „%2“ nicht anlegen (es fehlt das Recht CREATE auf das Schema public). Bitten Sie den Administrator, es zu erteilen oder die Tabellen einmal mit einem berechtigten Konto anzulegen.</translation>
    </message>
    <message>
        <source>The tables of the shared record store could not be created: %1</source>
        <translation>Die Tabellen des gemeinsamen Datensatzspeichers konnten nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>The shared record store was set up by a newer version of this program (schema %1; this one knows %2).</source>
        <translation>Der gemeinsame Datensatzspeicher wurde von einer neueren Version dieses Programms eingerichtet (Schema %1; diese kennt %2).</translation>
    </message>
    <message>
        <source>The database user &quot;%1&quot; lacks a right on the record store: %2</source>
        <translation>Dem Datenbankbenutzer „%1“ fehlt ein Recht am Datensatzspeicher: %2</translation>
    </message>
    <message>
        <source>The shared record store rejected a request: %1</source>
        <translation>Der gemeinsame Datensatzspeicher hat eine Anfrage abgelehnt: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailDock</name>
    <message>
        <source>Captured Images</source>
        <translation>Aufgenommene Bilder</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>Save as OFD</source>
        <translation>Als OFD speichern</translation>
    </message>
</context>
<context>
    <name>ThumbnailItem</name>
    <message>
        <source>Up</source>
        <translation>Auf</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Ab</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Entf.</translation>
    </message>
    <message>
        <source>Not saved to a file yet</source>
        <translation>Noch nicht in einer Datei gespeichert</translation>
    </message>
</context>
<context>
    <name>TicketEditDialog</name>
    <message>
        <source>编辑识别结果</source>
        <translation>Erkennungsergebnis bearbeiten</translation>
    </message>
    <message>
        <source>原始图片</source>
        <translation>Originalbild</translation>
    </message>
    <message>
        <source>证件类型：%1</source>
        <translation>Dokumenttyp: %1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>原始OCR文本（只读）：</source>
        <translation>OCR-Rohtext (schreibgeschützt):</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TicketNames</name>
    <message>
        <source>身份证</source>
        <translation>Personalausweis</translation>
    </message>
    <message>
        <source>身份证(硬件读取)</source>
        <translation>Personalausweis (Lesegerät)</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>Führerschein</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>Mehrwertsteuerrechnung</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>Fahrzeugschein</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>Dokumenttyp</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Erkennungszeit</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Geschlecht</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>Ethnie</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>Geburtsdatum</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>Anschrift</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>Ausweisnummer</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>Ausstellende Behörde</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>Gültigkeit</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>Ausstellungsdatum</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Staatsangehörigkeit</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>Ersterteilung</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>Fahrzeugklassen</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>Aktennummer</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>Rechnungscode</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>Rechnungsnummer</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>Käufer</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>Steuernummer des Käufers</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>Verkäufer</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>Steuernummer des Verkäufers</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>Betrag (netto)</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Steuersatz</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Steuerbetrag</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>Gesamtbetrag (Ziffern)</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>Gesamtbetrag (in Worten)</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>Waren oder Leistungen</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>Rechnungsdatum</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>Typ/Modell</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Einzelpreis</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>Adresse/Telefon des Käufers</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>Bank/Konto des Käufers</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>Adresse/Telefon des Verkäufers</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>Bank/Konto des Verkäufers</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>Prüfer</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>Zahlungsempfänger</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>Aussteller</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>Gerätenummer</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>Führerscheinnummer</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>Kennzeichen</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>Fahrzeugart</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>Halter</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>Marke/Modell</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>Fahrzeug-Ident.-Nr.</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>Motornummer</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>Zulassungsdatum</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>Sitzplätze</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>Gesamtmasse</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>Leergewicht</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>Nutzlast</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>Abmessungen</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>Prüfvermerke</translation>
    </message>
    <message>
        <source>使用性质</source>
        <translation>Nutzungsart</translation>
    </message>
    <message>
        <source>合计金额</source>
        <translation>Gesamtbetrag</translation>
    </message>
    <message>
        <source>合计税额</source>
        <translation>Steuer gesamt</translation>
    </message>
</context>
<context>
    <name>TicketPanel</name>
    <message>
        <source>票据识别</source>
        <translation>Belegerkennung</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>身份证</source>
        <translation>Personalausweis</translation>
    </message>
    <message>
        <source>驾驶证</source>
        <translation>Führerschein</translation>
    </message>
    <message>
        <source>增值税发票</source>
        <translation>Mehrwertsteuerrechnung</translation>
    </message>
    <message>
        <source>行驶证</source>
        <translation>Fahrzeugschein</translation>
    </message>
    <message>
        <source>开始识别</source>
        <translation>Erkennen</translation>
    </message>
    <message>
        <source>身份证读取</source>
        <translation>Ausweis auslesen</translation>
    </message>
    <message>
        <source>识别结果：</source>
        <translation>Ergebnis:</translation>
    </message>
    <message>
        <source>请将票据放在摄像头下，然后点击“开始识别”。</source>
        <translation>Legen Sie den Beleg unter die Kamera und klicken Sie auf „Erkennen“.</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Abfragen</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>JSON exportieren</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>TicketQueryDialog</name>
    <message>
        <source>查询识别记录</source>
        <translation>Erkennungsdatensätze abfragen</translation>
    </message>
    <message>
        <source>类型：</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>搜索：</source>
        <translation>Suche:</translation>
    </message>
    <message>
        <source>输入关键词搜索（姓名、身份证号、发票号码等）</source>
        <translation>Suchbegriff eingeben (Name, Ausweisnummer, Rechnungsnummer usw.)</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>证件类型</source>
        <translation>Dokumenttyp</translation>
    </message>
    <message>
        <source>关键信息</source>
        <translation>Schlüsselinformation</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Erkennungszeit</translation>
    </message>
    <message>
        <source>更新时间</source>
        <translation>Aktualisiert</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>导出全部</source>
        <translation>Alle exportieren</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>共 0 条记录  |  数据库：%1  |  提示：请先在票据识别面板点击「开始识别」插入记录</source>
        <translation>0 Datensätze  |  Datenbank: %1  |  Hinweis: Zuerst im Belegerkennungsbereich auf „Erkennung starten“ klicken</translation>
    </message>
    <message>
        <source>共 %1 条记录  |  数据库：%2</source>
        <translation>%1 Datensätze  |  Datenbank: %2</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>未找到该记录。</source>
        <translation>Datensatz nicht gefunden.</translation>
    </message>
    <message>
        <source>查看记录 #%1</source>
        <translation>Datensatz #%1 anzeigen</translation>
    </message>
    <message>
        <source>保存记录失败。</source>
        <translation>Datensatz konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>确认删除</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message>
        <source>确定要删除记录 #%1 吗？
此操作不可撤销。</source>
        <translation>Datensatz #%1 wirklich löschen?
Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>删除记录失败。</source>
        <translation>Datensatz konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>导出全部记录</source>
        <translation>Alle Datensätze exportieren</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON-Dateien (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>记录已成功导出！
%1</source>
        <translation>Datensätze erfolgreich exportiert!
%1</translation>
    </message>
    <message>
        <source>导出记录失败。</source>
        <translation>Export der Datensätze fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Counter:</source>
        <translation>Schalter:</translation>
    </message>
    <message>
        <source>All counters</source>
        <translation>Alle Schalter</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Schalter</translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Gemeinsame Datenbank</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>Die gemeinsame Datenbank ist nicht erreichbar, daher können Datensätze jetzt weder geändert noch gelöscht werden. Versuchen Sie es erneut, sobald sie antwortet.

%1</translation>
    </message>
</context>
<context>
    <name>TicketResultView</name>
    <message>
        <source>证件类型</source>
        <translation>Dokumenttyp</translation>
    </message>
    <message>
        <source>识别时间</source>
        <translation>Erkennungszeit</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>性别</source>
        <translation>Geschlecht</translation>
    </message>
    <message>
        <source>民族</source>
        <translation>Ethnie</translation>
    </message>
    <message>
        <source>出生日期</source>
        <translation>Geburtsdatum</translation>
    </message>
    <message>
        <source>住址</source>
        <translation>Anschrift</translation>
    </message>
    <message>
        <source>身份证号码</source>
        <translation>Ausweisnummer</translation>
    </message>
    <message>
        <source>签发机关</source>
        <translation>Ausstellende Behörde</translation>
    </message>
    <message>
        <source>有效期限</source>
        <translation>Gültigkeit</translation>
    </message>
    <message>
        <source>签发日期</source>
        <translation>Ausstellungsdatum</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Staatsangehörigkeit</translation>
    </message>
    <message>
        <source>初次领证日期</source>
        <translation>Ersterteilung</translation>
    </message>
    <message>
        <source>准驾车型</source>
        <translation>Fahrzeugklassen</translation>
    </message>
    <message>
        <source>档案编号</source>
        <translation>Aktennummer</translation>
    </message>
    <message>
        <source>发票代码</source>
        <translation>Rechnungscode</translation>
    </message>
    <message>
        <source>发票号码</source>
        <translation>Rechnungsnummer</translation>
    </message>
    <message>
        <source>购买方名称</source>
        <translation>Käufer</translation>
    </message>
    <message>
        <source>购买方纳税人识别号</source>
        <translation>Steuernummer des Käufers</translation>
    </message>
    <message>
        <source>销售方名称</source>
        <translation>Verkäufer</translation>
    </message>
    <message>
        <source>销售方纳税人识别号</source>
        <translation>Steuernummer des Verkäufers</translation>
    </message>
    <message>
        <source>金额（不含税）</source>
        <translation>Betrag (netto)</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Steuersatz</translation>
    </message>
    <message>
        <source>税额</source>
        <translation>Steuerbetrag</translation>
    </message>
    <message>
        <source>价税合计（小写）</source>
        <translation>Gesamtbetrag (Ziffern)</translation>
    </message>
    <message>
        <source>价税合计（大写）</source>
        <translation>Gesamtbetrag (in Worten)</translation>
    </message>
    <message>
        <source>货物或应税劳务名称</source>
        <translation>Waren oder Leistungen</translation>
    </message>
    <message>
        <source>开票日期</source>
        <translation>Rechnungsdatum</translation>
    </message>
    <message>
        <source>规格型号</source>
        <translation>Typ/Modell</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>数量</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>单价</source>
        <translation>Einzelpreis</translation>
    </message>
    <message>
        <source>购买方地址电话</source>
        <translation>Adresse/Telefon des Käufers</translation>
    </message>
    <message>
        <source>购买方开户行及账号</source>
        <translation>Bank/Konto des Käufers</translation>
    </message>
    <message>
        <source>销售方地址电话</source>
        <translation>Adresse/Telefon des Verkäufers</translation>
    </message>
    <message>
        <source>销售方开户行及账号</source>
        <translation>Bank/Konto des Verkäufers</translation>
    </message>
    <message>
        <source>复核人</source>
        <translation>Prüfer</translation>
    </message>
    <message>
        <source>收款人</source>
        <translation>Zahlungsempfänger</translation>
    </message>
    <message>
        <source>开票人</source>
        <translation>Aussteller</translation>
    </message>
    <message>
        <source>机器编号</source>
        <translation>Gerätenummer</translation>
    </message>
    <message>
        <source>证号</source>
        <translation>Führerscheinnummer</translation>
    </message>
    <message>
        <source>号牌号码</source>
        <translation>Kennzeichen</translation>
    </message>
    <message>
        <source>车辆类型</source>
        <translation>Fahrzeugart</translation>
    </message>
    <message>
        <source>所有人</source>
        <translation>Halter</translation>
    </message>
    <message>
        <source>品牌型号</source>
        <translation>Marke/Modell</translation>
    </message>
    <message>
        <source>车辆识别代号</source>
        <translation>Fahrzeug-Ident.-Nr.</translation>
    </message>
    <message>
        <source>发动机号码</source>
        <translation>Motornummer</translation>
    </message>
    <message>
        <source>注册日期</source>
        <translation>Zulassungsdatum</translation>
    </message>
    <message>
        <source>核定载人数</source>
        <translation>Sitzplätze</translation>
    </message>
    <message>
        <source>总质量</source>
        <translation>Gesamtmasse</translation>
    </message>
    <message>
        <source>整备质量</source>
        <translation>Leergewicht</translation>
    </message>
    <message>
        <source>核定载质量</source>
        <translation>Nutzlast</translation>
    </message>
    <message>
        <source>外廓尺寸</source>
        <translation>Abmessungen</translation>
    </message>
    <message>
        <source>检验记录</source>
        <translation>Prüfvermerke</translation>
    </message>
</context>
<context>
    <name>TicketSession</name>
    <message>
        <source>数据库错误</source>
        <translation>Datenbankfehler</translation>
    </message>
    <message>
        <source>无法创建或打开数据库文件：
%1

请检查磁盘空间和目录权限。</source>
        <translation>Die Datenbankdatei kann nicht angelegt oder geöffnet werden:
%1

Bitte Speicherplatz und Ordnerrechte prüfen.</translation>
    </message>
    <message>
        <source>正在识别...</source>
        <translation>Erkennung läuft...</translation>
    </message>
    <message>
        <source>图片中未检测到文字，请调整位置后重试。</source>
        <translation>Im Bild wurde kein Text gefunden. Bitte Lage anpassen und erneut versuchen.</translation>
    </message>
    <message>
        <source>未检测到文字</source>
        <translation>Kein Text gefunden</translation>
    </message>
    <message>
        <source>识别完成</source>
        <translation>Erkennung abgeschlossen</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>没有可编辑的识别结果。
请先进行识别。</source>
        <translation>Kein Ergebnis zum Bearbeiten.
Bitte zuerst erkennen.</translation>
    </message>
    <message>
        <source>结果已更新</source>
        <translation>Ergebnis aktualisiert</translation>
    </message>
    <message>
        <source>已保存</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>没有可导出的识别结果。
请先进行识别。</source>
        <translation>Kein Ergebnis zum Exportieren.
Bitte zuerst erkennen.</translation>
    </message>
    <message>
        <source>导出JSON</source>
        <translation>JSON exportieren</translation>
    </message>
    <message>
        <source>JSON 文件 (*.json);;所有文件 (*)</source>
        <translation>JSON-Dateien (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>创建文件失败：
%1</source>
        <translation>Die Datei konnte nicht angelegt werden:
%1</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>JSON导出成功！
%1

文件大小：%2 字节</source>
        <translation>JSON exportiert.
%1

Dateigröße: %2 Byte</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>Export erfolgreich</translation>
    </message>
    <message>
        <source>JSON已复制到剪贴板</source>
        <translation>JSON in die Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>已复制</source>
        <translation>Kopiert</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) waiting for the shared database</source>
        <translation>
            <numerusform>%n Datensatz wartet auf die gemeinsame Datenbank</numerusform>
            <numerusform>%n Datensätze warten auf die gemeinsame Datenbank</numerusform>
        </translation>
    </message>
    <message>
        <source>Shared database</source>
        <translation>Gemeinsame Datenbank</translation>
    </message>
    <message>
        <source>LUMADOC_TICKET_DB cannot be used: %1
Records are kept in the local database.</source>
        <translation>LUMADOC_TICKET_DB kann nicht verwendet werden: %1
Die Datensätze werden in der lokalen Datenbank gespeichert.</translation>
    </message>
    <message>
        <source>The shared database cannot be reached, so records cannot be changed or deleted now. Try again when it answers.

%1</source>
        <translation>Die gemeinsame Datenbank ist nicht erreichbar, daher können Datensätze jetzt weder geändert noch gelöscht werden. Versuchen Sie es erneut, sobald sie antwortet.

%1</translation>
    </message>
    <message>
        <source>The shared database cannot be reached: the record waits to be sent.</source>
        <translation>Die gemeinsame Datenbank ist nicht erreichbar: der Datensatz wartet auf das Senden.</translation>
    </message>
    <message>
        <source>This record has not reached the shared database yet; it can be edited once it has been sent.</source>
        <translation>Dieser Datensatz ist noch nicht in der gemeinsamen Datenbank angekommen; er kann bearbeitet werden, sobald er gesendet wurde.</translation>
    </message>
</context>
<context>
    <name>TicketStoreConfig</name>
    <message>
        <source>The record store address must start with postgresql://</source>
        <translation>Die Adresse des Datensatzspeichers muss mit postgresql:// beginnen</translation>
    </message>
    <message>
        <source>The record store address must not contain a password; keep it in ~/.pgpass</source>
        <translation>Die Adresse des Datensatzspeichers darf kein Passwort enthalten; legen Sie es in ~/.pgpass ab</translation>
    </message>
    <message>
        <source>The record store address has an unclosed [ in its host</source>
        <translation>Im Host der Adresse des Datensatzspeichers fehlt das schließende ]</translation>
    </message>
    <message>
        <source>The record store address has text after its host</source>
        <translation>Die Adresse des Datensatzspeichers enthält Text nach dem Host</translation>
    </message>
    <message>
        <source>The record store address has an unknown option: %1</source>
        <translation>Die Adresse des Datensatzspeichers enthält eine unbekannte Option: %1</translation>
    </message>
    <message>
        <source>The record store address has an invalid port: %1</source>
        <translation>Die Adresse des Datensatzspeichers hat einen ungültigen Port: %1</translation>
    </message>
    <message>
        <source>The record store address has an unknown TLS mode: %1</source>
        <translation>Die Adresse des Datensatzspeichers hat einen unbekannten TLS-Modus: %1</translation>
    </message>
    <message>
        <source>The record store address names no database</source>
        <translation>Die Adresse des Datensatzspeichers nennt keine Datenbank</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Window Switch</source>
        <translation>Fenster umschalten</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Voice Command</source>
        <translation>Sprachbefehle</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>VideoWidget</name>
    <message>
        <source>Opening...</source>
        <translation>Wird geöffnet...</translation>
    </message>
    <message>
        <source>No Video</source>
        <translation>Kein Video</translation>
    </message>
    <message>
        <source>Queue size: %1</source>
        <translation>Warteschlangengröße: %1</translation>
    </message>
    <message>
        <source>ID Photo</source>
        <translation>Passfoto</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Fit to View</source>
        <translation>An Fenster anpassen</translation>
    </message>
    <message>
        <source>Reset Zoom</source>
        <translation>Zoom zurücksetzen</translation>
    </message>
    <message>
        <source>Clear Annotations</source>
        <translation>Anmerkungen löschen</translation>
    </message>
</context>
<context>
    <name>VoiceSession</name>
    <message>
        <source>Voice: </source>
        <translation>Sprache: </translation>
    </message>
    <message>
        <source>Voice initializing...</source>
        <translation>Sprache wird initialisiert...</translation>
    </message>
    <message>
        <source>No voice model. Put a Vosk Mandarin model (the folder holding am/final.mdl and conf/model.conf) at %1</source>
        <translation>Kein Sprachmodell. Legen Sie ein Vosk-Mandarin-Modell (den Ordner mit am/final.mdl und conf/model.conf) nach %1</translation>
    </message>
    <message>
        <source>Voice Command (click to start)</source>
        <translation>Sprachbefehl (zum Starten klicken)</translation>
    </message>
    <message>
        <source>Voice command ready</source>
        <translation>Sprachbefehle bereit</translation>
    </message>
    <message>
        <source>Voice commands need the Vosk library (libvosk.so), which was not found.</source>
        <translation>Sprachbefehle benötigen die Vosk-Bibliothek (libvosk.so), die nicht gefunden wurde.</translation>
    </message>
    <message>
        <source>Voice init failed</source>
        <translation>Sprachinitialisierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Voice command init failed</source>
        <translation>Initialisierung der Sprachbefehle fehlgeschlagen</translation>
    </message>
    <message>
        <source>Voice Command (listening...)</source>
        <translation>Sprachbefehl (hört zu...)</translation>
    </message>
    <message>
        <source>Voice command not initialized</source>
        <translation>Sprachbefehle nicht initialisiert</translation>
    </message>
    <message>
        <source>Voice command listening...</source>
        <translation>Sprachbefehl hört zu...</translation>
    </message>
    <message>
        <source>Voice command stopped</source>
        <translation>Sprachbefehle beendet</translation>
    </message>
    <message>
        <source>Voice:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Voice: Camera not open</source>
        <translation>Sprache: Kamera nicht geöffnet</translation>
    </message>
</context>
<context>
    <name>VoiceTrainDialog</name>
    <message>
        <source>Voice Training</source>
        <translation>Sprachtraining</translation>
    </message>
    <message>
        <source>Train voice commands by speaking. The recognized text will be added as a trigger word.</source>
        <translation>Trainieren Sie Sprachbefehle durch Sprechen. Der erkannte Text wird als Auslösewort hinzugefügt.</translation>
    </message>
    <message>
        <source>Select Command:</source>
        <translation>Befehl wählen:</translation>
    </message>
    <message>
        <source>Recognized: -</source>
        <translation>Erkannt: -</translation>
    </message>
    <message>
        <source>Add to Keywords</source>
        <translation>Zu Schlüsselwörtern hinzufügen</translation>
    </message>
    <message>
        <source>Default Keywords:</source>
        <translation>Standard-Schlüsselwörter:</translation>
    </message>
    <message>
        <source>Custom Keywords (Your Training):</source>
        <translation>Eigene Schlüsselwörter (Ihr Training):</translation>
    </message>
    <message>
        <source>Reset All</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>Remove Selected</source>
        <translation>Auswahl entfernen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Aufnahme starten</translation>
    </message>
    <message>
        <source>Listening... Please speak now</source>
        <translation>Höre zu... Bitte jetzt sprechen</translation>
    </message>
    <message>
        <source>Recognized: %1</source>
        <translation>Erkannt: %1</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset all custom words to default?</source>
        <translation>Alle eigenen Wörter auf die Vorgabe zurücksetzen?</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Could not save the custom words to %1.</source>
        <translation>Die eigenen Wörter konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Custom words saved successfully!
Please restart voice recognition to apply changes.</source>
        <translation>Eigene Wörter erfolgreich gespeichert!
Bitte starten Sie die Spracherkennung neu, um die Änderungen zu übernehmen.</translation>
    </message>
</context>
<context>
    <name>WatermarkDialog</name>
    <message>
        <source>Top Left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top Center</source>
        <translation>Oben mittig</translation>
    </message>
    <message>
        <source>Top Right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Middle Left</source>
        <translation>Mitte links</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Middle Right</source>
        <translation>Mitte rechts</translation>
    </message>
    <message>
        <source>Bottom Left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom Center</source>
        <translation>Unten mittig</translation>
    </message>
    <message>
        <source>Bottom Right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Watermark Settings</source>
        <translation>Wasserzeicheneinstellungen</translation>
    </message>
    <message>
        <source>Text Watermark</source>
        <translation>Textwasserzeichen</translation>
    </message>
    <message>
        <source>Enable Text Watermark</source>
        <translation>Textwasserzeichen aktivieren</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Beschriftung:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Schriftgröße:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schriftart:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Farbe auswählen</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>Deckkraft:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Platzierung:</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Drehung:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Modus:</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einzeln</translation>
    </message>
    <message>
        <source>Tiled</source>
        <translation>Gekachelt</translation>
    </message>
    <message>
        <source>Image Watermark</source>
        <translation>Bildwasserzeichen</translation>
    </message>
    <message>
        <source>Enable Image Watermark</source>
        <translation>Bildwasserzeichen aktivieren</translation>
    </message>
    <message>
        <source>Image:</source>
        <translation>Bild:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Select Text Color</source>
        <translation>Textfarbe auswählen</translation>
    </message>
    <message>
        <source>Select Watermark Image</source>
        <translation>Wasserzeichenbild auswählen</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>Bilddateien (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>WindowSwitchPanel</name>
    <message>
        <source>普通拍照</source>
        <translation>Standardaufnahme</translation>
    </message>
    <message>
        <source>标准拍照模式，用于日常使用</source>
        <translation>Standardmodus für den Alltag</translation>
    </message>
    <message>
        <source>视频展台</source>
        <translation>Präsentation</translation>
    </message>
    <message>
        <source>隐藏标题栏、缩略图和摄像头控制窗口</source>
        <translation>Blendet Titelleiste, Vorschaubilder und Kamerasteuerung aus</translation>
    </message>
    <message>
        <source>书籍拍摄</source>
        <translation>Buchaufnahme</translation>
    </message>
    <message>
        <source>专为书籍拍摄设计，支持展平去底色</source>
        <translation>Für Bücher: Glätten und Hintergrund entfernen</translation>
    </message>
    <message>
        <source>AI协同</source>
        <translation>KI-Zusammenarbeit</translation>
    </message>
    <message>
        <source>分屏显示，左侧实时视频，右侧AI问答</source>
        <translation>Geteilte Ansicht: links Livebild, rechts KI-Chat</translation>
    </message>
    <message>
        <source>票据识别</source>
        <translation>Belegerkennung</translation>
    </message>
    <message>
        <source>身份证、发票等票据OCR识别，导出结果</source>
        <translation>Ausweise, Rechnungen und andere Belege per OCR erkennen und exportieren</translation>
    </message>
    <message>
        <source>选择功能模式</source>
        <translation>Modus wählen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>WordExport</name>
    <message>
        <source>the Word export script is missing from the program</source>
        <translation>dem Programm fehlt das Word-Exportskript</translation>
    </message>
    <message>
        <source>Python 3 was not found at %1 (Debian package python3)</source>
        <translation>Python 3 wurde unter %1 nicht gefunden (Debian-Paket python3)</translation>
    </message>
    <message>
        <source>the Word export script could not be started: %1</source>
        <translation>das Word-Exportskript konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>LibreOffice did not finish within %1 s and was stopped</source>
        <translation>LibreOffice wurde nicht innerhalb von %1 s fertig und wurde beendet</translation>
    </message>
    <message>
        <source>python3-uno, LibreOffice&apos;s Python bridge, is not installed (Debian package python3-uno)</source>
        <translation>python3-uno, die Python-Brücke von LibreOffice, ist nicht installiert (Debian-Paket python3-uno)</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (Debian package libreoffice-writer-nogui)</source>
        <translation>LibreOffice ist nicht installiert (Debian-Paket libreoffice-writer-nogui)</translation>
    </message>
    <message>
        <source>LibreOffice could not be started: %1</source>
        <translation>LibreOffice konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>the recognised text could not be handed to LibreOffice</source>
        <translation>der erkannte Text konnte nicht an LibreOffice übergeben werden</translation>
    </message>
    <message>
        <source>the Word export script was called wrongly</source>
        <translation>das Word-Exportskript wurde falsch aufgerufen</translation>
    </message>
    <message>
        <source>LibreOffice reported the document saved, but no file appeared</source>
        <translation>LibreOffice meldete das Dokument als gespeichert, aber es entstand keine Datei</translation>
    </message>
    <message>
        <source>the Word export script ended without writing the document</source>
        <translation>das Word-Exportskript endete, ohne das Dokument zu schreiben</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document (exit code %1)</source>
        <translation>LibreOffice konnte das Dokument nicht schreiben (Exitcode %1)</translation>
    </message>
    <message>
        <source>LibreOffice could not write the document: %1</source>
        <translation>LibreOffice konnte das Dokument nicht schreiben: %1</translation>
    </message>
    <message>
        <source>the document could not be moved to %1</source>
        <translation>das Dokument konnte nicht nach %1 verschoben werden</translation>
    </message>
</context>
<context>
    <name>WrongProblemSettingsWidget</name>
    <message>
        <source>Auto Document Detection</source>
        <translation>Automatische Dokumenterkennung</translation>
    </message>
    <message>
        <source>Crop Document</source>
        <translation>Dokument zuschneiden</translation>
    </message>
    <message>
        <source>OCR Text</source>
        <translation>Text erkennen (OCR)</translation>
    </message>
</context>
<context>
    <name>frame</name>
    <message>
        <source>Previewing | Device: %1 | Resolution: %2x%3</source>
        <translation>Vorschau | Gerät: %1 | Auflösung: %2x%3</translation>
    </message>
    <message>
        <source>Zoom: %1% | FPS: %2</source>
        <translation>Vergrößerung: %1% | FPS: %2</translation>
    </message>
    <message>
        <source>Camera Ready</source>
        <translation>Kamera bereit</translation>
    </message>
    <message>
        <source>No Camera</source>
        <translation>Keine Kamera</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Vergrößerung: %1%</translation>
    </message>
</context>
</TS>
