#include "ColorArchive.h"
#include "Settings.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iostream>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using Key = Settings::Key;

// The store against damaged files, other time zones, paths that are no file, folders that cannot be
// written, a kill right after a change and a second copy writing in turn. Whatever must outlive a
// process runs in children of this executable (see main) and is read back from the file.
namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(9, 30), Qt::LocalTime);

// Values that differ from round to round, and from the defaults, so that a lost write shows.
void write(Settings& settings, int writer, int round)
{
    const auto key = static_cast<Key>(writer);
    switch (key) {
    case Key::TargetDateTime:
        // Given in local time, as the settings window gives it.
        return settings.setTargetDateTime(QDateTime::fromSecsSinceEpoch(1'900'000'000 + round * 61));
    case Key::DropShadow:
        return settings.setDropShadow(round % 2 == 1);
    case Key::WarningOn:
    case Key::FinalOn:
    case Key::Overtime:
    case Key::Compact:
        return settings.setFlag(key, round % 2 == 0);
    case Key::Duration:
    case Key::WarningAt:
    case Key::FinalAt:
        return settings.setSeconds(key, 7 + round);
    case Key::EndMode:
        return settings.setEndMode(round % 2 ? Settings::EndMode::Duration : Settings::EndMode::TimeOfDay);
    case Key::PausedRemaining:
        return settings.setPausedRemaining(round * 1000 + 1);
    default:
        return settings.setColorBlob(key, ColorArchive::archive(QColor(round % 256, writer * 9, 99)));
    }
}

// Every value as the settings answer it, in the order of the keys.
QVariantList readAll(const Settings& settings)
{
    const auto optional = [](const auto& value) { return value ? QVariant::fromValue(*value) : QVariant(); };
    QVariantList values;
    for (int i = 0; i < int(Settings::KeyCount); ++i) {
        switch (const auto key = static_cast<Key>(i)) {
        case Key::TargetDateTime:
            values.append(optional(settings.targetDateTime()));
            break;
        case Key::DropShadow:
        case Key::WarningOn:
        case Key::FinalOn:
        case Key::Overtime:
        case Key::Compact:
            values.append(settings.flag(key));
            break;
        case Key::Duration:
        case Key::WarningAt:
        case Key::FinalAt:
            values.append(settings.seconds(key));
            break;
        case Key::EndMode:
            values.append(int(settings.endMode()));
            break;
        case Key::PausedRemaining:
            values.append(optional(settings.pausedRemaining()));
            break;
        default:
            values.append(optional(settings.colorBlob(key)));
            break;
        }
    }
    return values;
}

// What the program says on stderr while run runs.
QByteArray stderrOf(const std::function<void()>& run)
{
    QTemporaryFile capture;
    if (!capture.open())
        return "cannot capture stderr";
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(capture.handle(), STDERR_FILENO);
    run();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    capture.seek(0);
    return capture.readAll();
}

// What is on disk, read from a copy so that nothing cached in this process can stand in for it.
QVariant onDisk(const QString& file, Key key)
{
    const QString copy = file + QStringLiteral(".copy");
    QFile::remove(copy);
    QFile::copy(file, copy);
    const QSettings settings(copy, QSettings::IniFormat);
    return settings.status() == QSettings::NoError ? settings.value(Settings(copy, kNow).storedName(key)) : QVariant();
}

void putRaw(const QString& file, const QString& line)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    QVERIFY(out.open(QIODevice::Append));
    out.write(line.toUtf8() + '\n');
}

// A date and time as Qt writes it into the file (variant type 16: Julian day, milliseconds, kind of time).
QString dateTimeLine(const QDateTime& local)
{
    QByteArray bytes("\0\0\0\x10\0", 5);
    QDataStream stream(&bytes, QIODevice::Append);
    stream << qint64(local.date().toJulianDay()) << quint32(local.time().msecsSinceStartOfDay()) << qint8(0);
    QString line = QStringLiteral("ZKVTargetDateTime=@DateTime(");
    for (const char byte : bytes)
        line += QStringLiteral("\\x%1").arg(quint8(byte), 0, 16);
    return line + QLatin1Char(')');
}

QString kindOf(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("nothing");
    return S_ISLNK(info.st_mode)    ? QStringLiteral("link")
           : S_ISFIFO(info.st_mode) ? QStringLiteral("fifo")
           : S_ISCHR(info.st_mode)  ? QStringLiteral("device")
           : S_ISDIR(info.st_mode)  ? QStringLiteral("folder")
                                    : QStringLiteral("file");
}

struct Child {
    int exit = -1; // -1: killed, or killed by us after a hang
    QByteArray out;
    QByteArray err;
};

Child runChild(const QString& file, const QStringList& commands,
               const QString& timeZone = QStringLiteral("Europe/Berlin"))
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--child"), timeZone, file} + commands);
    if (!child.waitForFinished(10000))
        child.kill();
    child.waitForFinished();
    const int exit = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    return {exit, child.readAllStandardOutput().trimmed(), child.readAllStandardError()};
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void defaultTarget_data();
    void defaultTarget();
    void damagedEntryReadsAsItsDefault_data();
    void damagedEntryReadsAsItsDefault();
    void everyWriteIsAnnounced();
    void outlivesTheProcess_data();
    void outlivesTheProcess();
    void unsavedValueStillAnswers_data();
    void unsavedValueStillAnswers();
    void pathThatIsNoFileIsLeftAlone_data();
    void pathThatIsNoFileIsLeftAlone();
    void killedRightAfterAWriteLosesNothing();
    void twoCopiesWritingInTurnKeepBothValues();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_file;
};

void TestSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_file = m_dir->filePath(QStringLiteral("org/presenter-countdown.conf"));
}

void TestSettings::defaultTarget_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<qint64>("secondsLater");
    const auto local = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
    };
    const qint64 sixtyDays = 60 * 86400;
    // Sixty calendar days keep the wall-clock time across a daylight-saving change.
    QTest::newRow("winter") << local(2026, 12, 6, 9, 30) << sixtyDays;
    QTest::newRow("across spring forward") << local(2026, 3, 1, 12, 0) << sixtyDays - 3600;
    QTest::newRow("across fall back") << local(2026, 9, 15, 12, 0) << sixtyDays + 3600;
    QTest::newRow("one second after the fixed date") << local(2016, 12, 31, 0, 0, 1) << sixtyDays;
    QTest::newRow("at the fixed date") << local(2016, 12, 31, 0, 0) << qint64(0);
    QTest::newRow("before the fixed date") << local(2016, 12, 30, 0, 0) << qint64(86400);
    QTest::newRow("now given in UTC, across spring forward") << local(2026, 3, 1, 12, 0).toUTC() << sixtyDays - 3600;
}

void TestSettings::defaultTarget()
{
    QFETCH(QDateTime, now);
    QFETCH(qint64, secondsLater);
    const QDateTime target = Settings::defaultTargetDateTime(now);
    QCOMPARE(now.secsTo(target), secondsLater);
    QCOMPARE(Settings(m_file, now).targetDateTime(), std::optional(target.toUTC()));
}

