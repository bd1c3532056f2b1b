#include "ColorArchive.h"
#include "Settings.h"
#include "TimeInput.h"
#include "TimerControl.h"

#include <QDir>
#include <QMetaEnum>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <ctime>
#include <iostream>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;
using Key = Settings::Key;

// The store against damaged files, other time zones, paths that are no file, folders that cannot be written, a
// kill right after a change and a second copy writing in turn. What must outlive a process runs in a child (main).
namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(9, 30), Qt::UTC); // 10:30 in Berlin

// Writer N's value in round R: different from round to round and from the default, so that a lost write shows.
void write(Settings& settings, int writer, int round)
{
    if (writer == 0) // in local time, as the settings window gives it
        settings.setTargetDateTime(QDateTime::fromSecsSinceEpoch(1'900'000'000 + round * 61));
    else if (writer == 3)
        settings.setDropShadow(round % 2 == 1);
    else
        settings.setColorBlob(Key(writer), ColorArchive::archive(QColor(round % 256, writer * 9, 99)));
}

// What a reader of the key ends up with, as one word: no date or colour means the default.
QString answer(const Settings& settings, Key key)
{
    const QVariant fallback = settings.defaultValue(key);
    switch (fallback.typeId()) {
    case QMetaType::QDateTime:
        return settings.targetDateTime().value_or(fallback.toDateTime().toUTC()).toString(Qt::ISODate);
    case QMetaType::QByteArray:
        return QString::fromLatin1(settings.colorBlob(key).value_or(fallback.toByteArray()).toHex());
    case QMetaType::Bool:
        return settings.flag(key) ? u"true"_s : u"false"_s;
    case QMetaType::QString:
        return QString::fromLatin1(QMetaEnum::fromType<Settings::EndMode>().valueToKey(int(settings.endMode())));
    }
    return QString::number(key == Key::PausedRemaining ? settings.pausedRemaining().value_or(-1)
                                                       : settings.seconds(key));
}

// A child of this executable (see main) working on the file in the zone: what it says, on either channel.
QByteArray runChild(const QString& file, const QStringList& commands, const QString& zone = u"Europe/Berlin"_s)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList{u"--child"_s, zone, file} + commands);
    child.closeWriteChannel();
    if (!child.waitForFinished(10000))
        child.kill();
    child.waitForFinished();
    return child.readAll().trimmed();
}

QString read(Key key)
{
    return u"k%1"_s.arg(int(key));
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void damagedEntryReadsAsItsDefault_data();
    void damagedEntryReadsAsItsDefault();
    void localTimesOfEarlierBuilds();
    void unsavedValueStillAnswers();
    void pathThatIsNoFileIsLeftAlone_data();
    void pathThatIsNoFileIsLeftAlone();
    void killedRightAfterAWriteLosesNothing();
    void twoCopiesWritingInTurnKeepBothValues();
    void whenTheCountdownEnds();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_file = m_dir->filePath(u"org/presenter-countdown.conf"_s);
    QVERIFY(QDir().mkpath(QFileInfo(m_file).path()));
}

