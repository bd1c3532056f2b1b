#include "ColorArchive.h"
#include "ColorWell.h"
#include "TestProgram.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QSettings>

using Key = Settings::Key;

namespace {

QVariant stored(const TestProgram& program, Key key)
{
    const QSettings file(program.settingsFile(), QSettings::IniFormat);
    return file.value(program.app->settings().storedName(key));
}

} // namespace

// Every change in the window shows on the panel at once; Reset puts back the very bytes read at opening.
class TestSettingsDialog : public QObject {
    Q_OBJECT

private slots:
    void resetPutsBackWhatWasThere_data();
    void resetPutsBackWhatWasThere();
    void controlsWriteOnceEach();
};

void TestSettingsDialog::resetPutsBackWhatWasThere_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QColor>("shownBackground");
    QTest::addColumn<QVariant>("afterReset");
    const QByteArray navy = ColorArchive::archive(QColor(10, 20, 30));
    QTest::newRow("a colour")
        << QByteArray("[General]\nZKVBgColor=@ByteArray(\\x1\\xff\\xff\\n\\n\\x14\\x14\\x1e\\x1e\\0\\0)\n")
        << QColor(10, 20, 30) << QVariant(navy);
    QTest::newRow("undecodable bytes go back as they were")
        << QByteArray("[General]\nZKVBgColor=@ByteArray(\\a not a colour)\n") << QColor(Qt::white)
        << QVariant(QByteArray("\a not a colour"));
    QTest::newRow("a word in place of a colour is stored as the white shown")
        << QByteArray("[General]\nZKVBgColor=magenta\n") << QColor(Qt::white)
        << QVariant(ColorArchive::archive(Qt::white));
    QTest::newRow("no file: the defaults are written")
        << QByteArray() << QColor(Qt::white) << QVariant(ColorArchive::archive(Qt::white));
}

void TestSettingsDialog::resetPutsBackWhatWasThere()
{
    QFETCH(QByteArray, file);
    QFETCH(QColor, shownBackground);
    QFETCH(QVariant, afterReset);
    TestProgram program(file);
    program.start();
    program.app->openSettings();
    SettingsDialog* dialog = program.app->settingsDialog();
    auto* well = dialog->findChild<ColorWell*>(QStringLiteral("bgColorWell"));
    QCOMPARE(well->color(), shownBackground);

    for (const QColor color : {QColor(Qt::red), QColor(Qt::darkGreen)}) {
        // Picked in the well's colour dialog and confirmed, as a user would.
        QTest::mouseClick(well, Qt::LeftButton);
        well->dialog()->setCurrentColor(color);
        well->dialog()->accept();
        QCOMPARE(program.panel().backgroundColor(), color);
    }
    QList<Key> written;
    connect(&program.app->settings(), &Settings::changed, this, [&](Key key) { written.append(key); });
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("resetButton")), Qt::LeftButton);
    QCOMPARE(written, (QList<Key>{Key::TargetDateTime, Key::TextColor, Key::BgColor, Key::DropShadow}));
    QCOMPARE(well->color(), shownBackground);
    QCOMPARE(stored(program, Key::BgColor), afterReset);
    QCOMPARE(program.panel().backgroundColor(), shownBackground);
}

void TestSettingsDialog::controlsWriteOnceEach()
{
    TestProgram program;
    program.start();
    program.app->openSettings();
    SettingsDialog* dialog = program.app->settingsDialog();
    QList<Key> written;
    connect(&program.app->settings(), &Settings::changed, this, [&](Key key) { written.append(key); });

    auto* picker = dialog->findChild<QDateTimeEdit*>(QStringLiteral("targetDateTimePicker"));
    QCOMPARE(picker->dateTime(), program.now.addDays(60).toLocalTime());
    picker->setFocus();
    picker->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(program.panel().digits(), QStringLiteral("61:00:00:00"));
    // Shown in local time, stored as the moment it names.
    QCOMPARE(stored(program, Key::TargetDateTime).toDateTime().timeSpec(), Qt::UTC);

    auto* checkbox = dialog->findChild<QCheckBox*>(QStringLiteral("dropShadowCheckbox"));
    QTest::mouseClick(checkbox, Qt::LeftButton, {}, QPoint(6, checkbox->height() / 2)); // on the tick box
    QVERIFY(!program.panel().hasShadow());
    // Only a plain tick means on; the mixed state of a tri-state box does not.
    checkbox->setTristate(true);
    checkbox->setCheckState(Qt::PartiallyChecked);
    emit checkbox->clicked();
    QCOMPARE(program.app->settings().dropShadow(), false);
    QCOMPARE(written, (QList<Key>{Key::TargetDateTime, Key::DropShadow, Key::DropShadow}));
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_SettingsDialog.moc"
