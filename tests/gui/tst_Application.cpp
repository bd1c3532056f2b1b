#include "BuildInfo.h"
#include "ColorArchive.h"
#include "TestProgram.h"
#include "TimerControl.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTestEventList>

using Role = PlatformIntegration::FloatingRole;

namespace {

QStringList words(const char* line)
{
    return QString::fromLatin1(line).split(QLatin1Char(' '));
}

QAction* menuEntry(const CountdownPanel& panel, const QString& name)
{
    return panel.findChild<QAction*>(name);
}

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void startsOnAnyFile_data();
    void startsOnAnyFile();
    void digitsAreTheLargestThatFit_data();
    void digitsAreTheLargestThatFit();
    void ticksRefitOnlyWhenTheShapeChanges_data();
    void ticksRefitOnlyWhenTheShapeChanges();
    void stageColoursReachThePanel_data();
    void stageColoursReachThePanel();
    void pauseOutlivesARestart();
    void commandLineChangesTheSettings_data();
    void commandLineChangesTheSettings();
    void aTickRepaintsEnoughOfTheDigits_data();
    void aTickRepaintsEnoughOfTheDigits();
    void resizeHandsTheKeyboardBackOnceSettled();
    void settingsReachThePanelAtOnce();
    void shadowOnlyWithACompositor_data();
    void shadowOnlyWithACompositor();
    void menuOpensWebPagesAndDialogs();
    void dialogsOpenOnThePanelsScreen_data();
    void dialogsOpenOnThePanelsScreen();
    void keysCloseDialogs_data();
    void keysCloseDialogs();
    void placeIsRestored_data();
    void placeIsRestored();
    void placeIsSavedOnceItRests();
};

void TestApplication::startsOnAnyFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QColor>("background");

    const QByteArray red = "ZKVBgColor=@ByteArray(\\x1\\xff\\xff\\xff\\xff\\0\\0\\0\\0\\0\\0)\n";
    QTest::newRow("no file") << QByteArray() << "60:00:00:00" << QColor(Qt::white);
    QTest::newRow("empty file") << QByteArray("") << "60:00:00:00" << QColor(Qt::white);
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    QTest::newRow("random bytes after good lines") << "[General]\n" + red + noise << "60:00:00:00" << QColor(Qt::red);
    QTest::newRow("year 1")
        << "[General]\n" + red +
               "ZKVTargetDateTime=@DateTime(\\0\\0\\0\\x10\\0\\0\\0\\0\\0\\0\\x1a\\x44\\x52\\0\\0\\0\\0\\x1)\n"
        << "0:00:00:00" << QColor(Qt::red);
    QTest::newRow("10 MB under the text colour")
        << "[General]\n" + red + "ZKVTextColor=" + QByteArray(10 << 20, 'x') + "\n"
        << "60:00:00:00" << QColor(Qt::red);
    QTest::newRow("undecodable background")
        << QByteArray("[General]\nZKVBgColor=@ByteArray(\\x7garbage)\n") << "60:00:00:00" << QColor(Qt::white);
}

// The panel and, started on the same file, the real program.
void TestApplication::startsOnAnyFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, digits);
    QFETCH(QColor, background);
    TestProgram program(file.isNull() ? QByteArray() : file);
    program.start();
    QCOMPARE(program.panel().digits(), digits);
    QCOMPARE(program.panel().backgroundColor(), background);
    QCOMPARE(program.panel().textColor(), QColor(Qt::black));
    QVERIFY(program.app->countdown().isRunning() == (digits != QLatin1String("0:00:00:00")));

    QTemporaryDir home;
    const QString copy = home.filePath(QStringLiteral(PC_APP_ID "/presenter-countdown.conf"));
    QVERIFY(QDir().mkpath(QFileInfo(copy).path()));
    QVERIFY(!QFile::exists(program.settingsFile()) || QFile::copy(program.settingsFile(), copy));
    QProcess real;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PC_STARTUP_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    real.setProcessEnvironment(environment);
    real.start(qEnvironmentVariable("PC_BINARY"));
    QVERIFY(real.waitForFinished(30000));
    QCOMPARE(real.exitCode(), 0);
    QVERIFY(real.readAllStandardOutput().startsWith("first-paint-ns"));
}

