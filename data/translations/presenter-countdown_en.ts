<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Presenter Countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The time left until your talk, on top of your slides.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ColorWell</name>
    <message>
        <source>Choose a Colour</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ControlService</name>
    <message>
        <source>Pause the running countdown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume the paused countdown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start the running duration again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the running panel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause the running countdown, or resume it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CountdownPanel</name>
    <message>
        <source>Presenter Countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days</source>
        <comment>caption under the days digits</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hours</source>
        <comment>caption under the hours digits</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes</source>
        <comment>caption under the minutes digits</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds</source>
        <comment>caption under the seconds digits</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <comment>context menu: opens the settings window</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Presenter Countdown</source>
        <comment>context menu</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact Support…</source>
        <comment>context menu: opens the contact page in the browser</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Guide…</source>
        <comment>context menu: opens the user guide in the browser</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <comment>context menu</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Again</source>
        <comment>context menu: counts the same duration again from now</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <comment>context menu</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume</source>
        <comment>context menu: counts on after a pause</comment>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
    <message>
        <source>%1, %2, %3, %4 over time</source>
        <comment>days, hours, minutes, seconds past the end of the talk</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Presenter Countdown Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Te&amp;xt colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Background colour:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Drop shadow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shown when a compositing window manager runs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go back to the settings in force when this window opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until a date and &amp;time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For a d&amp;uration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A duration such as 20:00, 1:30:00, 20m, 1h30m or 90s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until a time of da&amp;y:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time of day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The next time the clock shows this, today or tomorrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compact: hide leading groups that are zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning time left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning text colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Final warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final warning time left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final warning text colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final warning background colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Overtime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After zero, count the time over with a leading minus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overtime text colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overtime background colour</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimingOptions</name>
    <message>
        <source>DUR</source>
        <comment>value of --duration and --warn-at</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count down DUR from now: 20:00, 1:30:00, 20m, 1h30m or 90s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count down to TIME: a time of day (14:30, today or tomorrow) or an ISO 8601 date and time (2026-12-06T14:30).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIME</source>
        <comment>value of --until</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the warning colours from DUR left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After zero, count the time over with a leading minus.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop at zero.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide leading groups that are zero.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always show days, hours, minutes and seconds.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shows the time left until your talk on top of your slides.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
