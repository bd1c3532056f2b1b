<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>About Presenter Countdown</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The time left until your talk, on top of your slides.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Close</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Version %1</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>ColorWell</name>
        <message>
            <source>Choose a Colour</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>SettingsDialog</name>
        <message>
            <source>Presenter Countdown Settings</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Count down &amp;to:</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Te&amp;xt colour:</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Text colour</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&amp;Background colour:</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Background colour</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&amp;Drop shadow</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Shown when a compositing window manager runs</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>&amp;Reset</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Go back to the settings in force when this window opened</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>RemainingTime</name>
        <message numerus="yes">
            <source>%n day(s)</source>
            <translation>
                <numerusform>%n day</numerusform>
                <numerusform>%n days</numerusform>
            </translation>
        </message>
        <message>
            <source>%1, %2, %3, %4 left</source>
            <comment>days, hours, minutes, seconds</comment>
            <translation type="unfinished" />
        </message>
        <message numerus="yes">
            <source>%n hour(s)</source>
            <translation>
                <numerusform>%n hour</numerusform>
                <numerusform>%n hours</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n minute(s)</source>
            <translation>
                <numerusform>%n minute</numerusform>
                <numerusform>%n minutes</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%n second(s)</source>
            <translation>
                <numerusform>%n second</numerusform>
                <numerusform>%n seconds</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>CountdownPanel</name>
        <message>
            <source>Presenter Countdown</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Days</source>
            <comment>caption under the days digits</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Hours</source>
            <comment>caption under the hours digits</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Minutes</source>
            <comment>caption under the minutes digits</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Seconds</source>
            <comment>caption under the seconds digits</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Settings…</source>
            <comment>context menu: opens the settings window</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>About Presenter Countdown</source>
            <comment>context menu</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Contact Support…</source>
            <comment>context menu: opens the contact page in the browser</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>User Guide…</source>
            <comment>context menu: opens the user guide in the browser</comment>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Quit</source>
            <comment>context menu</comment>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>main</name>
        <message>
            <source>Shows the time left until your talk on top of your slides.</source>
            <translation type="unfinished" />
        </message>
    </context>
</TS>