void TestApplication::digitsAreTheLargestThatFit_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("400x150") << QSize(400, 150);
    QTest::newRow("wide") << QSize(1280, 200);
    QTest::newRow("tall") << QSize(300, 600);
    QTest::newRow("smallest") << QSize(120, 48);
}

void TestApplication::digitsAreTheLargestThatFit()
{
    QFETCH(QSize, size);
    TestProgram program;
    program.start();
    CountdownPanel& panel = program.panel();
    panel.resize(size);
    QTRY_COMPARE(panel.size(), size);

    const auto measured = [&](int pixelSize) {
        QFont font = QGuiApplication::font();
        font.setPixelSize(pixelSize);
        return QFontMetrics(font).size(Qt::TextSingleLine, panel.digits());
    };
    const QSize limit = size - QSize(30, 30);
    QVERIFY(panel.digitSize() < 10 || measured(panel.digitSize()).boundedTo(limit) == measured(panel.digitSize()));
    QVERIFY(measured(panel.digitSize() + 1).boundedTo(limit) != measured(panel.digitSize() + 1));
    QCOMPARE(panel.captionSize(), panel.digitSize() / 4);
    // Centred, with the captions hanging from the digits' bottom edge, the first indented from their left.
    const QRect digits = panel.digitsRect();
    QVERIFY(qAbs(digits.center().x() - size.width() / 2) <= 1);
    QCOMPARE(panel.captionRects()[0].top(), digits.bottom() + 1);
    QVERIFY(panel.captionRects()[0].left() >= digits.left());
}

// The full form refits whenever the text changes length; the compact form only when the groups shown or
// the sign change or the text grows, and a text that got shorter is centred again at the same size.
void TestApplication::ticksRefitOnlyWhenTheShapeChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("secondsLeft");
    QTest::addColumn<QList<qint64>>("ticks"); // seconds the clock moves before each tick
    QTest::addColumn<QStringList>("digits");
    QTest::addColumn<QString>("sizes"); // each tick's digit size against the one before: = > <

    const QByteArray compact = "[General]\nCompact=true\n";
    const QByteArray both = "[General]\nCompact=true\nOvertime=true\n";
    QTest::newRow("days lose a digit") << QByteArray() << qint64(864'002) << QList<qint64>{1, 2}
                                       << words("10:00:00:01 9:23:59:59") << "=>";
    QTest::newRow("compact: hours go") << compact << qint64(3601) << QList<qint64>{1, 1, 1}
                                       << words("1:00:00 59:59 59:58") << "=>=";
    QTest::newRow("compact: ten minutes to nine")
        << compact << qint64(601) << QList<qint64>{1, 1} << words("10:00 9:59") << "==";
    QTest::newRow("compact overtime: the minus, then a longer text")
        << both << qint64(1) << QList<qint64>{1, 1, 599} << words("0:00 -0:01 -10:00") << "=<<";
    QTest::newRow("overtime") << QByteArray("[General]\nOvertime=true\n") << qint64(1) << QList<qint64>{1, 1}
                              << words("0:00:00:00 -0:00:00:01") << "=<";
}

void TestApplication::ticksRefitOnlyWhenTheShapeChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, secondsLeft);
    QFETCH(QList<qint64>, ticks);
    QFETCH(QStringList, digits);
    QFETCH(QString, sizes);
    TestProgram program(file);
    program.app->settings().setTargetDateTime(program.now.addSecs(secondsLeft));
    CountdownPanel& panel = program.panel();
    panel.resize(300, 300); // where the width decides, so that every character counts
    program.start();
    for (qsizetype i = 0; i < ticks.size(); ++i) {
        const int before = panel.digitSize();
        program.now = program.now.addSecs(ticks[i]);
        program.app->countdown().tick();
        QCOMPARE(panel.digits(), digits[i]);
        const QChar size = panel.digitSize() == before  ? QLatin1Char('=')
                           : panel.digitSize() > before ? QLatin1Char('>')
                                                        : QLatin1Char('<');
        QCOMPARE(size, sizes[i]);
        // A caption for each group, left to right under the digits, each centred on the digits it names.
        QCOMPARE(panel.captionRects().size(), digits[i].count(QLatin1Char(':')) + 1);
        QFont font = QGuiApplication::font();
        font.setPixelSize(panel.digitSize());
        const QFontMetrics metrics(font);
        QCOMPARE(panel.digitsRect().width(), metrics.horizontalAdvance(digits[i]));
        QVERIFY(qAbs(panel.digitsRect().center().x() - panel.contentRect().center().x()) <= 1);
        qsizetype start = digits[i].startsWith(QLatin1Char('-')) ? 1 : 0;
        for (const QRect& caption : panel.captionRects()) {
            const qsizetype end = digits[i].indexOf(QLatin1Char(':'), start) < 0
                                      ? digits[i].size()
                                      : digits[i].indexOf(QLatin1Char(':'), start);
            const int left = panel.digitsRect().left() + metrics.horizontalAdvance(digits[i].left(start));
            const int right = panel.digitsRect().left() + metrics.horizontalAdvance(digits[i].left(end));
            QVERIFY2(left <= caption.center().x() && caption.center().x() <= right, qPrintable(digits[i]));
            start = end + 1;
        }
    }
    QCOMPARE(panel.accessibleName().endsWith(QLatin1String("over time")), digits.last().startsWith(QLatin1Char('-')));
}