void TestSettings::damagedEntryReadsAsItsDefault_data()
{
    QTest::addColumn<Key>("key");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("said"); // how stderr shows the refused value; empty: nothing said
    const QString text = QStringLiteral("\"%1\"");
    QTest::newRow("target as text") << Key::TargetDateTime << QStringLiteral("ZKVTargetDateTime=next Tuesday")
                                    << text.arg(QLatin1String("next Tuesday"));
    QTest::newRow("target as number") << Key::TargetDateTime << QStringLiteral("ZKVTargetDateTime=1700000000")
                                      << text.arg(QLatin1String("1700000000"));
    QTest::newRow("target as colour") << Key::TargetDateTime
                                      << QStringLiteral("ZKVTargetDateTime=@Variant(\\0\\0\\0\\x43)")
                                      << QStringLiteral("a value of type QColor");
    QTest::newRow("text colour as word") << Key::TextColor << QStringLiteral("ZKVTextColor=black")
                                         << text.arg(QLatin1String("black"));
    QTest::newRow("background as number")
        << Key::BgColor << QStringLiteral("ZKVBgColor=42") << text.arg(QLatin1String("42"));
    QTest::newRow("background as rectangle")
        << Key::BgColor << QStringLiteral("ZKVBgColor=@Rect(0 0 1 1)") << QStringLiteral("a value of type QRect");
    QTest::newRow("shadow as word") << Key::DropShadow << QStringLiteral("DropShadow=banana")
                                    << text.arg(QLatin1String("banana"));
    QTest::newRow("shadow as point") << Key::DropShadow << QStringLiteral("DropShadow=@Point(1 2)")
                                     << QStringLiteral("a value of type QPoint");
    QTest::newRow("truncated mid-value") << Key::TextColor << QStringLiteral("ZKVTextColor=@ByteArray(\\x1\\xff")
                                         << text.arg(
                                                QStringLiteral("@ByteArray(?\u00ff")); // unprintable characters as ?
    QTest::newRow("end mode unknown") << Key::EndMode << QStringLiteral("EndMode=sometimes")
                                      << text.arg(QLatin1String("sometimes"));
    QTest::newRow("duration as word") << Key::Duration << QStringLiteral("Duration=banana")
                                      << text.arg(QLatin1String("banana"));
    QTest::newRow("duration zero") << Key::Duration << QStringLiteral("Duration=0") << text.arg(QLatin1String("0"));
    QTest::newRow("duration absurd") << Key::Duration << QStringLiteral("Duration=99999999999")
                                     << text.arg(QLatin1String("99999999999"));
    QTest::newRow("warning as fraction") << Key::WarningAt << QStringLiteral("WarningAt=1.5")
                                         << text.arg(QLatin1String("1.5"));
    QTest::newRow("warning switch as word")
        << Key::WarningOn << QStringLiteral("WarningOn=perhaps") << text.arg(QLatin1String("perhaps"));
    QTest::newRow("overtime as rectangle")
        << Key::Overtime << QStringLiteral("Overtime=@Rect(0 0 1 1)") << QStringLiteral("a value of type QRect");
    QTest::newRow("compact, 10 kB of it")
        << Key::Compact << QStringLiteral("Compact=") + QString(10'000, QLatin1Char('x'))
        << text.arg(QString(40, QLatin1Char('x')) + QStringLiteral("..."));
    QTest::newRow("final colour as word")
        << Key::FinalBgColor << QStringLiteral("FinalBgColor=red") << text.arg(QLatin1String("red"));
    QTest::newRow("paused as word") << Key::PausedRemaining << QStringLiteral("PausedRemaining=soon")
                                    << text.arg(QLatin1String("soon"));
    QTest::newRow("paused below zero means running")
        << Key::PausedRemaining << QStringLiteral("PausedRemaining=-5") << QString();
}

// An entry written by a damaged or foreign program reads as its default, says so once, and every other
// entry keeps the value it had.
void TestSettings::damagedEntryReadsAsItsDefault()
{
    QFETCH(Key, key);
    QFETCH(QString, line);
    QFETCH(QString, said);
    {
        Settings good(m_file, kNow);
        for (int writer = 0; writer < int(Settings::KeyCount); ++writer)
            write(good, writer, 8); // none of them the default
    }
    const QVariantList intact = readAll(Settings(m_file, kNow));
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString name = Settings(m_file, kNow).storedName(key) + QLatin1Char('=');
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    file.close();
    for (QString& each : lines) {
        if (each.startsWith(name))
            each = line;
    }
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join(QLatin1Char('\n')).toUtf8());
    // QSettings knows a file by size and time; a line of the same length written within the same tick of the
    // file system's clock would look unchanged. Flushed first, or closing would stamp the time anew.
    QVERIFY(file.flush());
    file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    file.close();

    QVariantList read;
    const QByteArray complaints = stderrOf([&] {
        const Settings settings(m_file, kNow);
        read = readAll(settings);
        readAll(settings);
    });
    // A date or a colour reads as none (and whoever reads it takes the default); the rest as the default.
    const QVariant fallback = readAll(Settings(m_dir->filePath(QStringLiteral("none.conf")), kNow))[int(key)];
    const bool none = fallback.typeId() == QMetaType::QDateTime || fallback.typeId() == QMetaType::QByteArray;
    QVariantList expected = intact;
    expected[int(key)] = none ? QVariant() : fallback;
    QCOMPARE(read, expected);
    const QString prefix =
        said.isEmpty()
            ? QString()
            : QStringLiteral("presenter-countdown: ignoring setting %1, %2: expected ").arg(name.chopped(1), said);
    QVERIFY2(QString::fromUtf8(complaints).startsWith(prefix), complaints.constData());
    QCOMPARE(complaints.count('\n'), said.isEmpty() ? 0 : 1);
}

