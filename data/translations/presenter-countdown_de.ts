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
        <name>SettingsDialog</name>
        <message>
            <source>Presenter Countdown Settings</source>
            <translation>Presenter Countdown – Einstellungen</translation>
        </message>
        <message>
            <source>Count down &amp;to:</source>
            <translation>Countdown &amp;bis:</translation>
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
    </context>
    <context>
        <name>main</name>
        <message>
            <source>Shows the time left until your talk on top of your slides.</source>
            <translation>Zeigt die Zeit bis zu Ihrem Vortrag über Ihren Folien an.</translation>
        </message>
    </context>
</TS>