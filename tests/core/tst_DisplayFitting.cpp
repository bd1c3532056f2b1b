#include "DisplayFitting.h"
#include "FontMeasurer.h"

#include <QGuiApplication>
#include <QTest>

#include <cmath>

using DisplayFitting::Measurer;

Q_DECLARE_METATYPE(Measurer)
Q_DECLARE_METATYPE(QList<DisplayFitting::Span>)

namespace {

Measurer linear(double widthPerSize, double heightPerSize)
{
    return [=](int size) { return QSizeF(widthPerSize * size, heightPerSize * size); };
}

// The font the panel really uses, every size measured once up front, so that the ascending search's
// 990 measurements per panel cost a table lookup.
Measurer realFont(const QString& text)
{
    auto table = std::make_shared<std::array<QSizeF, DisplayFitting::TrialSizeBound>>();
    const Measurer measure = DisplayFitting::fontMeasurer(QGuiApplication::font(), text);
    for (int size = 1; size < DisplayFitting::TrialSizeBound; ++size)
        (*table)[size] = measure(size);
    return [table](int size) { return table->at(size); };
}

} // namespace

class TestDisplayFitting : public QObject {
    Q_OBJECT

private slots:
    void digitSize_data();
    void digitSize();
    void fastSearchAgreesWithTheAscendingOne_data();
    void fastSearchAgreesWithTheAscendingOne();
    void placeFields_data();
    void placeFields();
    void placeUnderGroups_data();
    void placeUnderGroups();
};

void TestDisplayFitting::digitSize_data()
{
    QTest::addColumn<QSizeF>("panel");
    QTest::addColumn<Measurer>("measure");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("captionSize");

    QTest::newRow("worked example 400x150") << QSizeF(400, 150) << linear(4, 1.25) << 92 << 23;
    QTest::newRow("height decides") << QSizeF(1000, 80) << linear(4, 1.25) << 40 << 10;
    // 37 x 10 equals the width limit of 370 exactly: that does not overflow, 38 does.
    QTest::newRow("equal to the limit") << QSizeF(400, 1000) << linear(10, 0) << 37 << 9;
    QTest::newRow("fits at every size") << QSizeF(5000, 5000) << linear(1, 1) << 999 << 249;
    QTest::newRow("overflows at once") << QSizeF(30, 150) << linear(0.01, 0.01) << 9 << 2;
    QTest::newRow("no panel") << QSizeF(0, 0) << linear(0, 0) << 9 << 2;
    QTest::newRow("empty text in a real panel") << QSizeF(400, 150) << linear(0, 0) << 999 << 249;
    // 370.3 rounds to the single-precision limit 370.2999878; a measurement of 370.3 is over it.
    QTest::newRow("limit held in single precision")
        << QSizeF(400.3, 1000) << Measurer([](int size) { return QSizeF(size >= 50 ? 370.3 : 0, 0); }) << 49 << 12;
}

void TestDisplayFitting::digitSize()
{
    QFETCH(QSizeF, panel);
    QFETCH(Measurer, measure);
    QFETCH(int, expected);
    QFETCH(int, captionSize);
    QList<int> trials;
    const Measurer recorded = [&](int size) {
        trials.append(size);
        return measure(size);
    };
    // The reference climbs from 10 by one and stops at the first size that overflows.
    QCOMPARE(DisplayFitting::ascendingDigitSize(panel, recorded), expected);
    QCOMPARE(trials.first(), DisplayFitting::FirstTrialSize);
    QCOMPARE(trials.last(),
             std::clamp(expected + 1, DisplayFitting::FirstTrialSize, DisplayFitting::TrialSizeBound - 1));
    QCOMPARE(DisplayFitting::digitSize(panel, measure), expected);
    QCOMPARE(DisplayFitting::captionSize(expected), captionSize);
}

void TestDisplayFitting::fastSearchAgreesWithTheAscendingOne_data()
{
    QTest::addColumn<Measurer>("measure");
    QTest::newRow("real font, 0:00:00:00") << realFont(QStringLiteral("0:00:00:00"));
    QTest::newRow("real font, 123:04:05:06") << realFont(QStringLiteral("123:04:05:06"));
    QTest::newRow("real font, compact 19:59") << realFont(QStringLiteral("19:59"));
    QTest::newRow("real font, compact 0:05") << realFont(QStringLiteral("0:05"));
    QTest::newRow("real font, compact 1:19:59") << realFont(QStringLiteral("1:19:59"));
    QTest::newRow("real font, overtime -0:00:01:05") << realFont(QStringLiteral("-0:00:01:05"));
    QTest::newRow("real font, compact overtime -1:05") << realFont(QStringLiteral("-1:05"));
    QTest::newRow("real font, compact overtime -12:00:00") << realFont(QStringLiteral("-12:00:00"));
    QTest::newRow("wide text") << linear(12.7, 1.17);
    QTest::newRow("tall text") << linear(0.3, 2.9);
    QTest::newRow("convex") << Measurer([](int s) { return QSizeF(std::pow(s, 1.3), 0.8 * s); });
    QTest::newRow("concave") << Measurer([](int s) { return QSizeF(40 * std::sqrt(s), std::sqrt(s)); });
    // Hinting makes real advances grow in uneven whole-pixel steps.
    QTest::newRow("stepped") << Measurer(
        [](int s) { return QSizeF(std::floor(s * 5.46 / 3) * 3, std::ceil(s * 1.17)); });
    QTest::newRow("offset") << Measurer([](int s) { return QSizeF(200 + 2.0 * s, 15 + s); });
}