void TestApplication::stageColoursReachThePanel_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("secondsLeft");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    const QColor yellow(255, 214, 0);
    QTest::newRow("before the warning") << QByteArray("[General]\nWarningOn=true\nWarningAt=300\n") << qint64(301)
                                        << QColor(Qt::black) << QColor(Qt::white);
    QTest::newRow("warning") << QByteArray("[General]\nWarningOn=true\nWarningAt=300\n") << qint64(300)
                             << QColor(Qt::black) << yellow;
    QTest::newRow("final") << QByteArray("[General]\nWarningOn=true\nFinalOn=true\n") << qint64(60) << QColor(Qt::white)
                           << QColor(230, 81, 0);
    QTest::newRow("overtime") << QByteArray("[General]\nOvertime=true\n") << qint64(-5) << QColor(Qt::white)
                              << QColor(198, 40, 40);
    QTest::newRow("at the end without overtime")
        << QByteArray() << qint64(-5) << QColor(Qt::black) << QColor(Qt::white);
    QTest::newRow("damaged warning colour")
        << QByteArray("[General]\nWarningOn=true\nWarningBgColor=pink\n") << qint64(10) << QColor(Qt::black) << yellow;
}

void TestApplication::stageColoursReachThePanel()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, secondsLeft);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    TestProgram program(file);
    program.app->settings().setTargetDateTime(program.now.addSecs(secondsLeft));
    program.start();
    QCOMPARE(program.panel().textColor(), text);
    QCOMPARE(program.panel().backgroundColor(), background);
    // A colour chosen for whatever stage is showing applies at once.
    for (const Settings::Key key : {Settings::Key::BgColor, Settings::Key::WarningBgColor, Settings::Key::FinalBgColor,
                                    Settings::Key::OvertimeBgColor})
        program.app->settings().setColorBlob(key, ColorArchive::archive(QColor(1, 2, 3)));
    QCOMPARE(program.panel().backgroundColor(), QColor(1, 2, 3));
}

