<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Presenter Countdown</source>
        <translation>Über Presenter Countdown</translation>
    </message>
    <message>
        <source>The time left until your talk, on top of your slides.</source>
        <translation>Die Zeit bis zu Ihrem Vortrag, über Ihren Folien.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>ColorWell</name>
    <message>
        <source>Choose a Colour</source>
        <translation>Farbe wählen</translation>
    </message>
</context>
<context>
    <name>ControlService</name>
    <message>
        <source>Pause the running countdown.</source>
        <translation>Den laufenden Countdown anhalten.</translation>
    </message>
    <message>
        <source>Resume the paused countdown.</source>
        <translation>Den angehaltenen Countdown fortsetzen.</translation>
    </message>
    <message>
        <source>Start the running duration again.</source>
        <translation>Die laufende Dauer neu starten.</translation>
    </message>
    <message>
        <source>Close the running panel.</source>
        <translation>Die laufende Anzeige schließen.</translation>
    </message>
    <message>
        <source>Pause the running countdown, or resume it.</source>
        <translation>Den laufenden Countdown anhalten oder fortsetzen.</translation>
    </message>
</context>
<context>
    <name>CountdownPanel</name>
    <message>
        <source>Presenter Countdown</source>
        <translation>Presenter Countdown</translation>
    </message>
    <message>
        <source>Days</source>
        <comment>caption under the days digits</comment>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Hours</source>
        <comment>caption under the hours digits</comment>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Minutes</source>
        <comment>caption under the minutes digits</comment>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Seconds</source>
        <comment>caption under the seconds digits</comment>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Settings…</source>
        <comment>context menu: opens the settings window</comment>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>About Presenter Countdown</source>
        <comment>context menu</comment>
        <translation>Über Presenter Countdown</translation>
    </message>
    <message>
        <source>Contact Support…</source>
        <comment>context menu: opens the contact page in the browser</comment>
        <translation>Support kontaktieren…</translation>
    </message>
    <message>
        <source>User Guide…</source>
        <comment>context menu: opens the user guide in the browser</comment>
        <translation>Benutzerhandbuch…</translation>
    </message>
    <message>
        <source>Quit</source>
        <comment>context menu</comment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Start Again</source>
        <comment>context menu: counts the same duration again from now</comment>
        <translation>Erneut starten</translation>
    </message>
    <message>
        <source>Pause</source>
        <comment>context menu</comment>
        <translation>Pausieren</translation>
    </message>
    <message>
        <source>Resume</source>
        <comment>context menu: counts on after a pause</comment>
        <translation>Fortsetzen</translation>
    </message>