void TestSettings::damagedEntryReadsAsItsDefault_data()
{
    QTest::addColumn<Key>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("said"); // how the complaint shows the value if not as written, in quotes; "-": none
    QTest::newRow("target as text") << Key::TargetDateTime << u"next Tuesday"_s << QString();
    QTest::newRow("target as colour") << Key::TargetDateTime << u"@Variant(\\0\\0\\0\\x43)"_s
                                      << u"a value of type QColor"_s;
    QTest::newRow("truncated colour") << Key::TextColor << u"@ByteArray(\\x1\\xff"_s << u"\"@ByteArray(?\u00ff\""_s;
    QTest::newRow("flag as word") << Key::DropShadow << u"banana"_s << QString();
    QTest::newRow("flag, 10 kB of it") << Key::Compact << QString(10'000, u'x')
                                       << u"\"%1...\""_s.arg(QString(40, u'x'));
    QTest::newRow("end mode unknown") << Key::EndMode << u"sometimes"_s << QString();
    QTest::newRow("duration zero") << Key::Duration << u"0"_s << QString();
    QTest::newRow("warning as fraction") << Key::WarningAt << u"1.5"_s << QString();
    QTest::newRow("paused below zero means running") << Key::PausedRemaining << u"-5"_s << u"-"_s;
}

// An entry written by a damaged or foreign program reads as if it were absent, the first reading says so once,
// and the entry after it keeps its value.
void TestSettings::damagedEntryReadsAsItsDefault()
{
    QFETCH(Key, key);
    QFETCH(QString, value);
    QFETCH(QString, said);
    const Settings absent(m_dir->filePath(u"absent.conf"_s), kNow);
    const QString name = absent.storedName(key);
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(u"[General]\n%1=%2\nFinalAt=42\n"_s.arg(name, value).toUtf8());
    file.close();
    const QString out = QString::fromUtf8(runChild(m_file, {read(key), read(key), read(Key::FinalAt)}));
    const QString answered = u"%1\n%1\n42"_s.arg(answer(absent, key));
    const QString shown = said.isEmpty() ? u"\"%1\""_s.arg(value) : said;
    const QString complaint = u"presenter-countdown: ignoring setting %1, %2: expected "_s.arg(name, shown);
    QVERIFY2(said == "-"_L1 ? out == answered : out.startsWith(complaint) && out.endsWith(u'\n' + answered),
             qPrintable(out));
    QCOMPARE(out.count(u"presenter-countdown"_s), said == "-"_L1 ? 0 : 1);
}

void TestSettings::localTimesOfEarlierBuilds()
{
    const auto readIn = [&](const QDateTime& local, const char* zone) {
        QSettings(m_file, QSettings::IniFormat).setValue(u"ZKVTargetDateTime"_s, local);
        return runChild(m_file, {read(Key::TargetDateTime)}, QString::fromLatin1(zone));
    };
    QCOMPARE(readIn(QDateTime(QDate(2027, 1, 5), QTime(18, 0)), "America/New_York"), "2027-01-05T23:00:00Z");
    QCOMPARE(readIn(QDateTime(QDate(2027, 3, 28), QTime(2, 0, 30)), "Europe/Berlin"), "2027-03-28T01:00:30Z");
}

// A value that could not be saved answers reads for the rest of the run, announced like any other; once a save
// succeeds the file speaks again, also for what another copy saves later.
void TestSettings::unsavedValueStillAnswers()
{
    QVERIFY(QDir(m_dir->path()).rmdir(u"org"_s));
    QFile blocking(m_dir->filePath(u"org"_s)); // a file where the settings folder should be
    QVERIFY(blocking.open(QIODevice::WriteOnly));
    blocking.close();
    Settings settings(m_file, kNow);
    QList<std::optional<QByteArray>> seen;
    connect(&settings, &Settings::changed, this, [&] { seen.append(settings.bgColor()); });
    const QByteArray green = ColorArchive::archive(Qt::green);
    settings.setBgColor(green);
    settings.setBgColor(green);
    QCOMPARE(seen, (QList<std::optional<QByteArray>>{green, green}));
    QVERIFY(blocking.remove());
    settings.setDropShadow(false);
    QCOMPARE(runChild(m_file, {read(Key::BgColor)}), green.toHex());
    Settings(m_file, kNow).setBgColor(ColorArchive::archive(Qt::red));
    QCOMPARE(settings.bgColor(), ColorArchive::archive(Qt::red));
}

void TestSettings::pathThatIsNoFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("linked"); // the path is a symbolic link to the thing
    QTest::addColumn<bool>("lock");   // the thing stands where the lock file goes
    QTest::newRow("FIFO") << u"a FIFO"_s << false << false;
    QTest::newRow("link to a FIFO") << u"a FIFO"_s << true << false;
    QTest::newRow("device") << u"a device"_s << false << false;
    QTest::newRow("folder") << u"a folder"_s << false << false;
    QTest::newRow("FIFO as the lock") << u"a FIFO"_s << false << true;
}