// Pause keeps the time left, in the settings file too; Resume and Start Again count on from the menu.
void TestApplication::pauseOutlivesARestart()
{
    QByteArray file;
    {
        TestProgram first;
        first.start();
        const auto visible = [&](const char* entry) {
            return menuEntry(first.panel(), QString::fromLatin1(entry))->isVisible();
        };
        QVERIFY(!visible("startAgainAction") && !visible("pauseAction") && !visible("resumeAction"));
        TimerControl::countFor(first.app->settings(), 20 * 60, first.now);
        QVERIFY(visible("startAgainAction") && visible("pauseAction") && !visible("resumeAction"));
        first.now = first.now.addMSecs(61'500);
        menuEntry(first.panel(), QStringLiteral("pauseAction"))->trigger();
        QVERIFY(!visible("pauseAction") && visible("resumeAction") && first.panel().isPaused());
        QCOMPARE(first.panel().digits(), QStringLiteral("0:00:18:58"));
        QFile saved(first.settingsFile());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        file = saved.readAll();
    }
    TestProgram second(file);
    second.now = second.now.addSecs(3600);
    second.start();
    QCOMPARE(second.panel().digits(), QStringLiteral("0:00:18:58"));
    QVERIFY(!second.app->countdown().isRunning() && second.panel().isPaused());
    const int activations = second.platform->activations;
    menuEntry(second.panel(), QStringLiteral("resumeAction"))->trigger();
    QCOMPARE(second.platform->activations, activations + 1);
    second.now = second.now.addMSecs(1000);
    second.app->countdown().tick();
    QCOMPARE(second.panel().digits(), QStringLiteral("0:00:18:57"));
    QVERIFY(second.app->countdown().isRunning() && !second.panel().isPaused());
    menuEntry(second.panel(), QStringLiteral("startAgainAction"))->trigger();
    QCOMPARE(second.panel().digits(), QStringLiteral("0:00:20:00"));
}

// The real program: an unreadable value ends it at once and leaves the settings file as it was.
void TestApplication::commandLineChangesTheSettings_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");      // the start of what stderr says
    QTest::addColumn<QStringList>("lines"); // lines the settings file holds afterwards

    const QStringList before{QStringLiteral("DropShadow=false")};
    QTest::newRow("a duration, compact") << words("--duration 20m --compact") << 0 << QString()
                                         << words("Compact=true Duration=1200 EndMode=duration");
    QTest::newRow("zero") << words("--duration 0") << 2
                          << "presenter-countdown: --duration: cannot read \"0\"; expected" << before;
    QTest::newRow("absurd warning, with a good duration")
        << words("--duration 20m --warn-at 99999h") << 2 << "presenter-countdown: --warn-at: cannot read" << before;
}

void TestApplication::commandLineChangesTheSettings()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QStringList, lines);
    QTemporaryDir home;
    const QString file = home.filePath(QStringLiteral(PC_APP_ID "/presenter-countdown.conf"));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QFile settings(file);
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[General]\nDropShadow=false\n");
    settings.close();

    QProcess real;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PC_STARTUP_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    real.setProcessEnvironment(environment);
    real.start(qEnvironmentVariable("PC_BINARY"), arguments);
    QVERIFY(real.waitForFinished(30000));
    QCOMPARE(real.exitCode(), exitCode);
    const QString err = QString::fromLocal8Bit(real.readAllStandardError());
    if (exitCode != 0) {
        QVERIFY2(err.startsWith(said), qPrintable(err));
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
    }
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QStringList after = QString::fromUtf8(settings.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        QVERIFY2(after.contains(line), qPrintable(line));
}

void TestApplication::aTickRepaintsEnoughOfTheDigits_data()
{
    QTest::addColumn<qint64>("secondsLeft");
    QTest::newRow("the last digit") << qint64(3 * 86400 + 4 * 3600 + 5 * 60 + 7);
    QTest::newRow("a minute turns") << qint64(3 * 86400 + 4 * 3600 + 5 * 60);
    QTest::newRow("an hour turns") << qint64(3 * 86400 + 4 * 3600);
}

// A tick repaints only part of the digits; what is left of the old ones must be what a full repaint shows.
void TestApplication::aTickRepaintsEnoughOfTheDigits()
{
    QFETCH(qint64, secondsLeft);
    TestProgram program;
    program.app->settings().setTargetDateTime(program.now.addSecs(secondsLeft));
    program.start();
    CountdownPanel& panel = program.panel();
    QImage screen = panel.grab().toImage();
    QRegion repainted;
    struct PaintSpy : QObject {
        QRegion* region;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                *region += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } spy;
    spy.region = &repainted;
    panel.installEventFilter(&spy);
    program.now = program.now.addSecs(1);
    program.app->countdown().tick();
    QTRY_VERIFY(!repainted.isEmpty());
    QVERIFY(repainted.boundingRect().width() < panel.digitsRect().width());
    panel.render(&screen, repainted.boundingRect().topLeft(), repainted);
    QCOMPARE(screen, panel.grab().toImage());
}

