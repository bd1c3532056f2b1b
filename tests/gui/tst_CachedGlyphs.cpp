#include "CachedGlyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>

// The pixels where two images differ, and the middle of the first one's darkness.
static std::pair<QRect, QPointF> compare(const QImage& image, const QImage& other)
{
    QRect differ;
    QPointF sum;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != other.pixel(x, y))
                differ |= QRect(x, y, 1, 1);
            weight += 255 - qGreen(image.pixel(x, y));
            sum += QPointF(x, y) * (255 - qGreen(image.pixel(x, y)));
        }
    }
    return {differ, sum / weight};
}

class TestCachedGlyphs : public QObject {
    Q_OBJECT

private slots:
    void drawsWhereDrawTextWould_data();
    void drawsWhereDrawTextWould();
};

// Sizes on both sides of the largest glyph Qt caches itself (64 px), whose outlines it fills at any place.
void TestCachedGlyphs::drawsWhereDrawTextWould_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("small, last digit") << 12 << QStringLiteral("3:04:59:18") << QStringLiteral("3:04:59:17");
    QTest::newRow("64 px, minutes") << 64 << QStringLiteral("0:01:00:00") << QStringLiteral("0:00:59:59");
    QTest::newRow("65 px, narrow one to wide eight") << 65 << QStringLiteral("12:11") << QStringLiteral("12:18");
    QTest::newRow("large, over time") << 151 << QStringLiteral("-0:09") << QStringLiteral("-0:10");
}

void TestCachedGlyphs::drawsWhereDrawTextWould()
{
    QFETCH(int, pixelSize);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    const QRect rect(5, 3, pixelSize * 7, pixelSize * 2 - 5);
    const QColor colour(200, 0, 0, 180);
    CachedGlyphs glyphs;
    const auto painted = [&](const QString& text, bool byQt = false) {
        QImage image(pixelSize * 8, pixelSize * 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(colour);
        painter.setFont(font);
        if (byQt)
            painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, text);
        else if (!text.isEmpty())
            glyphs.draw(painter, rect, font, colour, text);
        return image;
    };
    // Each glyph lands on whole pixels, so a fraction of one apart from where Qt puts it (Qt's own rounding
    // of a baseline between pixels differs at some sizes).
    const QImage blank = painted(QString());
    const auto [inked, centre] = compare(painted(after), blank);
    const QPointF offset = centre - compare(painted(after, true), blank).second;
    QVERIFY2(std::abs(offset.x()) < 0.4 && std::abs(offset.y()) < 1.05, qPrintable(QString::number(offset.y())));
    QVERIFY(glyphs.bounds(rect, font, after, 0).contains(inked));

    // What a tick repaints holds every pixel that changes from the old text to the new.
    const qsizetype first = std::mismatch(before.begin(), before.end(), after.begin()).first - before.begin();
    const QRect changed = compare(painted(before), painted(after)).first;
    QVERIFY(!changed.isEmpty());
    QVERIFY((glyphs.bounds(rect, font, before, first) | glyphs.bounds(rect, font, after, first)).contains(changed));
}

QTEST_MAIN(TestCachedGlyphs)
#include "tst_CachedGlyphs.moc"
