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
    <name>ControlService</name>
    <message>
        <source>Pause the running countdown.</source>
        <translation>Mettre en pause le compte à rebours en cours.</translation>
    </message>
    <message>
        <source>Resume the paused countdown.</source>
        <translation>Reprendre le compte à rebours en pause.</translation>
    </message>
    <message>
        <source>Start the running duration again.</source>
        <translation>Recommencer la durée en cours.</translation>
    </message>
    <message>
        <source>Close the running panel.</source>
        <translation>Fermer le panneau en cours.</translation>
    </message>
    <message>
        <source>Pause the running countdown, or resume it.</source>
        <translation>Mettre en pause le compte à rebours en cours, ou le reprendre.</translation>
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
    <message>
        <source>Start Again</source>
        <comment>context menu: counts the same duration again from now</comment>
        <translation>Recommencer</translation>
    </message>
    <message>
        <source>Pause</source>
        <comment>context menu</comment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <comment>context menu: counts on after a pause</comment>
        <translation>Reprendre</translation>
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
    <message>
        <source>%1, %2, %3, %4 over time</source>
        <comment>days, hours, minutes, seconds past the end of the talk</comment>
        <translation>dépassement de %1, %2, %3, %4</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Presenter Countdown Settings</source>
        <translation>Réglages de Presenter Countdown</translation>
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
    <message>
        <source>Count down</source>
        <translation>Compte à rebours</translation>
    </message>
    <message>
        <source>Until a date and &amp;time:</source>
        <translation>Jusqu’à une &amp;date et heure :</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Date et heure</translation>
    </message>
    <message>
        <source>For a d&amp;uration:</source>
        <translation>Pendant une d&amp;urée :</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>A duration such as 20:00, 1:30:00, 20m, 1h30m or 90s</source>
        <translation>Une durée comme 20:00, 1:30:00, 20m, 1h30m ou 90s</translation>
    </message>
    <message>
        <source>Until a time of da&amp;y:</source>
        <translation>Jusqu’à l’&amp;heure :</translation>
    </message>
    <message>
        <source>Time of day</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>The next time the clock shows this, today or tomorrow</source>
        <translation>La prochaine fois que l’horloge l’affiche, aujourd’hui ou demain</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>&amp;Compact: hide leading groups that are zero</source>
        <translation>&amp;Compact : masquer les groupes nuls en tête</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Avertissements</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Temps restant</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fond</translation>
    </message>
    <message>
        <source>&amp;Warning</source>
        <translation>&amp;Avertissement</translation>
    </message>
    <message>
        <source>Warning time left</source>
        <translation>Temps restant de l’avertissement</translation>
    </message>
    <message>
        <source>Warning text colour</source>
        <translation>Couleur du texte de l’avertissement</translation>
    </message>
    <message>
        <source>Warning background colour</source>
        <translation>Couleur du fond de l’avertissement</translation>
    </message>
    <message>
        <source>&amp;Final warning</source>
        <translation>Dernier a&amp;vertissement</translation>
    </message>
    <message>
        <source>Final warning time left</source>
        <translation>Temps restant du dernier avertissement</translation>
    </message>
    <message>
        <source>Final warning text colour</source>
        <translation>Couleur du texte du dernier avertissement</translation>
    </message>
    <message>
        <source>Final warning background colour</source>
        <translation>Couleur du fond du dernier avertissement</translation>
    </message>
    <message>
        <source>&amp;Overtime</source>
        <translation>Dé&amp;passement</translation>
    </message>
    <message>
        <source>After zero, count the time over with a leading minus</source>
        <translation>Après zéro, compter le dépassement précédé d’un moins</translation>
    </message>
    <message>
        <source>Overtime text colour</source>
        <translation>Couleur du texte en dépassement</translation>
    </message>
    <message>
        <source>Overtime background colour</source>
        <translation>Couleur du fond en dépassement</translation>
    </message>
</context>
<context>
    <name>TimingOptions</name>
    <message>
        <source>DUR</source>
        <comment>value of --duration and --warn-at</comment>
        <translation>DURÉE</translation>
    </message>
    <message>
        <source>Count down DUR from now: 20:00, 1:30:00, 20m, 1h30m or 90s.</source>
        <translation>Décompter DURÉE à partir de maintenant : 20:00, 1:30:00, 20m, 1h30m ou 90s.</translation>
    </message>
    <message>
        <source>Count down to TIME: a time of day (14:30, today or tomorrow) or an ISO 8601 date and time (2026-12-06T14:30).</source>
        <translation>Décompter jusqu’à HEURE : une heure (14:30, aujourd’hui ou demain) ou une date et heure ISO 8601 (2026-12-06T14:30).</translation>
    </message>
    <message>
        <source>TIME</source>
        <comment>value of --until</comment>
        <translation>HEURE</translation>
    </message>
    <message>
        <source>Show the warning colours from DUR left.</source>
        <translation>Afficher les couleurs d’avertissement à partir de DURÉE restante.</translation>
    </message>
    <message>
        <source>After zero, count the time over with a leading minus.</source>
        <translation>Après zéro, compter le dépassement précédé d’un moins.</translation>
    </message>
    <message>
        <source>Stop at zero.</source>
        <translation>S’arrêter à zéro.</translation>
    </message>
    <message>
        <source>Hide leading groups that are zero.</source>
        <translation>Masquer les groupes nuls en tête.</translation>
    </message>
    <message>
        <source>Always show days, hours, minutes and seconds.</source>
        <translation>Toujours afficher jours, heures, minutes et secondes.</translation>
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
