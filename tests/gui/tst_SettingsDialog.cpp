#include "ColorArchive.h"
#include "ColorWell.h"
#include "TestProgram.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTestEventList>

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
    void timingControls_data();
    void timingControls();
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
    dialog->findChild<QCheckBox*>(QStringLiteral("compactCheckbox"))->click();
    QVERIFY(program.panel().isCompact());
    QList<Key> written;
    connect(&program.app->settings(), &Settings::changed, this, [&](Key key) { written.append(key); });
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("resetButton")), Qt::LeftButton);
    // Every setting, the four of earlier builds first, in the order of the keys.
    QList<Key> everyKey;
    for (int key = 0; key < int(Settings::KeyCount); ++key)
        everyKey.append(Key(key));
    QCOMPARE(written, everyKey);
    QVERIFY(!program.panel().isCompact());
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

// Typed or clicked as a user would; what is written, what the panel then counts, and what the field shows.
void TestSettingsDialog::timingControls_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QTestEventList>("input");
    QTest::addColumn<QList<Key>>("written");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("shown"); // the text a line edit shows afterwards

    const auto typed = [](const char* text) {
        QTestEventList input;
        input.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        input.addKeyClicks(QString::fromLatin1(text));
        input.addKeyClick(Qt::Key_Return);
        return input;
    };
    QTestEventList space;
    space.addKeyClick(Qt::Key_Space);
    QTestEventList up;
    up.addKeyClick(Qt::Key_Up);
    const QByteArray counting20 = "[General]\nEndMode=duration\nDuration=1200\n";

    QTest::newRow("duration typed") << QByteArray() << "durationEdit" << typed("1h30m")
                                    << QList<Key>{Key::Duration, Key::TargetDateTime, Key::EndMode} << "0:01:30:00"
                                    << "1:30:00";
    QTest::newRow("the duration in force, typed again")
        << counting20 << "durationEdit" << typed("20m") << QList<Key>{} << "60:00:00:00"
        << "20:00";
    QTestEventList typedWithoutEnter;
    typedWithoutEnter.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    typedWithoutEnter.addKeyClicks(QStringLiteral("25m"));
    QTest::newRow("duration typed, window closed")
        << QByteArray() << "durationEdit" << typedWithoutEnter
        << QList<Key>{Key::Duration, Key::TargetDateTime, Key::EndMode} << "0:00:25:00"
        << "25:00";
    QTestEventList tab;
    tab.addKeyClick(Qt::Key_Tab);
    QTest::newRow("left without typing") << QByteArray() << "durationEdit" << tab << QList<Key>{} << "60:00:00:00"
                                         << "20:00";
    QTest::newRow("unreadable duration") << QByteArray() << "durationEdit" << typed("20 min") << QList<Key>{}
                                         << "60:00:00:00"
                                         << "20:00";
    QTest::newRow("duration chosen") << QByteArray() << "durationRadioButton" << space
                                     << QList<Key>{Key::Duration, Key::TargetDateTime, Key::EndMode} << "0:00:20:00"
                                     << QString();
    QTest::newRow("a time of day an hour on")
        << QByteArray() << "timeOfDayEdit" << up << QList<Key>{Key::TargetDateTime, Key::EndMode} << "0:01:00:00"
        << QString();
    // 10:30 is now, so the next 10:30 is tomorrow's.
    QTest::newRow("time of day chosen") << QByteArray() << "timeOfDayRadioButton" << space
                                        << QList<Key>{Key::TargetDateTime, Key::EndMode} << "1:00:00:00" << QString();
    QTest::newRow("date chosen again") << counting20 << "dateTimeRadioButton" << space
                                       << QList<Key>{Key::TargetDateTime, Key::EndMode} << "60:00:00:00" << QString();
    QTest::newRow("warning typed") << QByteArray() << "warningEdit" << typed("2m")
                                   << QList<Key>{Key::WarningAt, Key::WarningOn} << "60:00:00:00"
                                   << "2:00";
    QTest::newRow("final warning typed") << QByteArray() << "finalEdit" << typed("30s")
                                         << QList<Key>{Key::FinalAt, Key::FinalOn} << "60:00:00:00"
                                         << "0:30";
    QTest::newRow("overtime ticked") << QByteArray() << "overtimeCheckbox" << space << QList<Key>{Key::Overtime}
                                     << "60:00:00:00" << QString();
    QTest::newRow("compact ticked while paused at 20:00")
        << QByteArray("[General]\nEndMode=duration\nPausedRemaining=1200000\n") << "compactCheckbox" << space
        << QList<Key>{Key::Compact} << "20:00" << QString();
}

void TestSettingsDialog::timingControls()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, control);
    QFETCH(QTestEventList, input);
    QFETCH(QList<Key>, written);
    QFETCH(QString, digits);
    QFETCH(QString, shown);
    TestProgram program(file);
    program.start();
    program.app->openSettings();
    auto* widget = program.app->settingsDialog()->findChild<QWidget*>(control);
    QVERIFY(QTest::qWaitForWindowActive(program.app->settingsDialog()));
    widget->setFocus();
    QList<Key> heard;
    connect(&program.app->settings(), &Settings::changed, this, [&](Key key) { heard.append(key); });
    input.simulate(widget);
    program.app->settingsDialog()->close(); // and what was typed without Enter counts
    QCOMPARE(heard, written);
    QCOMPARE(program.panel().digits(), digits);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->text(), shown);
    // Enter in a field takes what was typed and presses no button.
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible() || !qobject_cast<const QColorDialog*>(window), "a colour dialog opened");
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_SettingsDialog.moc"
