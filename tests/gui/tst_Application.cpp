#include "BuildInfo.h"
#include "ColorWell.h"
#include "TestProgram.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>

using namespace Qt::StringLiterals;

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void dialogs_data();
    void dialogs();
    void changesShowAndOutliveARestart_data();
    void changesShowAndOutliveARestart();
    void realProgram_data();
    void realProgram();
};

// Runs with two offscreen screens side by side (two-screens.json): a laptop of 1440x900 at the origin and
// a projector of 1920x1080 at x = 1440.
void TestApplication::dialogs_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QPoint>("panelAt");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("About on the projector, Escape")
        << "aboutAction" << QPoint(2000, 100) << int(Qt::Key_Escape) << true;
    QTest::newRow("About on the laptop, Enter") << "aboutAction" << QPoint(100, 600) << int(Qt::Key_Return) << true;
    QTest::newRow("Settings on the projector, Escape")
        << "settingsAction" << QPoint(2000, 100) << int(Qt::Key_Escape) << true;
    QTest::newRow("Settings on the laptop, Enter resets nothing")
        << "settingsAction" << QPoint(100, 600) << int(Qt::Key_Return) << false;
    QTest::newRow("Settings, Tab moves on") << "settingsAction" << QPoint(2000, 700) << int(Qt::Key_Tab) << false;
}

// Each dialog opens in the middle of the panel's screen and answers the keys a user expects.
void TestApplication::dialogs()
{
    QFETCH(QString, entry);
    QFETCH(QPoint, panelAt);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QCOMPARE(QGuiApplication::screens().size(), 2);
    TestProgram program;
    program.panel().move(panelAt);
    program.start();
    program.panel().findChild<QAction*>(entry)->trigger();
    QDialog* dialog = program.app->settingsDialog() ? static_cast<QDialog*>(program.app->settingsDialog())
                                                    : program.app->aboutDialog();
    const QScreen* screen = QGuiApplication::screenAt(panelAt);
    // Within the window frame's few pixels of the screen's middle.
    QTRY_VERIFY((dialog->geometry().center() - screen->geometry().center()).manhattanLength() <= 6);

    QVERIFY(QTest::qWaitForWindowActive(dialog));
    int changes = 0;
    connect(&program.app->settings(), &Settings::changed, this, [&] { ++changes; });
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : dialog, Qt::Key(key));
    QCOMPARE(dialog->isVisible(), !closes);
    QCOMPARE(changes, 0);
    if (key == Qt::Key_Tab)
        QVERIFY(QApplication::focusWidget() != focused && dialog->isAncestorOf(QApplication::focusWidget()));
}

// Steps as a user takes them in the Settings window or the panel's menu: "name=text" types the text into
// the control of that name (a space ticks a box or presses a button, \r is Enter), picks the colour in a
// colour well, or triggers a menu entry. Each starts on a file whose background colour cannot be read.
void TestApplication::changesShowAndOutliveARestart_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QColor>("background");
    const QColor white(Qt::white);
    QTest::newRow("a duration typed") << QStringList{u"durationEdit=1h30m\r"_s} << "0:01:30:00" << white;
    QTest::newRow("a duration typed, the window closed") << QStringList{u"durationEdit=25m"_s} << "0:00:25:00" << white;
    // 10:30 in Berlin is now, so the next 10:30 is tomorrow's.
    QTest::newRow("a time of day") << QStringList{u"timeOfDayRadioButton= "_s} << "1:00:00:00" << white;
    QTest::newRow("paused from the menu, then compact")
        << QStringList{u"durationEdit=20m\r"_s, u"pauseAction="_s, u"compactCheckbox= "_s} << "20:00" << white;
    QTest::newRow("a colour") << QStringList{u"bgColorWell=#204080"_s} << "60:00:00:00" << QColor(0x20, 0x40, 0x80);
    QTest::newRow("Reset") << QStringList{u"durationEdit=20m\r"_s, u"bgColorWell=red"_s, u"resetButton= "_s}
                           << "60:00:00:00" << white;
}

void TestApplication::changesShowAndOutliveARestart()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, digits);
    QFETCH(QColor, background);
    const QByteArray unreadable = "ZKVBgColor=@ByteArray(\\a not a colour)";
    TestProgram first("[General]\n" + unreadable + "\n");
    first.start();
    first.panel().setGeometry(1700, 200, 420, 160);
    first.app->openSettings();
    SettingsDialog* dialog = first.app->settingsDialog();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    for (const QString& step : steps) {
        const QString name = step.section(u'=', 0, 0);
        const QString text = step.mid(name.size() + 1);
        if (auto* action = first.panel().findChild<QAction*>(name)) {
            action->trigger();
        } else if (auto* well = dialog->findChild<ColorWell*>(name)) {
            well->click();
            well->dialog()->setCurrentColor(QColor(text));
            well->dialog()->accept();
        } else {
            QWidget* widget = dialog->findChild<QWidget*>(name);
            widget->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                edit->selectAll();
            QTest::keyClicks(widget, text);
        }
    }
    dialog->close(); // and what was typed without Enter counts
    // Enter in a field takes what was typed and presses no button.
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible() || !qobject_cast<const QColorDialog*>(window), "a colour dialog opened");
    QCOMPARE(first.panel().digits(), digits);
    QCOMPARE(first.panel().backgroundColor(), background);

    const bool paused = first.panel().isPaused();
    first.app.reset(); // quit, which also keeps the place the panel was just moved to
    QFile saved(first.settingsFile());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    // Bytes that cannot be read are kept, even by Reset, until the user picks a colour in their place.
    QCOMPARE(bytes.split('\n').contains(unreadable), background == QColor(Qt::white));
    TestProgram second(bytes);
    second.start();
    QCOMPARE(second.panel().digits(), digits);
    QCOMPARE(second.panel().backgroundColor(), background);
    QCOMPARE(second.panel().isPaused(), paused);
    QCOMPARE(second.panel().geometry(), QRect(1700, 200, 420, 160));
}