// Over panels from nothing to larger than a 4K screen, with no more than 20 measurements for any.
void TestDisplayFitting::fastSearchAgreesWithTheAscendingOne()
{
    QFETCH(Measurer, measure);
    int calls = 0;
    int mostCalls = 0;
    int differences = 0;
    const Measurer counted = [&](int size) {
        ++calls;
        return measure(size);
    };
    for (int width = 0; width <= 4200; width += 37) {
        for (int height = 0; height <= 2300; height += 29) {
            calls = 0;
            differences += DisplayFitting::digitSize(QSizeF(width, height), counted) !=
                           DisplayFitting::ascendingDigitSize(QSizeF(width, height), measure);
            mostCalls = std::max(mostCalls, calls);
        }
    }
    QCOMPARE(differences, 0);
    QVERIFY2(mostCalls <= 20, qPrintable(QString::number(mostCalls)));
}

void TestDisplayFitting::placeFields_data()
{
    QTest::addColumn<QSizeF>("panel");
    QTest::addColumn<QSizeF>("display");
    QTest::addColumn<double>("daysHeight");
    QTest::addColumn<QRectF>("displayFrame"); // from the panel's bottom-left corner, y upward
    QTest::addColumn<QList<double>>("captionXs");
    QTest::addColumn<double>("captionY");

    // u = 33, o = 11, p = 77; the truncated half of 17 adds 8 to y. Captions stand on one line under the
    // digits, at the same places whatever their widths.
    QTest::newRow("worked example") << QSizeF(400, 150) << QSizeF(300, 110) << 17.0 << QRectF(50, 28, 300, 110)
                                    << QList<double>{61, 138, 215, 292} << 11.0;
    QTest::newRow("half-point x") << QSizeF(401, 150) << QSizeF(300, 110) << 17.0 << QRectF(50.5, 28, 300, 110)
                                  << QList<double>{61.5, 138.5, 215.5, 292.5} << 11.0;
    QTest::newRow("half-point y") << QSizeF(400, 151) << QSizeF(300, 110) << 18.0 << QRectF(50, 29.5, 300, 110)
                                  << QList<double>{61, 138, 215, 292} << 11.5;
    QTest::newRow("unit zero") << QSizeF(100, 50) << QSizeF(8, 10) << 4.0 << QRectF(46, 22, 8, 10)
                               << QList<double>{46, 46, 46, 46} << 18.0;
}

void TestDisplayFitting::placeFields()
{
    QFETCH(QSizeF, panel);
    QFETCH(QSizeF, display);
    QFETCH(double, daysHeight);
    QFETCH(QRectF, displayFrame);
    QFETCH(QList<double>, captionXs);
    QFETCH(double, captionY);

    const std::array<QSizeF, 4> captions{QSizeF(40, daysHeight), QSizeF(200, daysHeight + 1), QSizeF(5, 3),
                                         QSizeF(55, daysHeight)};
    const auto layout = DisplayFitting::placeFields(panel, display, captions);
    QCOMPARE(layout.display, displayFrame);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(layout.captions[i], QRectF(QPointF(captionXs[i], captionY), captions[i]));
    // Widgets sit on whole pixels, y downward; a caption's top meets the digits' bottom there too.
    const QRect digits = DisplayFitting::toWidgetRect(layout.display, panel.height());
    QCOMPARE(digits.size(), display.toSize());
    QCOMPARE(DisplayFitting::toWidgetRect(layout.captions[0], panel.height()).top(), digits.bottom() + 1);
}

void TestDisplayFitting::placeUnderGroups_data()
{
    using DisplayFitting::Span;
    QTest::addColumn<QSizeF>("panel");
    QTest::addColumn<QList<Span>>("groups"); // from the text's left edge
    QTest::addColumn<QList<double>>("captionXs");

    // The display field as in the worked example: x 50, y 28, 300 x 110; captions 40 and 60 wide.
    QTest::newRow("minutes and seconds") << QSizeF(400, 150) << QList<Span>{{0, 130}, {170, 130}}
                                         << QList<double>{95, 255};
    QTest::newRow("behind a minus") << QSizeF(400, 150) << QList<Span>{{40, 100}, {160, 130}}
                                    << QList<double>{120, 245};
    QTest::newRow("half-point x") << QSizeF(401, 150) << QList<Span>{{0, 131}, {170, 131}} << QList<double>{96, 256};
}

// Each caption centred under its own group, on the line the four plain captions stand on.
void TestDisplayFitting::placeUnderGroups()
{
    QFETCH(QSizeF, panel);
    QFETCH(QList<DisplayFitting::Span>, groups);
    QFETCH(QList<double>, captionXs);
    const QList<QSizeF> captions{QSizeF(40, 17), QSizeF(60, 20)};
    const auto layout = DisplayFitting::placeUnderGroups(panel, QSizeF(300, 110), captions, groups);
    const auto plain =
        DisplayFitting::placeFields(panel, QSizeF(300, 110), {captions[0], captions[1], captions[0], captions[1]});
    QCOMPARE(layout.display, plain.display);
    QCOMPARE(layout.captions, (QList<QRectF>{QRectF(QPointF(captionXs[0], plain.captions[0].y()), captions[0]),
                                             QRectF(QPointF(captionXs[1], plain.captions[0].y()), captions[1])}));
}

QTEST_MAIN(TestDisplayFitting)
#include "tst_DisplayFitting.moc"
