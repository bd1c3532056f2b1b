#include "app/DisplayFitting.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

#include <array>

// The fast search against the ascending one with the font the panel really uses, over a sweep of panels
// from tiny to larger than a 4K screen. Every size is measured once up front, so that the ascending
// search's 990 measurements per panel cost a table lookup.
class TestFittingSweep : public QObject {
    Q_OBJECT

private slots:
    void fastEqualsAscendingWithTheRealFont_data();
    void fastEqualsAscendingWithTheRealFont();
};

void TestFittingSweep::fastEqualsAscendingWithTheRealFont_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << QStringLiteral("0:00:00:00");
    QTest::newRow("three-digit days") << QStringLiteral("123:04:05:06");
}

void TestFittingSweep::fastEqualsAscendingWithTheRealFont()
{
    QFETCH(QString, text);
    std::array<QSizeF, DisplayFitting::TrialSizeBound> table{};
    QFont font = QGuiApplication::font();
    for (int size = 1; size < DisplayFitting::TrialSizeBound; ++size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        table[size] = QSizeF(metrics.horizontalAdvance(text), metrics.height());
        QVERIFY(table[size].width() >= table[size - 1].width() && table[size].height() >= table[size - 1].height());
    }
    const DisplayFitting::Measurer measure = [&table](int size) { return table.at(size); };

    int panels = 0;
    int differences = 0;
    for (int width = 40; width <= 4000; width += 33) {
        for (int height = 30; height <= 2200; height += 26) {
            const QSizeF panel(width, height);
            ++panels;
            if (DisplayFitting::digitSize(panel, measure) != DisplayFitting::ascendingDigitSize(panel, measure))
                ++differences;
        }
    }
    QVERIFY(panels >= 10000);
    QCOMPARE(differences, 0);
    qInfo("%d panels, %d differences", panels, differences);
}

QTEST_MAIN(TestFittingSweep)
#include "tst_FittingSweep.moc"
