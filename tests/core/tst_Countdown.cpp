#include "ColorArchive.h"
#include "Countdown.h"
#include "DisplayFitting.h"
#include "FontMeasurer.h"
#include "PanelGeometry.h"
#include "WallClockWatcher.h"

#include <QGuiApplication>
#include <QMetaEnum>
#include <QTest>
#include <QTimeZone>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace PanelGeometry;
using DisplayFitting::Measurer;

// What the panel shows and where: the time left and its stages, the size and places of the digits and
// captions, the panel's geometry, and its colours as the settings keep them.
namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);

// A countdown to kNow from msecsLeft before it, then prepared; the clock then moves to leftAfter before kNow
// and the countdown ticks, or hears that the wall clock was set. What it announced and shows, in one line.
QString after(qint64 msecsLeft, qint64 leftAfter, const std::function<void(Countdown&)>& prepare = {},
              bool clockSet = false)
{
    QDateTime now = kNow.addMSecs(-msecsLeft);
    Countdown countdown([&now] { return now; });
    QStringList heard;
    QObject::connect(&countdown, &Countdown::finished, [&] { heard.append(u"finished"_s); });
    countdown.setTarget(kNow);
    if (prepare)
        prepare(countdown);
    QObject::connect(&countdown, &Countdown::stageChanged, [&](Countdown::Stage stage) {
        heard.append(QString::fromLatin1(QMetaEnum::fromType<Countdown::Stage>().valueToKey(int(stage))));
    });
    QObject::connect(&countdown, &Countdown::remainingChanged,
                     [&](const RemainingTime::Parts& parts) { heard.append(RemainingTime::text(parts)); });
    now = kNow.addMSecs(-leftAfter);
    clockSet ? emit countdown.findChild<WallClockWatcher*>()->clockChanged() : countdown.tick();
    return heard.join(u' ') + (countdown.isRunning() ? u" running"_s : u" stopped"_s);
}

Measurer linear(double widthPerSize, double heightPerSize)
{
    return [=](int size) { return QSizeF(widthPerSize * size, heightPerSize * size); };
}

// The font the panel really uses, every size measured once up front, so that the ascending search's
// 990 measurements per panel cost a table lookup.
Measurer realFont(const char* text)
{
    auto table = std::make_shared<std::array<QSizeF, DisplayFitting::TrialSizeBound>>();
    const Measurer measure = DisplayFitting::fontMeasurer(QGuiApplication::font(), QString::fromLatin1(text));
    for (int size = 1; size < DisplayFitting::TrialSizeBound; ++size)
        (*table)[size] = measure(size);
    return [table](int size) { return table->at(size); };
}

} // namespace

class TestCountdown : public QObject {
    Q_OBJECT

private slots:
    void timeLeft();
    void displayFitting();
    void panelGeometry();
    void colorArchive();
};

