#include "Localization.h"
#include "TestProgram.h"

#include <QAccessible>
#include <QCheckBox>
#include <QTranslator>

using Parts = RemainingTime::Parts;
Q_DECLARE_METATYPE(Parts)

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
    QCOMPARE(CountdownPanel::tr("Seconds", "caption under the seconds digits"), QStringLiteral("Sekunden"));
    program.app->openSettings();
    QCOMPARE(program.app->settingsDialog()->findChild<QCheckBox*>(QStringLiteral("overtimeCheckbox"))->text(),
             QStringLiteral("Zeitüberschrei&tung"));
    // The digits keep their one format in every language; the words are for screen readers.
    QCOMPARE(program.panel().digits(), QStringLiteral("3:04:05:06"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&program.panel())->text(QAccessible::Name),
             QStringLiteral("3 Tage, 4 Stunden, 5 Minuten, 6 Sekunden verbleibend"));
}

void TestLocalization::spokenTime_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<Parts>("parts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("German singular, over time")
        << "de_AT" << Parts{1, 1, 5, 6, true} << "1 Tag, 1 Stunde, 5 Minuten, 6 Sekunden überzogen";
    QTest::newRow("French over time") << "fr_FR" << Parts{1, 0, 5, 6, true}
                                      << "dépassement de 1 jour, 0 heure, 5 minutes, 6 secondes";
    QTest::newRow("a language we lack reads English")
        << "es_ES" << Parts{2, 0, 5, 6} << "2 days, 0 hours, 5 minutes, 6 seconds left";
}

void TestLocalization::spokenTime()
{
    QFETCH(QString, language);
    QFETCH(Parts, parts);
    QLocale::setDefault(QLocale(language));
    Localization::install(qApp);
    QTEST(RemainingTime::spoken(parts), "expected");
}

QTEST_MAIN(TestLocalization)
#include "tst_Localization.moc"
