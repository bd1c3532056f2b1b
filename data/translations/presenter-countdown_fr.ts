<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>About Presenter Countdown</source>
            <translation>À propos de Presenter Countdown</translation>
        </message>
        <message>
            <source>The time left until your talk, on top of your slides.</source>
            <translation>Le temps restant avant votre exposé, par-dessus vos diapositives.</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
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
            <translation>Choisir une couleur</translation>
        </message>
    </context>
    <context>
        <name>SettingsDialog</name>
        <message>
            <source>Presenter Countdown Settings</source>
            <translation>Réglages de Presenter Countdown</translation>
        </message>
        <message>
            <source>Count down &amp;to:</source>
            <translation>Compte à rebours &amp;jusqu’à :</translation>
        </message>
        <message>
            <source>Te&amp;xt colour:</source>
            <translation>Couleur du te&amp;xte :</translation>
        </message>
        <message>
            <source>Text colour</source>
            <translation>Couleur du texte</translation>
        </message>
        <message>
            <source>&amp;Background colour:</source>
            <translation>Couleur du &amp;fond :</translation>
        </message>
        <message>
            <source>Background colour</source>
            <translation>Couleur du fond</translation>
        </message>
        <message>
            <source>&amp;Drop shadow</source>
            <translation>&amp;Ombre portée</translation>
        </message>
        <message>
            <source>Shown when a compositing window manager runs</source>
            <translation>Visible lorsqu’un gestionnaire de fenêtres composite est actif</translation>
        </message>
        <message>
            <source>&amp;Reset</source>
            <translation>&amp;Rétablir</translation>
        </message>
        <message>
            <source>Go back to the settings in force when this window opened</source>
            <translation>Revenir aux réglages en vigueur à l’ouverture de cette fenêtre</translation>
        </message>
    </context>
    <context>
        <name>RemainingTime</name>
        <message numerus="yes">
            <source>%n day(s)</source>
            <translation>
                <numerusform>%n jour</numerusform>
                <numerusform>%n jours</numerusform>
            </translation>
        </message>
        <message>
            <source>%1, %2, %3, %4 left</source>
            <comment>days, hours, minutes, seconds</comment>
            <translation>il reste %1, %2, %3, %4</translation>
        </message>
        <message numerus="yes">
            <source>%n hour(s)</source>
            <translation>
                <numerusform>%n heure</numerusform>
                <numerusform>%n heures</numerusform>
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
                <numerusform>%n seconde</numerusform>
                <numerusform>%n secondes</numerusform>
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
            <translation>Jours</translation>
        </message>
        <message>
            <source>Hours</source>
            <comment>caption under the hours digits</comment>
            <translation>Heures</translation>
        </message>
        <message>
            <source>Minutes</source>
            <comment>caption under the minutes digits</comment>
            <translation>Minutes</translation>
        </message>
        <message>
            <source>Seconds</source>
            <comment>caption under the seconds digits</comment>
            <translation>Secondes</translation>
        </message>
        <message>
            <source>Settings…</source>
            <comment>context menu: opens the settings window</comment>
            <translation>Réglages…</translation>
        </message>
        <message>
            <source>About Presenter Countdown</source>
            <comment>context menu</comment>
            <translation>À propos de Presenter Countdown</translation>
        </message>
        <message>
            <source>Contact Support…</source>
            <comment>context menu: opens the contact page in the browser</comment>
            <translation>Contacter l’assistance…</translation>
        </message>
        <message>
            <source>User Guide…</source>
            <comment>context menu: opens the user guide in the browser</comment>
            <translation>Guide de l’utilisateur…</translation>
        </message>
        <message>
            <source>Quit</source>
            <comment>context menu</comment>
            <translation>Quitter</translation>
        </message>
    </context>
    <context>
        <name>main</name>
        <message>
            <source>Shows the time left until your talk on top of your slides.</source>
            <translation>Affiche le temps restant avant votre exposé par-dessus vos diapositives.</translation>
        </message>
    </context>
</TS>