</context>
<context>
    <name>RemainingTime</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2, %3, %4 left</source>
        <comment>days, hours, minutes, seconds</comment>
        <translation>%1, %2, %3, %4 verbleibend</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s)</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n Sekunde</numerusform>
            <numerusform>%n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2, %3, %4 over time</source>
        <comment>days, hours, minutes, seconds past the end of the talk</comment>
        <translation>%1, %2, %3, %4 überzogen</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Presenter Countdown Settings</source>
        <translation>Presenter Countdown – Einstellungen</translation>
    </message>
    <message>
        <source>Te&amp;xt colour:</source>
        <translation>Te&amp;xtfarbe:</translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>&amp;Background colour:</source>
        <translation>&amp;Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>&amp;Drop shadow</source>
        <translation>&amp;Schlagschatten</translation>
    </message>
    <message>
        <source>Shown when a compositing window manager runs</source>
        <translation>Sichtbar, wenn ein Compositing-Fenstermanager läuft</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Go back to the settings in force when this window opened</source>
        <translation>Zurück zu den Einstellungen beim Öffnen dieses Fensters</translation>
    </message>
    <message>
        <source>Count down</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>Until a date and &amp;time:</source>
        <translation>Bis zu &amp;Datum und Uhrzeit:</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>For a d&amp;uration:</source>
        <translation>Für eine Dau&amp;er:</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>A duration such as 20:00, 1:30:00, 20m, 1h30m or 90s</source>
        <translation>Eine Dauer wie 20:00, 1:30:00, 20m, 1h30m oder 90s</translation>
    </message>
    <message>
        <source>Until a time of da&amp;y:</source>
        <translation>Bis zur &amp;Uhrzeit:</translation>
    </message>
    <message>
        <source>Time of day</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>The next time the clock shows this, today or tomorrow</source>
        <translation>Das nächste Mal, wenn die Uhr dies zeigt, heute oder morgen</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Aussehen</translation>
    </message>
    <message>
        <source>&amp;Compact: hide leading groups that are zero</source>
        <translation>&amp;Kompakt: führende Gruppen ausblenden, die null sind</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Warnungen</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Restzeit</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>&amp;Warning</source>
        <translation>&amp;Warnung</translation>
    </message>
    <message>
        <source>Warning time left</source>
        <translation>Restzeit für die Warnung</translation>
    </message>
    <message>
        <source>Warning text colour</source>
        <translation>Textfarbe der Warnung</translation>
    </message>
    <message>
        <source>Warning background colour</source>
        <translation>Hintergrundfarbe der Warnung</translation>
    </message>
    <message>
        <source>&amp;Final warning</source>
        <translation>&amp;Letzte Warnung</translation>
    </message>
    <message>
        <source>Final warning time left</source>
        <translation>Restzeit für die letzte Warnung</translation>
    </message>
    <message>
        <source>Final warning text colour</source>
        <translation>Textfarbe der letzten Warnung</translation>
    </message>
    <message>
        <source>Final warning background colour</source>
        <translation>Hintergrundfarbe der letzten Warnung</translation>
    </message>
    <message>
        <source>&amp;Overtime</source>
        <translation>Zeitüberschrei&amp;tung</translation>
    </message>
    <message>
        <source>After zero, count the time over with a leading minus</source>
        <translation>Nach null die überzogene Zeit mit einem Minus davor weiterzählen</translation>
    </message>
    <message>
        <source>Overtime text colour</source>
        <translation>Textfarbe bei Zeitüberschreitung</translation>
    </message>
    <message>
        <source>Overtime background colour</source>
        <translation>Hintergrundfarbe bei Zeitüberschreitung</translation>
    </message>
</context>
<context>
    <name>TimingOptions</name>
    <message>
        <source>DUR</source>
        <comment>value of --duration and --warn-at</comment>
        <translation>DAUER</translation>
    </message>
    <message>
        <source>Count down DUR from now: 20:00, 1:30:00, 20m, 1h30m or 90s.</source>
        <translation>Ab jetzt DAUER herunterzählen: 20:00, 1:30:00, 20m, 1h30m oder 90s.</translation>
    </message>
    <message>
        <source>Count down to TIME: a time of day (14:30, today or tomorrow) or an ISO 8601 date and time (2026-12-06T14:30).</source>
        <translation>Bis ZEIT herunterzählen: eine Uhrzeit (14:30, heute oder morgen) oder Datum und Uhrzeit nach ISO 8601 (2026-12-06T14:30).</translation>
    </message>
    <message>
        <source>TIME</source>
        <comment>value of --until</comment>
        <translation>ZEIT</translation>
    </message>
    <message>
        <source>Show the warning colours from DUR left.</source>
        <translation>Die Warnfarben ab DAUER Restzeit zeigen.</translation>
    </message>
    <message>
        <source>After zero, count the time over with a leading minus.</source>
        <translation>Nach null die überzogene Zeit mit einem Minus davor weiterzählen.</translation>
    </message>
    <message>
        <source>Stop at zero.</source>
        <translation>Bei null anhalten.</translation>
    </message>
    <message>
        <source>Hide leading groups that are zero.</source>
        <translation>Führende Gruppen ausblenden, die null sind.</translation>
    </message>
    <message>
        <source>Always show days, hours, minutes and seconds.</source>
        <translation>Immer Tage, Stunden, Minuten und Sekunden zeigen.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shows the time left until your talk on top of your slides.</source>
        <translation>Zeigt die Zeit bis zu Ihrem Vortrag über Ihren Folien an.</translation>
    </message>
</context>
</TS>
