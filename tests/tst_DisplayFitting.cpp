#include "app/DisplayFitting.h"

#include <QTest>

#include <cmath>

using DisplayFitting::Measurer;

Q_DECLARE_METATYPE(Measurer)

namespace {

Measurer linear(double widthPerSize, double heightPerSize)
{
    return [=](int size) { return QSizeF(widthPerSize * size, heightPerSize * size); };
}

} // namespace

class TestDisplayFitting : public QObject {
    Q_OBJECT

private slots:
    void digitSize_data();
    void digitSize();
    void searchClimbsFromTenByOne();
    void fastSearchAgreesWithTheAscendingOne_data();
    void fastSearchAgreesWithTheAscendingOne();
    void captionSize_data();
    void captionSize();
    void placeFields_data();
    void placeFields();
    void captionWidthsDoNotMoveNeighbours();
    void toWidgetRectFlipsTheAxis();
};

void TestDisplayFitting::digitSize_data()
{
    QTest::addColumn<QSizeF>("panel");
    QTest::addColumn<Measurer>("measure");
    QTest::addColumn<int>("expected");

    QTest::newRow("worked example 400x150") << QSizeF(400, 150) << linear(4, 1.25) << 92;
    QTest::newRow("height decides") << QSizeF(1000, 80) << linear(4, 1.25) << 40;
    // 37 x 10 equals the width limit of 370 exactly: that does not overflow, 38 does.
    QTest::newRow("equal to the limit") << QSizeF(400, 1000) << linear(10, 0) << 37;
    QTest::newRow("fits at every size") << QSizeF(5000, 5000) << linear(1, 1) << 999;
    QTest::newRow("overflows at once") << QSizeF(30, 150) << linear(0.01, 0.01) << 9;
    QTest::newRow("no panel") << QSizeF(0, 0) << linear(0, 0) << 9;
    QTest::newRow("empty text in a real panel") << QSizeF(400, 150) << linear(0, 0) << 999;
    // 370.3 rounds to the single-precision limit 370.2999878; a measurement of 370.3 is over it.
    QTest::newRow("limit held in single precision")
        << QSizeF(400.3, 1000) << Measurer([](int size) { return QSizeF(size >= 50 ? 370.3 : 0, 0); }) << 49;
}

void TestDisplayFitting::digitSize()
{
    QFETCH(QSizeF, panel);
    QFETCH(Measurer, measure);
    QFETCH(int, expected);
    QCOMPARE(DisplayFitting::ascendingDigitSize(panel, measure), expected);
    QCOMPARE(DisplayFitting::digitSize(panel, measure), expected);
}

void TestDisplayFitting::searchClimbsFromTenByOne()
{
    QList<int> trials;
    const auto recorded = [&](int size) {
        trials.append(size);
        return QSizeF(4.0 * size, 1.25 * size);
    };
    QCOMPARE(DisplayFitting::ascendingDigitSize(QSizeF(400, 150), recorded), 92);
    QCOMPARE(trials.size(), 84);
    QCOMPARE(trials.first(), 10);
    QCOMPARE(trials.last(), 93);

    trials.clear();
    DisplayFitting::ascendingDigitSize(QSizeF(1e6, 1e6), recorded);
    QCOMPARE(trials.size(), 990);
    QCOMPARE(trials.last(), 999);
}

void TestDisplayFitting::fastSearchAgreesWithTheAscendingOne_data()
{
    QTest::addColumn<Measurer>("measure");
    QTest::newRow("worked example") << linear(4, 1.25);
    QTest::newRow("wide text") << linear(12.7, 1.17);
    QTest::newRow("tall text") << linear(0.3, 2.9);
    QTest::newRow("convex") << Measurer([](int s) { return QSizeF(std::pow(s, 1.3), 0.8 * s); });
    QTest::newRow("concave") << Measurer([](int s) { return QSizeF(40 * std::sqrt(s), std::sqrt(s)); });
    // Hinting makes real advances grow in uneven whole-pixel steps.
    QTest::newRow("stepped") << Measurer(
        [](int s) { return QSizeF(std::floor(s * 5.46 / 3) * 3, std::ceil(s * 1.17)); });
    QTest::newRow("offset") << Measurer([](int s) { return QSizeF(200 + 2.0 * s, 15 + s); });
    QTest::newRow("empty text") << linear(0, 0);
}

void TestDisplayFitting::fastSearchAgreesWithTheAscendingOne()
{
    QFETCH(Measurer, measure);
    int calls = 0;
    int mostCalls = 0;
    const Measurer counted = [&](int size) {
        ++calls;
        return measure(size);
    };
    for (int width = 0; width <= 4200; width += 37) {
        for (int height = 0; height <= 2300; height += 29) {
            const QSizeF panel(width, height);
            calls = 0;
            const int fast = DisplayFitting::digitSize(panel, counted);
            mostCalls = std::max(mostCalls, calls);
            QCOMPARE(fast, DisplayFitting::ascendingDigitSize(panel, measure));
        }
    }
    QVERIFY2(mostCalls <= 20, qPrintable(QString::number(mostCalls)));
}