void TestSettings::everyWriteIsAnnounced()
{
    Settings settings(m_file, kNow);
    QList<Key> seen;
    connect(&settings, &Settings::changed, this, [&](Key key) {
        QVERIFY(!settings.dropShadow() || key != Key::DropShadow); // the saved value, already readable
        seen.append(key);
    });
    for (int twice = 0; twice < 2; ++twice) {
        for (int writer = 0; writer < 4; ++writer)
            write(settings, writer, 0); // the same value again still announces itself
    }
    QCOMPARE(seen, (QList<Key>{Key::TargetDateTime, Key::TextColor, Key::BgColor, Key::DropShadow, Key::TargetDateTime,
                               Key::TextColor, Key::BgColor, Key::DropShadow}));
}

void TestSettings::outlivesTheProcess_data()
{
    QTest::addColumn<QString>("line"); // written before the child starts, as another build would
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("timeZone");
    QTest::addColumn<QByteArray>("answer");
    // A fresh process makes the default (on) again; only the saved value can turn it off.
    QTest::newRow("drop shadow off") << QString() << QStringList{QStringLiteral("w3:0"), QStringLiteral("shadow")}
                                     << QStringLiteral("Europe/Berlin") << QByteArray("false");
    // A target is a moment: 2030-03-17 17:46:40 UTC, whatever the zone it is read in.
    QTest::newRow("target read in another zone")
        << QString() << QStringList{QStringLiteral("w0:0")} << QStringLiteral("America/New_York")
        << QByteArray("2030-03-17T17:46:40Z");
    // Files of earlier builds hold local times; one that the zone skips is read as a wall clock shows it.
    QTest::newRow("earlier build's local time")
        << dateTimeLine(QDateTime(QDate(2027, 1, 5), QTime(18, 0), Qt::LocalTime)) << QStringList()
        << QStringLiteral("America/New_York") << QByteArray("2027-01-05T23:00:00Z");
    QTest::newRow("local time in the missing hour")
        << dateTimeLine(QDateTime(QDate(2027, 3, 28), QTime(2, 0, 30), Qt::LocalTime)) << QStringList()
        << QStringLiteral("Europe/Berlin") << QByteArray("2027-03-28T01:00:30Z");
}

void TestSettings::outlivesTheProcess()
{
    QFETCH(QString, line);
    QFETCH(QStringList, commands);
    QFETCH(QString, timeZone);
    QFETCH(QByteArray, answer);
    if (!line.isEmpty())
        putRaw(m_file, QStringLiteral("[General]\n") + line);
    if (!commands.isEmpty())
        QCOMPARE(runChild(m_file, commands).exit, 0);
    QCOMPARE(runChild(m_file, {QStringLiteral("target"), QStringLiteral("shadow")}, timeZone)
                 .out.split('\n')
                 .contains(answer),
             true);
}