void TestApplication::resizeHandsTheKeyboardBackOnceSettled()
{
    TestProgram program;
    program.platform->failActivation = true; // and the failure is swallowed
    program.start();
    QCOMPARE(program.platform->activations, 1);
    for (const QSize size : {QSize(500, 180), QSize(650, 240), QSize(800, 300)}) {
        program.panel().resize(size);
        QTRY_COMPARE(program.panel().size(), size);
    }
    // A live resize sends many events; the slide show is brought forward once, after the last.
    QCOMPARE(program.platform->activations, 1);
    const QTimer& settle = program.app->resizeSettleTimer();
    QVERIFY(settle.isActive() && settle.isSingleShot());
    QCOMPARE(settle.interval(), Application::ResizeSettleMs);
    QTRY_COMPARE_WITH_TIMEOUT(program.platform->activations, 2, 5000);
    QVERIFY(program.app->countdown().isRunning());
}

void TestApplication::settingsReachThePanelAtOnce()
{
    TestProgram program;
    program.start();
    Settings& settings = program.app->settings();
    settings.setTextColor(ColorArchive::archive(QColor(200, 10, 10, 128)));
    settings.setBgColor(ColorArchive::archive(Qt::blue));
    QCOMPARE(program.panel().textColor(), QColor(200, 10, 10, 128));
    QCOMPARE(program.panel().backgroundColor(), QColor(Qt::blue));

    // A target in the past ends the countdown; a new one starts it again and hands back the keyboard.
    settings.setTargetDateTime(program.now.addSecs(-5));
    QVERIFY(!program.app->countdown().isRunning());
    const int activations = program.platform->activations;
    settings.setTargetDateTime(program.now.addSecs(3600));
    QVERIFY(program.app->countdown().isRunning());
    QCOMPARE(program.panel().digits(), QStringLiteral("0:01:00:00"));
    QCOMPARE(program.platform->activations, activations + 1);
}

void TestApplication::shadowOnlyWithACompositor_data()
{
    QTest::addColumn<bool>("compositor");
    QTest::newRow("no compositor: flat and opaque") << false;
    QTest::newRow("compositor: shadow and see-through") << true;
}

void TestApplication::shadowOnlyWithACompositor()
{
    QFETCH(bool, compositor);
    TestProgram program("[General]\nZKVBgColor=@ByteArray(\\x1\\x64\\x64\\xff\\xff\\0\\0\\0\\0\\0\\0)\n", compositor);
    program.start();
    CountdownPanel& panel = program.panel();
    QVERIFY(panel.hasShadow());
    QCOMPARE(panel.shadowMargins().isNull(), !compositor);
    // Without a compositor a see-through colour would show the system's grey through it.
    const QImage shown = panel.grab(panel.contentRect()).toImage();
    const QColor pixel = shown.pixelColor(shown.width() / 2, 1);
    QCOMPARE(pixel.alpha() == 255, !compositor);
    QCOMPARE(panel.backgroundColor(), QColor(255, 0, 0, 100)); // kept as chosen

    // Toggling keeps the visible panel where it is on screen.
    const QRect before(panel.mapToGlobal(panel.contentRect().topLeft()), panel.contentRect().size());
    program.app->settings().setDropShadow(false);
    QVERIFY(panel.shadowMargins().isNull());
    QTRY_COMPARE(QRect(panel.mapToGlobal(panel.contentRect().topLeft()), panel.contentRect().size()), before);
}

void TestApplication::menuOpensWebPagesAndDialogs()
{
    TestProgram program;
    program.start();
    menuEntry(program.panel(), QStringLiteral("contactAction"))->trigger();
    menuEntry(program.panel(), QStringLiteral("userGuideAction"))->trigger();
    QCOMPARE(program.platform->opened,
             (QList<QUrl>{QUrl(QStringLiteral("https://www.example.com/contact/")),
                          QUrl(QStringLiteral("https://www.example.com/knowledgebase/orvalo-user-guide/"))}));

    // Every opening is a fresh dialog, floating before it shows; the panel alone never takes the keyboard.
    menuEntry(program.panel(), QStringLiteral("aboutAction"))->trigger();
    QPointer<QDialog> first = program.app->aboutDialog();
    menuEntry(program.panel(), QStringLiteral("aboutAction"))->trigger();
    QVERIFY(program.app->aboutDialog() != first && program.app->aboutDialog()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    const auto& floated = program.platform->floated;
    QCOMPARE(floated.size(), 3);
    QVERIFY(floated[0].role == Role::Panel && !floated[0].wasVisible);
    QVERIFY(floated[2].role == Role::Window && !floated[2].wasVisible);
    QVERIFY(program.panel().windowFlags() & Qt::WindowDoesNotAcceptFocus);
}

// Runs with two offscreen screens side by side (two-screens.json): a laptop at the origin and a
// projector at x = 1440.
void TestApplication::dialogsOpenOnThePanelsScreen_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QPoint>("panelAt");
    QTest::newRow("About, panel on the projector") << "aboutAction" << QPoint(2000, 100);
    QTest::newRow("Settings, panel on the projector") << "settingsAction" << QPoint(2000, 100);
    QTest::newRow("About, panel on the laptop") << "aboutAction" << QPoint(100, 600);
}