// The real program, on a settings file of its own (empty unless the row gives one) and with no display
// unless the row gives one.
void TestApplication::realProgram_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=VALUE
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("said"); // how each line on stderr begins, after the program's name

    const QStringList probe{u"QT_QPA_PLATFORM=offscreen"_s, u"PC_STARTUP_PROBE=1"_s};
    QTest::newRow("no display") << QStringList() << QStringList() << QByteArray() << 1
                                << QStringList{u"no display could be opened (DISPLAY is not set)"_s};
    QTest::newRow("--version needs none")
        << QStringList() << QStringList{u"--version"_s} << QByteArray() << 0 << QStringList();
    // A Wayland session is left for XWayland when there is one, and the user is told what native Wayland costs.
    const QStringList wayland{u"WAYLAND_DISPLAY=pc-no-such-socket"_s, u"XDG_SESSION_TYPE=wayland"_s};
    QTest::newRow("Wayland with XWayland") << wayland + QStringList{u"DISPLAY=:987"_s} << QStringList() << QByteArray()
                                           << 1 << QStringList{u"no display could be opened (DISPLAY=:987)"_s};
    QTest::newRow("Wayland without XWayland")
        << wayland << QStringList() << QByteArray() << 1
        << QStringList{u"XWayland is not running, so the panel runs on "_s, u"no display"_s};
    QTest::newRow("native Wayland asked for")
        << wayland + QStringList{u"DISPLAY=:987"_s} << QStringList{u"-platform"_s, u"wayland"_s} << QByteArray() << 1
        << QStringList{u"on native Wayland the panel cannot stay above other windows or keep off the keyboard; "_s,
                       u"no display could be opened (WAYLAND_DISPLAY=pc-no-such-socket)"_s};
    QTest::newRow("an unreadable duration leaves the file alone")
        << QStringList() << QStringList{u"--duration"_s, u"0"_s} << QByteArray("[General]\nDropShadow=false\n") << 2
        << QStringList{u"--duration: cannot read \"0\"; expected a duration such as 20:00"_s};
    QTest::newRow("options that contradict each other")
        << QStringList() << QStringList{u"--duration"_s, u"5m"_s, u"--until"_s, u"14:30"_s} << QByteArray() << 2
        << QStringList{u"--duration and --until cannot be used together"_s};
    QTest::newRow("damaged settings")
        << probe << QStringList()
        << "[General]\nOvertime=maybe\nZKVTextColor=" + QByteArray(10 << 20, 'x') + "\nPanelPlace=1, 2\n"
        << 0
        << QStringList{u"no session bus; this copy runs on its own"_s,
                       u"ignoring setting Overtime, \"maybe\": expected true or false"_s,
                       u"ignoring setting ZKVTextColor, \""_s + QString(40, u'x') + u"...\": expected a colour"_s,
                       u"ignoring setting PanelPlace: expected X Y WIDTH HEIGHT SCREEN"_s};
}

void TestApplication::realProgram()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QStringList, said);
    QTemporaryDir home;
    const QString settings = home.filePath(QStringLiteral(PC_APP_ID "/presenter-countdown.conf"));
    QVERIFY(QDir().mkpath(QFileInfo(settings).path()));
    QFile stored(settings);
    QVERIFY(stored.open(QIODevice::WriteOnly) && stored.write(file) == file.size());
    stored.close();
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        variables.remove(QString::fromLatin1(name));
    // The settings, and where a Wayland client looks for its socket, in the empty temporary folder.
    variables.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    for (const QString& assignment : environment)
        variables.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    QProcess program;
    program.setProcessEnvironment(variables);
    program.start(qEnvironmentVariable("PC_BINARY"), arguments);
    QVERIFY(program.waitForFinished(30000)); // a probe quits after its first paint
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QStringList lines = QString::fromLocal8Bit(program.readAllStandardError()).split(u'\n');
    QCOMPARE(lines.size(), said.size() + 1);
    for (qsizetype i = 0; i < said.size(); ++i)
        QVERIFY2(lines[i].startsWith(u"presenter-countdown: "_s + said[i]), qPrintable(lines[i]));
    if (status == 2)
        QVERIFY(stored.open(QIODevice::ReadOnly) && stored.readAll() == file);
}

QTEST_MAIN(TestApplication)
#include "tst_Application.moc"