// Whole seconds left, rounded down; with overtime on, then also compact, the time past the end rounded up.
void TestCountdown::timeLeft()
{
    const auto shown = [](const QDateTime& target, const QDateTime& now) {
        Countdown countdown([now] { return now; });
        countdown.setTarget(target);
        const QString plain = RemainingTime::text(countdown.remaining());
        countdown.setOvertime(true);
        return QStringList{plain, RemainingTime::text(countdown.remaining()),
                           RemainingTime::text(countdown.remaining(), true)}
            .join(u' ');
    };
    const auto left = [&](qint64 msecs) { return shown(kNow.addMSecs(msecs), kNow); };
    QCOMPARE(left(273'906'700), "3:04:05:06 3:04:05:06 3:04:05:06"_L1);
    QCOMPARE(left(999), "0:00:00:00 0:00:00:00 0:00"_L1);
    QCOMPARE(left(-1), "0:00:00:00 -0:00:00:01 -0:01"_L1);
    QCOMPARE(left(4'799'500), "0:01:19:59 0:01:19:59 1:19:59"_L1);
    QCOMPARE(left(-7'200'000), "0:00:00:00 -0:02:00:00 -2:00:00"_L1);
    // The real time left across a daylight-saving change, not the difference of the wall-clock readings.
    const auto berlin = [](int hour) {
        return QDateTime(QDate(2026, 3, 29), QTime(hour, 0), QTimeZone("Europe/Berlin"));
    };
    QCOMPARE(shown(berlin(4), berlin(1)), "0:02:00:00 0:02:00:00 2:00:00"_L1);
    const auto utc = [](qint64 msecs) { return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC); };
    const qint64 most = std::numeric_limits<qint64>::max() - 1;
    QCOMPARE(shown(utc(most), utc(-most)), "106751991167:07:12:55 106751991167:07:12:55 106751991167:07:12:55"_L1);
    QCOMPARE(shown(kNow, QDateTime()), "0:00:00:00 0:00:00:00 0:00"_L1);

    // The time left comes from the wall clock at every tick, whatever the clock did in between. A threshold takes
    // effect on the tick that first shows its value, and the stage is announced before the digits. After the end
    // no timer runs, and only the notice that the clock was set brings the countdown back. A hold stands still.
    const auto stages = [](std::optional<qint64> warning, std::optional<qint64> final, bool overtime = false) {
        return [=](Countdown& countdown) {
            countdown.setThresholds(warning, final);
            countdown.setOvertime(overtime);
        };
    };
    QCOMPARE(after(90'000, 89'000), "0:00:01:29 running"_L1);
    QCOMPARE(after(36'000'000, 39'600'000), "0:11:00:00 running"_L1);                // set back an hour
    QCOMPARE(after(600'000, -86'400'000), "0:00:00:00 finished stopped"_L1);         // suspended past the end
    QCOMPARE(after(-5'000, 3'600'000, {}, true), "0:01:00:00 running"_L1);           // set back after the end
    QCOMPARE(after(60'000, -3'540'000, {}, true), "0:00:00:00 finished stopped"_L1); // set past the end
    QCOMPARE(after(3'600'000, 301'000, stages(300, {})), "0:00:05:01 running"_L1);
    QCOMPARE(after(3'600'000, 300'999, stages(300, {})), "Warning 0:00:05:00 running"_L1);
    QCOMPARE(after(3'600'000, 60'500, stages(300, 60)), "Final 0:00:01:00 running"_L1);
    QCOMPARE(after(3'600'000, -1, stages(300, 60, true)), "Overtime -0:00:00:01 finished running"_L1);
    const auto hold = [](qint64 msecs) { return [=](Countdown& countdown) { countdown.hold(msecs); }; };
    QCOMPARE(after(1'200'000, 900'000, hold(1'138'500), true), "0:00:18:58 stopped"_L1);
    QCOMPARE(after(1'200'000, 0, hold(-5)), "0:00:00:00 stopped"_L1);
    const auto heldThenSet = [](Countdown& countdown) {
        countdown.hold(5'000);
        countdown.setTarget(kNow); // a new target ends the hold
    };
    QCOMPARE(after(90'000, 89'000, heldThenSet), "0:00:01:29 running"_L1);
    QCOMPARE(Countdown().ticker().interval(), 1000);
}

// The size as the reference search (from 10 up to the first that overflows) and the fast one find it, and the
// captions' size.
void TestCountdown::displayFitting()
{
    const auto sizes = [](QSizeF panel, const Measurer& measure) {
        const int size = DisplayFitting::ascendingDigitSize(panel, measure);
        return QList<int>{size, DisplayFitting::digitSize(panel, measure), DisplayFitting::captionSize(size)};
    };
    QCOMPARE(sizes(QSizeF(400, 150), linear(4, 1.25)), (QList<int>{92, 92, 23}));
    QCOMPARE(sizes(QSizeF(1000, 80), linear(4, 1.25)), (QList<int>{40, 40, 10})); // the height decides
    // 37 x 10 equals the width limit of 370 exactly: that does not overflow, 38 does.
    QCOMPARE(sizes(QSizeF(400, 1000), linear(10, 0)), (QList<int>{37, 37, 9}));
    QCOMPARE(sizes(QSizeF(430, 1000), linear(4, 0)), (QList<int>{100, 100, 25})); // the estimate's own size
    QCOMPARE(sizes(QSizeF(5000, 5000), linear(1, 1)), (QList<int>{999, 999, 249}));
    QCOMPARE(sizes(QSizeF(0, 0), linear(0, 0)), (QList<int>{9, 9, 2})); // overflows at once
    // 370.3 rounds to the single-precision limit 370.2999878; a measurement of 370.3 is over it.
    const Measurer jump = [](int size) { return QSizeF(size >= 50 ? 370.3 : 0, 0); };
    QCOMPARE(sizes(QSizeF(400.3, 1000), jump), (QList<int>{49, 49, 12}));

    // The fast search agrees over panels from nothing to larger than a 4K screen, with no more than 20
    // measurements for any. Hinting makes real advances grow in uneven whole-pixel steps, as the last one does.
    for (const Measurer& measure :
         {realFont("0:00:00:00"), realFont("-1:05"), linear(12.7, 1.17),
          Measurer([](int s) { return QSizeF(std::pow(s, 1.3), 0.8 * s); }),
          Measurer([](int s) { return QSizeF(200 + 40 * std::sqrt(s), 15 + std::sqrt(s)); }),
          Measurer([](int s) { return QSizeF(std::floor(s * 5.46 / 3) * 3, std::ceil(s * 1.17)); })}) {
        int calls = 0;
        const Measurer counted = [&](int size) {
            ++calls;
            return measure(size);
        };
        for (int width = 0; width <= 4200; width += 37) {
            for (int height = 0; height <= 2300; height += 29, calls = 0) {
                const QSizeF panel(width, height);
                QCOMPARE(DisplayFitting::digitSize(panel, counted), DisplayFitting::ascendingDigitSize(panel, measure));
                QVERIFY(calls <= 20);
            }
        }
    }

    // Frames from the panel's bottom-left corner, y upward. With the display 300 wide: unit 33, offset 11, pitch
    // 77; the truncated half of the days caption's height raises the digits.
    const QSizeF display(300, 110);
    const std::array<QSizeF, 4> captions{QSizeF(40, 17), QSizeF(200, 18), QSizeF(5, 3), QSizeF(55, 17)};
    const auto plain = DisplayFitting::placeFields(QSizeF(400, 150), display, captions);
    QCOMPARE(plain.display, QRectF(50, 28, 300, 110));
    for (int i = 0; i < 4; ++i) // on one line, at the same places whatever their widths
        QCOMPARE(plain.captions[i], QRectF(QPointF(61 + 77 * i, 11), captions[i]));
    // Other texts than the four plain groups: each caption centred under its own group, on the same line.
    const QList<DisplayFitting::Span> groups{{40, 100}, {160, 130}}; // behind a minus
    const auto under = DisplayFitting::placeUnderGroups(QSizeF(400, 150), display, {captions[0], captions[1]}, groups);
    QCOMPARE(under.display, plain.display);
    QCOMPARE(under.captions, (QList<QRectF>{QRectF(120, 11, 40, 17), QRectF(175, 11, 200, 18)}));
    // Widgets sit on whole pixels, y downward; a caption's top meets the digits' bottom.
    const auto half = DisplayFitting::placeFields(QSizeF(401, 151), display, {QSizeF(40, 18), {}, {}, {}});
    QCOMPARE(DisplayFitting::toWidgetRect(half.display, 151), QRect(51, 12, 300, 110));
    QCOMPARE(DisplayFitting::toWidgetRect(half.captions[0], 151).top(), 122);
}

void TestCountdown::panelGeometry()
{
    // Content 400 x 150 at (14, 10) inside its shadow margin; border 6, grip 16.
    const auto at = [](int x, int y) { return edgesAt(QRect(14, 10, 400, 150), QPoint(x, y), 6, 16); };
    QCOMPARE(at(19, 11), Edges(Left) | Top);
    QCOMPARE(at(20, 80), Edges(NoEdge));           // just past the left band
    QCOMPARE(at(400, 146), Edges(Right) | Bottom); // the grip square
    QCOMPARE(at(3, 170), Edges(Left) | Bottom);    // the shadow below the bottom-left corner
    // The minimum is 120 x 48: the dragged edge stops there, the opposite one stays put.
    const auto drag = [](Edges edges, int x, int y) {
        return resized(QRect(100, 100, 400, 150), edges, QPoint(x, y), QSize(120, 48));
    };
    QCOMPARE(drag(Right | Bottom, 160, 70), QRect(100, 100, 560, 220));
    QCOMPARE(drag(Left, 1000, 0), QRect(380, 100, 120, 150));
    QCOMPARE(drag(Top, 0, 500), QRect(100, 202, 400, 48));

    QCOMPARE(centredOrigin(QRectF(1440, 0, 1920, 1080), QSizeF(401, 300)), QPointF(2199.5, 390));
    // The laptop at the origin is the primary screen; the projector stands to its right.
    const QRect laptop(0, 0, 1440, 900);
    const std::vector<NamedScreen> both{{u"laptop"_s, laptop}, {u"projector"_s, QRect(1440, 0, 1920, 1080)}};
    const Place onProjector{QRect(2000, 900, 400, 150), u"projector"_s};
    QCOMPARE(restoredRect(onProjector, both, laptop), onProjector.rect);
    QCOMPARE(restoredRect(onProjector, {both[0]}, laptop), QRect(1040, 750, 400, 150)); // unplugged
    QCOMPARE(restoredRect({QRect(1300, -50, 400, 150), u"laptop"_s}, both, laptop), QRect(1040, 0, 400, 150));
    QCOMPARE(restoredRect({QRect(1500, 10, 1800, 1000), QString()}, both, laptop), laptop);
    // The entry in the settings file, written by placeText() or damaged.
    const Place place{QRect(-1440, 20, 400, 150), u"HDMI 1"_s};
    QCOMPARE(readPlace(placeText(place)), place);
    for (const char* damaged : {"1 2 3 4", "1 two 3 4 laptop", "1 2 0 4 laptop", "1 2147483647 3 4 laptop"})
        QVERIFY2(!readPlace(QString::fromLatin1(damaged)), damaged);
}

void TestCountdown::colorArchive()
{
    // Pinned where the files of earlier versions hold them.
    QCOMPARE(ColorArchive::archive(Qt::black).toHex(), "01ffff0000000000000000");
    QCOMPARE(ColorArchive::archive(QColor(255, 0, 0, 100)).toHex(), "016464ffff000000000000");
    for (const QColor& color : {QColor::fromHsv(359, 200, 100), QColor::fromHsv(-1, 0, 128),
                                QColor::fromCmyk(10, 20, 30, 40, 50), QColor::fromRgbF(1.5f, -0.25f, 0.5f, 0.75f)})
        QCOMPARE(ColorArchive::unarchive(ColorArchive::archive(color)), std::optional(color));
    // Records that Qt itself would never write, as a damaged settings file may hold them: empty, truncated, a
    // byte too many, an unknown model, padding after rgb and hsv, a hue past 359.99, and in extended rgb a NaN
    // and an alpha above one.
    for (const char* hex :
         {"", "01ffff00000000000000", "01ffff000000000000000000", "09ffff0000000000000000", "01ffff0000000000000001",
          "02ffff0000ffffffff0001", "02ffff8ca0ffffffff0000", "053c007e003c003c000000", "0540003c003c003c000000"})
        QVERIFY2(!ColorArchive::unarchive(QByteArray::fromHex(hex)), hex);
}

QTEST_MAIN(TestCountdown)
#include "tst_Countdown.moc"