void TestSettings::unsavedValueStillAnswers_data()
{
    QTest::addColumn<QString>("blocker"); // a plain file in the way
    QTest::newRow("file where the settings folder should be") << QStringLiteral("org");
    QTest::newRow("file where the config home should be") << QString();
}

void TestSettings::unsavedValueStillAnswers()
{
    QFETCH(QString, blocker);
    const QString home = m_dir->filePath(QStringLiteral("home"));
    const QString file = blocker.isEmpty() ? home + QStringLiteral("/org/settings.conf") : m_file;
    QFile blocking(blocker.isEmpty() ? home : m_dir->filePath(blocker));
    QVERIFY(blocking.open(QIODevice::WriteOnly));
    blocking.close();

    Settings settings(file, kNow);
    QList<std::optional<QByteArray>> seen;
    connect(&settings, &Settings::changed, this, [&] { seen.append(settings.bgColor()); });
    const QByteArray green = ColorArchive::archive(Qt::green);
    settings.setBgColor(green);
    settings.setBgColor(green);
    QCOMPARE(seen, (QList<std::optional<QByteArray>>{green, green}));
    QVERIFY(QFileInfo(blocking.fileName()).isFile());

    // Once a save succeeds the file speaks again, also for what another copy saves later.
    QVERIFY(blocking.remove());
    settings.setDropShadow(false);
    QCOMPARE(onDisk(file, Key::BgColor), QVariant(green));
    Settings(file, kNow).setBgColor(ColorArchive::archive(Qt::red));
    QCOMPARE(settings.bgColor(), std::optional(ColorArchive::archive(Qt::red)));
}

void TestSettings::pathThatIsNoFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("linked"); // the path is a symbolic link to the thing
    QTest::addColumn<bool>("lock");   // the thing stands where the lock file goes
    QTest::addColumn<QString>("reason");
    const QString fifo = QStringLiteral("fifo");
    const QString device = QStringLiteral("device");
    QTest::newRow("FIFO") << fifo << false << false << QStringLiteral("it is a FIFO");
    QTest::newRow("link to a FIFO") << fifo << true << false << QStringLiteral("it leads to %1, a FIFO");
    QTest::newRow("device") << device << false << false << QStringLiteral("it is a device");
    QTest::newRow("link to a device") << device << true << false << QStringLiteral("it leads to %1, a device");
    QTest::newRow("folder") << QStringLiteral("folder") << false << false << QStringLiteral("it is a folder");
    QTest::newRow("FIFO as the lock") << fifo << false << true << QStringLiteral("it is a FIFO");
}

void TestSettings::pathThatIsNoFileIsLeftAlone()
{
    QFETCH(QString, kind);
    QFETCH(bool, linked);
    QFETCH(bool, lock);
    QFETCH(QString, reason);
    const QString path = lock ? m_file + QStringLiteral(".lock") : m_file;
    const QString node = linked ? m_dir->filePath(QStringLiteral("elsewhere")) : path;
    QVERIFY(QDir().mkpath(QFileInfo(m_file).path()));
    const QByteArray name = QFile::encodeName(node);
    const bool made = kind == QLatin1String("fifo")     ? ::mkfifo(name.constData(), 0600) == 0
                      : kind == QLatin1String("device") ? ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0
                                                        : QDir().mkdir(node);
    if (!made)
        QSKIP("cannot make that kind of file here");
    if (linked)
        QVERIFY(QFile::link(node, path));

    // In a child, so that a hang fails the test instead of stalling it.
    const Child run = runChild(m_file, {QStringLiteral("w3:0"), QStringLiteral("w3:0"), QStringLiteral("shadow")});
    QCOMPARE(kindOf(path), linked ? QStringLiteral("link") : kind);
    QCOMPARE(kindOf(node), kind);
    QCOMPARE(run.out, QByteArray("false"));
    QCOMPARE(QString::fromLocal8Bit(run.err),
             QStringLiteral("presenter-countdown: not using settings file %1: %2, not a regular file\n")
                 .arg(path, linked ? reason.arg(node) : reason));
}