void TestDisplayFitting::captionSize_data()
{
    QTest::addColumn<int>("digitSize");
    QTest::addColumn<int>("expected");
    QTest::newRow("worked example") << 92 << 23;
    QTest::newRow("remainder dropped") << 95 << 23;
    QTest::newRow("smallest") << 9 << 2;
    QTest::newRow("largest") << 999 << 249;
}

void TestDisplayFitting::captionSize()
{
    QFETCH(int, digitSize);
    QFETCH(int, expected);
    QCOMPARE(DisplayFitting::captionSize(digitSize), expected);
}

void TestDisplayFitting::placeFields_data()
{
    QTest::addColumn<QSizeF>("panel");
    QTest::addColumn<QSizeF>("display");
    QTest::addColumn<double>("daysHeight");
    QTest::addColumn<QRectF>("expectedDisplay");
    QTest::addColumn<QList<double>>("expectedCaptionXs");
    QTest::addColumn<double>("expectedCaptionY");

    // u = 33, o = 11, p = 77; the truncated half of 17 adds 8 to y.
    QTest::newRow("worked example") << QSizeF(400, 150) << QSizeF(300, 110) << 17.0 << QRectF(50, 28, 300, 110)
                                    << QList<double>{61, 138, 215, 292} << 11.0;
    QTest::newRow("half-point x") << QSizeF(401, 150) << QSizeF(300, 110) << 17.0 << QRectF(50.5, 28, 300, 110)
                                  << QList<double>{61.5, 138.5, 215.5, 292.5} << 11.0;
    QTest::newRow("half-point y") << QSizeF(400, 151) << QSizeF(300, 110) << 18.0 << QRectF(50, 29.5, 300, 110)
                                  << QList<double>{61, 138, 215, 292} << 11.5;
    QTest::newRow("unit zero") << QSizeF(100, 50) << QSizeF(8, 10) << 4.0 << QRectF(46, 22, 8, 10)
                               << QList<double>{46, 46, 46, 46} << 18.0;
    QTest::newRow("missing fields") << QSizeF(0, 0) << QSizeF(0, 0) << 0.0 << QRectF(0, 0, 0, 0)
                                    << QList<double>{0, 0, 0, 0} << 0.0;
}

void TestDisplayFitting::placeFields()
{
    QFETCH(QSizeF, panel);
    QFETCH(QSizeF, display);
    QFETCH(double, daysHeight);
    QFETCH(QRectF, expectedDisplay);
    QFETCH(QList<double>, expectedCaptionXs);
    QFETCH(double, expectedCaptionY);

    const std::array<QSizeF, 4> captions{QSizeF(40, daysHeight), QSizeF(45, daysHeight + 1), QSizeF(50, 3),
                                         QSizeF(55, daysHeight)};
    const auto layout = DisplayFitting::placeFields(panel, display, captions);
    QCOMPARE(layout.display, expectedDisplay);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(layout.captions[i].x(), expectedCaptionXs[i]);
        QCOMPARE(layout.captions[i].y(), expectedCaptionY);
        QCOMPARE(layout.captions[i].size(), captions[i]);
    }
}

void TestDisplayFitting::captionWidthsDoNotMoveNeighbours()
{
    const std::array<QSizeF, 4> narrow{QSizeF(10, 17), QSizeF(10, 17), QSizeF(10, 17), QSizeF(10, 17)};
    const std::array<QSizeF, 4> wide{QSizeF(90, 17), QSizeF(200, 17), QSizeF(5, 17), QSizeF(120, 17)};
    const auto a = DisplayFitting::placeFields(QSizeF(400, 150), QSizeF(300, 110), narrow);
    const auto b = DisplayFitting::placeFields(QSizeF(400, 150), QSizeF(300, 110), wide);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(a.captions[i].topLeft(), b.captions[i].topLeft());
}

void TestDisplayFitting::toWidgetRectFlipsTheAxis()
{
    QCOMPARE(DisplayFitting::toWidgetRect(QRectF(50, 28, 300, 110), 150), QRect(50, 12, 300, 110));
    QCOMPARE(DisplayFitting::toWidgetRect(QRectF(61, 11, 40, 17), 150), QRect(61, 122, 40, 17));
    // A caption's top edge meets the display field's bottom edge after the flip as before it.
    const QRect display = DisplayFitting::toWidgetRect(QRectF(50.5, 29.5, 300, 110), 151);
    const QRect caption = DisplayFitting::toWidgetRect(QRectF(61.5, 11.5, 40, 18), 151);
    QCOMPARE(caption.top(), display.bottom() + 1);
}

QTEST_GUILESS_MAIN(TestDisplayFitting)
#include "tst_DisplayFitting.moc"