void TestApplication::dialogsOpenOnThePanelsScreen()
{
    QFETCH(QString, entry);
    QFETCH(QPoint, panelAt);
    QCOMPARE(QGuiApplication::screens().size(), 2);
    TestProgram program;
    program.panel().move(panelAt);
    program.start();
    menuEntry(program.panel(), entry)->trigger();
    const QDialog* dialog = program.app->settingsDialog() ? static_cast<QDialog*>(program.app->settingsDialog())
                                                          : program.app->aboutDialog();
    const QScreen* screen = QGuiApplication::screenAt(program.panel().geometry().center());
    QVERIFY(screen);
    // Within the window frame's few pixels of the screen's middle.
    QTRY_VERIFY((dialog->geometry().center() - screen->geometry().center()).manhattanLength() <= 6);
}

void TestApplication::keysCloseDialogs_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Escape closes About") << "aboutAction" << int(Qt::Key_Escape) << true;
    QTest::newRow("Enter closes About") << "aboutAction" << int(Qt::Key_Return) << true;
    QTest::newRow("Escape closes Settings") << "settingsAction" << int(Qt::Key_Escape) << true;
    QTest::newRow("Enter does not reset Settings") << "settingsAction" << int(Qt::Key_Return) << false;
    QTest::newRow("Tab moves within Settings") << "settingsAction" << int(Qt::Key_Tab) << false;
}

void TestApplication::keysCloseDialogs()
{
    QFETCH(QString, entry);
    QFETCH(int, key);
    QFETCH(bool, closes);
    TestProgram program;
    program.start();
    menuEntry(program.panel(), entry)->trigger();
    QDialog* dialog = program.app->settingsDialog() ? static_cast<QDialog*>(program.app->settingsDialog())
                                                    : program.app->aboutDialog();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    int changes = 0;
    connect(&program.app->settings(), &Settings::changed, this, [&] { ++changes; });
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key(key));
    QCOMPARE(dialog->isVisible(), !closes);
    QCOMPARE(changes, 0);
}

void TestApplication::placeIsRestored_data()
{
    QTest::addColumn<QByteArray>("place");
    QTest::addColumn<QRect>("expected"); // empty: where a first start puts it
    QTest::newRow("on the projector") << QByteArray("1600 100 400 150 projector") << QRect(1600, 100, 400, 150);
    QTest::newRow("projector unplugged") << QByteArray("1600 100 400 150 HDMI-2") << QRect(1040, 100, 400, 150);
    QTest::newRow("partly off the laptop") << QByteArray("-100 800 400 150 laptop") << QRect(0, 750, 400, 150);
    QTest::newRow("damaged") << QByteArray("1600 x 400 150 projector") << QRect();
    QTest::newRow("not text") << QByteArray("1, 2") << QRect();
}

void TestApplication::placeIsRestored()
{
    QFETCH(QByteArray, place);
    QFETCH(QRect, expected);
    TestProgram first;
    first.start();
    TestProgram program("[General]\nPanelPlace=" + place + "\n");
    program.start();
    QCOMPARE(program.panel().geometry(), expected.isEmpty() ? first.panel().geometry() : expected);
}

void TestApplication::placeIsSavedOnceItRests()
{
    TestProgram program;
    program.start();
    program.panel().setGeometry(1700, 200, 420, 160);
    QVERIFY(program.app->placeSettleTimer().isActive());
    QTRY_VERIFY(!program.app->placeSettleTimer().isActive());
    QCOMPARE(program.app->settings().panelPlace().toString(), QStringLiteral("1700 200 420 160 projector"));
}

QTEST_MAIN(TestApplication)
#include "tst_Application.moc"