void TestSettings::killedRightAfterAWriteLosesNothing()
{
    int lost = 0;
    for (int round = 0; round < 50; ++round) {
        for (int writer = 0; writer < 4; ++writer) {
            const QString command = QStringLiteral("w%1:%2").arg(writer).arg(round);
            QCOMPARE(runChild(m_file, {command, QStringLiteral("die")}).exit, -1); // really killed, no clean-up ran
            QTemporaryDir expected;
            Settings reference(expected.filePath(QStringLiteral("reference.conf")), kNow);
            write(reference, writer, round);
            const auto key = static_cast<Key>(writer);
            lost += onDisk(m_file, key) != onDisk(reference.fileName(), key);
        }
    }
    QCOMPARE(lost, 0);
}

void TestSettings::twoCopiesWritingInTurnKeepBothValues()
{
    QProcess first;
    QProcess second;
    for (QProcess* copy : {&first, &second}) {
        copy->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QStringLiteral("UTC"), m_file, QStringLiteral("serve")});
        QVERIFY(copy->waitForStarted());
    }
    // Each write must keep the other copy's latest value rather than put back what it read earlier.
    const auto ask = [](QProcess& copy, const QByteArray& command) {
        copy.write(command + '\n');
        return copy.waitForReadyRead(10000) && copy.readLine().trimmed() == "ok";
    };
    const int turns = 500;
    for (int turn = 0; turn < turns; ++turn) {
        QVERIFY(ask(first, "w1:" + QByteArray::number(turn)));
        QVERIFY(ask(second, "w2:" + QByteArray::number(turn)));
    }
    first.closeWriteChannel();
    second.closeWriteChannel();
    QVERIFY(first.waitForFinished() && second.waitForFinished());
    QTemporaryDir expected;
    Settings reference(expected.filePath(QStringLiteral("reference.conf")), kNow);
    write(reference, 1, turns - 1);
    write(reference, 2, turns - 1);
    QCOMPARE(onDisk(m_file, Key::TextColor), onDisk(reference.fileName(), Key::TextColor));
    QCOMPARE(onDisk(m_file, Key::BgColor), onDisk(reference.fileName(), Key::BgColor));
}

// --child ZONE FILE COMMAND...: runs the store on FILE in the given zone. wN:R has writer N write round
// R's value; "die" kills the process; "serve" takes such writes from standard input, one a line.
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
    Settings settings(QString::fromLocal8Bit(argv[3]), QDateTime::currentDateTime());
    const auto run = [&](const QByteArray& command) {
        const QList<QByteArray> writer = command.mid(1).split(':');
        if (command.startsWith('w'))
            write(settings, writer.value(0).toInt(), writer.value(1).toInt());
        else if (command == "die")
            std::raise(SIGKILL); // no destructors, no event loop, no later chance to save
        else if (command == "shadow")
            std::puts(settings.dropShadow() ? "true" : "false");
        else if (command == "target")
            std::puts(qPrintable(settings.targetDateTime().value_or(QDateTime()).toString(Qt::ISODate)));
    };
    for (int i = 4; i < argc; ++i) {
        if (qstrcmp(argv[i], "serve") != 0) {
            run(argv[i]);
            continue;
        }
        for (std::string line; std::getline(std::cin, line); std::fflush(stdout)) {
            run(QByteArray::fromStdString(line));
            std::puts("ok");
        }
    }
    return 0;
}

#include "tst_Settings.moc"
