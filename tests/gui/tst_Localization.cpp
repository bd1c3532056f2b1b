#include "Localization.h"
#include "TestProgram.h"

#include <QAction>
#include <QCheckBox>
#include <QTranslator>

// Runs with LANG=de_DE.UTF-8 (see CMakeLists.txt): the program must speak German without being told.
class TestLocalization : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void followsLangToGerman();
    void spokenTime_data();
    void spokenTime();
};

void TestLocalization::cleanup()
{
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QLocale::setDefault(QLocale::system());
}

void TestLocalization::followsLangToGerman()
{
    QCOMPARE(QLocale::system().name(), QStringLiteral("de_DE"));
    Localization::install(qApp);
    TestProgram program;
    program.app->settings().setTargetDateTime(program.now.addSecs(3 * 86400 + 4 * 3600 + 5 * 60 + 6));
    program.start();
    // The captions the panel paints under its digits.
    QCOMPARE(CountdownPanel::tr("Days", "caption under the days digits"), QStringLiteral("Tage"));
    QCOMPARE(CountdownPanel::tr("Seconds", "caption under the seconds digits"), QStringLiteral("Sekunden"));
    QCOMPARE(program.panel().findChild<QAction*>(QStringLiteral("settingsAction"))->text(),
             QStringLiteral("Einstellungen…"));
    QCOMPARE(program.panel().findChild<QAction*>(QStringLiteral("quitAction"))->text(), QStringLiteral("Beenden"));
    QCOMPARE(program.panel().findChild<QAction*>(QStringLiteral("startAgainAction"))->text(),
             QStringLiteral("Erneut starten"));
    program.app->openSettings();
    QCOMPARE(program.app->settingsDialog()->findChild<QCheckBox*>(QStringLiteral("overtimeCheckbox"))->text(),
             QStringLiteral("Zeitüberschrei&tung"));
    // The digits keep their one format in every language; the words are for screen readers.
    QCOMPARE(program.panel().digits(), QStringLiteral("3:04:05:06"));
    QCOMPARE(program.panel().accessibleName(), QStringLiteral("3 Tage, 4 Stunden, 5 Minuten, 6 Sekunden verbleibend"));
}

void TestLocalization::spokenTime_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<qint64>("days");
    QTest::addColumn<int>("hours");
    QTest::addColumn<bool>("overtime");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << "en_GB" << qint64(3) << 4 << false << "3 days, 4 hours, 5 minutes, 6 seconds left";
    QTest::newRow("English singular") << "en_US" << qint64(1) << 1 << false
                                      << "1 day, 1 hour, 5 minutes, 6 seconds left";
    QTest::newRow("German singular") << "de_AT" << qint64(1) << 1 << false
                                     << "1 Tag, 1 Stunde, 5 Minuten, 6 Sekunden verbleibend";
    QTest::newRow("French") << "fr_FR" << qint64(0) << 2 << false << "il reste 0 jour, 2 heures, 5 minutes, 6 secondes";
    QTest::newRow("a language we lack reads English")
        << "es_ES" << qint64(2) << 0 << false << "2 days, 0 hours, 5 minutes, 6 seconds left";
    QTest::newRow("more days than an int holds")
        << "en_GB" << qint64(106751991167) << 7 << false << "106751991167 days, 7 hours, 5 minutes, 6 seconds left";
    QTest::newRow("English over time") << "en_GB" << qint64(0) << 1 << true
                                       << "0 days, 1 hour, 5 minutes, 6 seconds over time";
    QTest::newRow("German over time") << "de_DE" << qint64(0) << 0 << true
                                      << "0 Tage, 0 Stunden, 5 Minuten, 6 Sekunden überzogen";
    QTest::newRow("French over time") << "fr_FR" << qint64(1) << 0 << true
                                      << "dépassement de 1 jour, 0 heure, 5 minutes, 6 secondes";
}

void TestLocalization::spokenTime()
{
    QFETCH(QString, language);
    QFETCH(qint64, days);
    QFETCH(int, hours);
    QFETCH(bool, overtime);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(language));
    Localization::install(qApp);
    QCOMPARE(RemainingTime::spoken({days, hours, 5, 6, overtime}), expected);
}

QTEST_MAIN(TestLocalization)
#include "tst_Localization.moc"
