#include "settings/ColorArchive.h"
#include "settings/PreferenceController.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

using namespace PreferenceNames;

// Settings against the worst a desktop does to a program: killed the instant after a change, a folder
// that cannot be written, a full disk, and a second copy of the program writing at the same time. Each
// case runs the store in child processes of this executable (see main) and inspects the file on disk.
namespace {

const char kOrganization[] = "presenter-countdown-test";

void useStore(const QString& folder, const QString& application)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganization));
    QCoreApplication::setApplicationName(application);
}

QString storeFile(const QString& folder, const QString& application)
{
    return folder + QLatin1Char('/') + QLatin1String(kOrganization) + QLatin1Char('/') + application +
           QStringLiteral(".conf");
}

// The values a round writes; each round's differ from the last, so that a lost write shows.
QDateTime roundTarget(int round)
{
    return QDateTime::fromSecsSinceEpoch(1'900'000'000 + round * 61, Qt::UTC);
}
QColor roundText(int round)
{
    return QColor(round % 256, 17, 99);
}
QColor roundBackground(int round)
{
    return QColor(7, (round * 3) % 256, 200);
}
bool roundShadow(int round)
{
    return round % 2 == 1;
}

void write(int writer, int round)
{
    switch (writer) {
    case 0:
        PreferenceController::setPreferenceTargetDateTime(roundTarget(round));
        break;
    case 1:
        PreferenceController::setPreferenceTextColor(ColorArchive::archive(roundText(round)));
        break;
    case 2:
        PreferenceController::setPreferenceBgColor(ColorArchive::archive(roundBackground(round)));
        break;
    default:
        PreferenceController::setPreferenceDropShadow(roundShadow(round));
    }
}

// Reads a copy of the file, so that nothing this process cached can stand in for what is on disk.
QVariantMap readFromDisk(const QString& file)
{
    static int copies = 0;
    const QString copy = file + QStringLiteral(".copy%1").arg(++copies);
    QFile::copy(file, copy);
    QVariantMap values;
    {
        QSettings settings(copy, QSettings::IniFormat);
        for (const QString& key : settings.allKeys())
            values.insert(key, settings.value(key));
        values.insert(QStringLiteral("status"), int(settings.status()));
    }
    QFile::remove(copy);
    return values;
}

QByteArray fileBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool run(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

} // namespace

class TestDurability : public QObject {
    Q_OBJECT

private slots:
    void killedRightAfterAWriteLosesNothing();
    void unwritableStoreKeepsThePreviousFile_data();
    void unwritableStoreKeepsThePreviousFile();
    void twoCopiesWritingInTurnKeepBothValues();
};

void TestDurability::killedRightAfterAWriteLosesNothing()
{
    QTemporaryDir folder;
    const QString app = QStringLiteral("killed");
    const QString file = storeFile(folder.path(), app);
    int lost = 0;
    const int rounds = 100;
    for (int round = 0; round < rounds; ++round) {
        for (int writer = 0; writer < 4; ++writer) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write-and-die"), folder.path(), app,
                                                                  QString::number(writer), QString::number(round)});
            QVERIFY(child.waitForFinished(10000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit); // it really died, no clean-up ran

            const QVariantMap disk = readFromDisk(file);
            QCOMPARE(disk.value(QStringLiteral("status")).toInt(), int(QSettings::NoError));
            // Everything written so far, this round and before, must be there.
            const auto expect = [&](int w) { return w <= writer ? round : round - 1; };
            if (expect(0) >= 0 && disk.value(TargetDateTimeKey).toDateTime() != roundTarget(expect(0)))
                ++lost;
            if (expect(1) >= 0 && disk.value(TextColorKey).toByteArray() != ColorArchive::archive(roundText(expect(1))))
                ++lost;
            if (expect(2) >= 0 &&
                disk.value(BgColorKey).toByteArray() != ColorArchive::archive(roundBackground(expect(2))))
                ++lost;
            if (expect(3) >= 0 && disk.value(DropShadowKey).toBool() != roundShadow(expect(3)))
                ++lost;
        }
    }
    qInfo("%d rounds of 4 writers killed after their write: %d values lost", rounds, lost);
    QCOMPARE(lost, 0);
}

void TestDurability::unwritableStoreKeepsThePreviousFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("immutable folder") << QStringLiteral("immutable");
    QTest::newRow("full disk") << QStringLiteral("full");
    QTest::newRow("file where the folder should be") << QStringLiteral("blocked");
}