// Neither read nor replaced: this run's changes live on in memory. In a child, so that a hang fails the test.
void TestSettings::pathThatIsNoFileIsLeftAlone()
{
    QFETCH(QString, kind);
    QFETCH(bool, linked);
    QFETCH(bool, lock);
    const QString path = lock ? m_file + u".lock"_s : m_file;
    const QString node = linked ? m_dir->filePath(u"elsewhere"_s) : path;
    const QByteArray name = QFile::encodeName(node);
    const bool made = kind == "a FIFO"_L1     ? ::mkfifo(name.constData(), 0600) == 0
                      : kind == "a device"_L1 ? ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0
                                              : QDir().mkdir(node);
    if (!made)
        QSKIP("cannot make that kind of file here");
    QVERIFY(!linked || QFile::link(node, path));
    const QByteArray out = runChild(m_file, {u"w3:0"_s, u"w3:0"_s, read(Key::DropShadow)});
    QVERIFY(QFileInfo(path).isSymLink() == linked && QFileInfo::exists(node) && !QFileInfo(node).isFile());
    const QString reason = linked ? u"it leads to %1, %2"_s.arg(node, kind) : u"it is "_s + kind;
    QCOMPARE(QString::fromLocal8Bit(out),
             u"presenter-countdown: not using settings file %1: %2, not a regular file\nfalse"_s.arg(path, reason));
}

// Read back in another zone: the target is a moment, and the drop shadow (on by default) turns off only as saved.
void TestSettings::killedRightAfterAWriteLosesNothing()
{
    Settings reference(m_dir->filePath(u"reference.conf"_s), kNow);
    for (int round = 0; round < 50; ++round) {
        for (int writer = 0; writer < 4; ++writer) {
            // Killed before it could read: nothing ran after the write, no destructors, no event loop.
            QCOMPARE(runChild(m_file, {u"w%1:%2"_s.arg(writer).arg(round), u"die"_s, read(Key(writer))}), QByteArray());
            write(reference, writer, round);
            QCOMPARE(runChild(m_file, {read(Key(writer))}, u"America/New_York"_s),
                     answer(reference, Key(writer)).toLatin1());
        }
    }
}

// This process and a child write in turn; each write must keep the other's latest value rather than put back
// what it read earlier.
void TestSettings::twoCopiesWritingInTurnKeepBothValues()
{
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {u"--child"_s, u"UTC"_s, m_file});
    Settings settings(m_file, kNow);
    for (int turn = 0; turn < 500; ++turn) {
        write(settings, 1, turn);
        other.write(u"w2:%1\n"_s.arg(turn).toLatin1());
        QVERIFY(other.waitForReadyRead(10000));
        QCOMPARE(other.readLine(), "ok\n");
    }
    other.closeWriteChannel();
    QVERIFY(other.waitForFinished());
    Settings reference(m_dir->filePath(u"reference.conf"_s), kNow);
    write(reference, 1, 499);
    write(reference, 2, 499);
    QCOMPARE(runChild(m_file, {read(Key::TextColor), read(Key::BgColor)}),
             (answer(reference, Key::TextColor) + u'\n' + answer(reference, Key::BgColor)).toLatin1());
}

