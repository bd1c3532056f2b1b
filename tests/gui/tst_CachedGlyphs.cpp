#include "CachedGlyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>

namespace {

struct Ink {
    QPointF centre;
    double amount = 0;
    QRect bounds;
};

// How much the image departs from white, where, and the middle of it weighted by how dark it is.
Ink inkOf(const QImage& image, const QImage& blank)
{
    Ink ink;
    QPointF sum;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int dark = 255 - qGreen(image.pixel(x, y));
            if (image.pixel(x, y) != blank.pixel(x, y))
                ink.bounds |= QRect(x, y, 1, 1);
            ink.amount += dark;
            sum += QPointF(x, y) * dark;
        }
    }
    ink.centre = sum / ink.amount;
    return ink;
}

} // namespace

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
    QImage blank(pixelSize * 8, pixelSize * 2, QImage::Format_RGB32);
    blank.fill(Qt::white);
    const QRect rect(5, 3, pixelSize * 7, pixelSize * 2 - 5);
    const QColor colour(200, 0, 0, 180);
    const auto painted = [&](const auto& draw) {
        QImage image = blank;
        QPainter painter(&image);
        draw(painter);
        return image;
    };
    CachedGlyphs glyphs;
    const QImage byQt = painted([&](QPainter& painter) {
        painter.setPen(colour);
        painter.setFont(font);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, after);
    });
    const QImage cached = painted([&](QPainter& painter) { glyphs.draw(painter, rect, font, colour, after); });

    // Each glyph lands on whole pixels, so a fraction of one apart from where Qt puts it (Qt's own rounding
    // of a baseline between pixels differs at some sizes), and no darker.
    const Ink expected = inkOf(byQt, blank);
    const Ink actual = inkOf(cached, blank);
    QVERIFY2(std::abs(actual.centre.x() - expected.centre.x()) < 0.4,
             qPrintable(QStringLiteral("%1 vs %2").arg(actual.centre.x()).arg(expected.centre.x())));
    QVERIFY2(std::abs(actual.centre.y() - expected.centre.y()) < 1.05,
             qPrintable(QStringLiteral("%1 vs %2").arg(actual.centre.y()).arg(expected.centre.y())));
    QVERIFY(std::abs(actual.amount - expected.amount) < expected.amount * 0.01);

    // What a tick repaints holds every pixel that changes from the old text to the new.
    const qsizetype first = std::mismatch(before.begin(), before.end(), after.begin()).first - before.begin();
    const QImage old = painted([&](QPainter& painter) { glyphs.draw(painter, rect, font, colour, before); });
    QImage changed = blank;
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x)
            changed.setPixel(x, y, old.pixel(x, y) == cached.pixel(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QRect repainted = glyphs.bounds(rect, font, before, first) | glyphs.bounds(rect, font, after, first);
    QVERIFY(!inkOf(changed, blank).bounds.isEmpty());
    QVERIFY(repainted.contains(inkOf(changed, blank).bounds));
    QVERIFY(glyphs.bounds(rect, font, after, 0).contains(actual.bounds));
}

QTEST_MAIN(TestCachedGlyphs)
#include "tst_CachedGlyphs.moc"