void TestDurability::unwritableStoreKeepsThePreviousFile()
{
    QFETCH(QString, how);
    QTemporaryDir folder;
    const QString app = QStringLiteral("unwritable");
    const QString organizationFolder = folder.path() + QLatin1Char('/') + QLatin1String(kOrganization);
    const QString file = storeFile(folder.path(), app);

    // Root ignores permission bits, so the folder is made immutable, or put on a tiny file system that
    // is then filled up; where the machine allows neither, the row is skipped.
    QString cleanUp;
    if (how == QLatin1String("blocked")) {
        QFile blocker(organizationFolder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
    } else {
        QVERIFY(QDir().mkpath(organizationFolder));
        if (how == QLatin1String("full")) {
            if (!run(QStringLiteral("mount"),
                     {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=64k"),
                      QStringLiteral("tmpfs"), organizationFolder}))
                QSKIP("cannot mount a small file system here");
            cleanUp = QStringLiteral("umount");
        }
        QVERIFY(run(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--write-and-exit"), folder.path(), app, QStringLiteral("1")}));
        if (how == QLatin1String("immutable")) {
            if (!run(QStringLiteral("chattr"), {QStringLiteral("+i"), organizationFolder}))
                QSKIP("cannot make a folder immutable here");
            cleanUp = QStringLiteral("chattr");
        } else {
            QFile filler(organizationFolder + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
    }
    const QByteArray before = fileBytes(how == QLatin1String("blocked") ? organizationFolder : file);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--write-and-exit"), folder.path(), app, QStringLiteral("2")});
    QVERIFY(child.waitForFinished(10000));
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());

    if (cleanUp == QLatin1String("chattr"))
        run(QStringLiteral("chattr"), {QStringLiteral("-i"), organizationFolder});
    const QByteArray after = fileBytes(how == QLatin1String("blocked") ? organizationFolder : file);
    if (cleanUp == QLatin1String("umount"))
        run(QStringLiteral("umount"), {organizationFolder});

    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY(!before.isEmpty());
    QCOMPARE(after, before);
    QCOMPARE(errors.count(QStringLiteral("could not save settings")), 1);
}

void TestDurability::twoCopiesWritingInTurnKeepBothValues()
{
    QTemporaryDir folder;
    const QString app = QStringLiteral("shared");
    QProcess first;
    QProcess second;
    for (QProcess* copy : {&first, &second}) {
        copy->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve"), folder.path(), app});
        QVERIFY(copy->waitForStarted());
    }
    // One copy sets the text colour, the other the background, in turn: each write must keep the other
    // copy's latest value rather than putting back what it read earlier.
    const int turns = 1000;
    const auto ask = [](QProcess& copy, const QByteArray& command) {
        copy.write(command + '\n');
        return copy.waitForReadyRead(10000) && copy.readLine().trimmed() == "ok";
    };
    for (int turn = 0; turn < turns; ++turn) {
        QVERIFY(ask(first, "1 " + QByteArray::number(turn)));
        QVERIFY(ask(second, "2 " + QByteArray::number(turn)));
    }
    first.closeWriteChannel();
    second.closeWriteChannel();
    QVERIFY(first.waitForFinished() && second.waitForFinished());

    const QVariantMap disk = readFromDisk(storeFile(folder.path(), app));
    QCOMPARE(disk.value(QStringLiteral("status")).toInt(), int(QSettings::NoError));
    QCOMPARE(disk.value(TextColorKey).toByteArray(), ColorArchive::archive(roundText(turns - 1)));
    QCOMPARE(disk.value(BgColorKey).toByteArray(), ColorArchive::archive(roundBackground(turns - 1)));
}

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("--write-and-die") && arguments.size() == 6) {
        useStore(arguments[2], arguments[3]);
        write(arguments[4].toInt(), arguments[5].toInt());
        std::raise(SIGKILL); // no destructors, no event loop, no chance to flush anything later
    }
    if (mode == QLatin1String("--write-and-exit") && arguments.size() == 5) {
        useStore(arguments[2], arguments[3]);
        for (int writer = 0; writer < 4; ++writer) {
            for (int i = 0; i < arguments[4].toInt(); ++i)
                write(writer, 10 + i);
        }
        return 0;
    }
    if (mode == QLatin1String("--serve") && arguments.size() == 4) {
        useStore(arguments[2], arguments[3]);
        std::string line;
        while (std::getline(std::cin, line)) {
            const QList<QByteArray> words = QByteArray::fromStdString(line).split(' ');
            write(words.value(0).toInt(), words.value(1).toInt());
            std::puts("ok");
            std::fflush(stdout);
        }
        return 0;
    }
    TestDurability test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Durability.moc"