// By default 60 calendar days ahead (the same wall-clock time across a daylight-saving change) or a fixed date;
// what people type; a pause keeps the time left, and every way of giving the end stores it and ends a pause.
void TestSettings::whenTheCountdownEnds()
{
    const auto secondsTo = [](const QDateTime& now) { return now.secsTo(Settings::defaultTargetDateTime(now)); };
    const QDateTime march(QDate(2026, 3, 1), QTime(12, 0));
    const QDateTime fixed(QDate(2016, 12, 31), QTime(0, 0));
    QCOMPARE(secondsTo(march), 60 * 86400 - 3600);
    QCOMPARE(secondsTo(march.toUTC()), 60 * 86400 - 3600);
    QCOMPARE(secondsTo(fixed.addSecs(1)), 60 * 86400);
    QCOMPARE(Settings::defaultTargetDateTime(fixed), fixed);
    QCOMPARE(Settings(m_file, march).targetDateTime(), Settings::defaultTargetDateTime(march).toUTC());

    QCOMPARE(TimeInput::duration(u" 1H 2M 3S "_s), 3723);
    QCOMPARE(TimeInput::duration(TimeInput::durationText(359999)), 359999); // as the settings window writes it
    for (const char* refused : {"0:00", "-5m", "25:61", "100:00:00", "99999999999999999999s", "20", "5m1h", "1h1h"})
        QVERIFY2(!TimeInput::duration(QString::fromLatin1(refused)), refused);
    QVERIFY(TimeInput::timeOfDay(u"9:05:30"_s) == QTime(9, 5, 30) && !TimeInput::timeOfDay(u"24:00"_s));

    Settings settings(m_file, kNow);
    const auto state = [&] {
        return answer(settings, Key::EndMode) + u' ' + answer(settings, Key::TargetDateTime) + u' ' +
               answer(settings, Key::PausedRemaining);
    };
    const auto at = [](int seconds) { return kNow.addSecs(seconds); };
    TimerControl::countFor(settings, 1200, at(0));
    QVERIFY(TimerControl::pause(settings, at(60)) && !TimerControl::pause(settings, at(61)));
    QCOMPARE(state(), "Duration 2026-12-06T09:50:00Z 1140000"_L1);
    QVERIFY(TimerControl::resume(settings, at(300)));
    QCOMPARE(state(), "Duration 2026-12-06T09:54:00Z -1"_L1);
    QVERIFY(TimerControl::pause(settings, at(400)) && TimerControl::startAgain(settings, at(500)));
    QCOMPARE(state(), "Duration 2026-12-06T09:58:20Z -1"_L1);
    QVERIFY(!TimerControl::pause(settings, at(1700)) && TimerControl::pause(settings, at(1000)));
    TimerControl::countToTimeOfDay(settings, QTime(8, 0), at(0)); // tomorrow, in Berlin
    QCOMPARE(state(), "TimeOfDay 2026-12-07T07:00:00Z -1"_L1);
    QVERIFY(!TimerControl::pause(settings, at(0)) && !TimerControl::startAgain(settings, at(0)));
}

// --child ZONE FILE COMMAND...: the store on FILE in ZONE runs the commands, then those on standard input, each
// answered with "ok": wN:R has writer N write round R's value, kN prints what key N reads as, "die" kills.
int main(int argc, char* argv[])
{
    const bool child = argc >= 4 && qstrcmp(argv[1], "--child") == 0;
    qputenv("TZ", child ? argv[2] : "Europe/Berlin");
    tzset();
    QCoreApplication application(argc, argv);
    if (!child) {
        TestSettings test;
        return QTest::qExec(&test, argc, argv);
    }
    Settings settings(QString::fromLocal8Bit(argv[3]), kNow);
    const auto run = [&](const QByteArray& command) {
        const QList<QByteArray> numbers = command.mid(1).split(':');
        if (command == "die")
            std::raise(SIGKILL);
        else if (command.startsWith('w'))
            write(settings, numbers.value(0).toInt(), numbers.value(1).toInt());
        else
            std::cout << answer(settings, Key(numbers.value(0).toInt())).toStdString() << std::endl;
    };
    for (int i = 4; i < argc; ++i)
        run(argv[i]);
    for (std::string line; std::getline(std::cin, line); std::cout << "ok" << std::endl)
        run(QByteArray::fromStdString(line));
    return 0;
}

#include "tst_Settings.moc"
