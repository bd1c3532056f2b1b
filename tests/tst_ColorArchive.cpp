#include "settings/ColorArchive.h"

#include <QTest>

class TestColorArchive : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void blackHasAFixedEncoding();
    void rejects_data();
    void rejects();
};

void TestColorArchive::roundTrip_data()
{
    QTest::addColumn<QColor>("color");
    QTest::newRow("black") << QColor(Qt::black);
    QTest::newRow("white") << QColor(Qt::white);
    QTest::newRow("translucent red") << QColor(255, 0, 0, 100);
    QTest::newRow("16-bit rgb") << QColor::fromRgba64(1, 65534, 12345, 54321);
    QTest::newRow("hsv") << QColor::fromHsv(359, 200, 100);
    QTest::newRow("achromatic hsv") << QColor::fromHsv(-1, 0, 128);
    QTest::newRow("hsl") << QColor::fromHsl(120, 255, 60, 30);
    QTest::newRow("cmyk") << QColor::fromCmyk(10, 20, 30, 40, 50);
    QTest::newRow("extended rgb") << QColor::fromRgbF(1.5f, -0.25f, 0.5f, 0.75f);
}

void TestColorArchive::roundTrip()
{
    QFETCH(QColor, color);
    const QByteArray bytes = ColorArchive::archive(color);
    const auto decoded = ColorArchive::unarchive(bytes);
    QVERIFY(decoded.has_value());
    QCOMPARE(*decoded, color);
}

void TestColorArchive::blackHasAFixedEncoding()
{
    // Settings files written by earlier versions hold these very bytes; they must keep decoding.
    const QByteArray black = QByteArray::fromHex("01ffff0000000000000000");
    QCOMPARE(ColorArchive::archive(QColor(Qt::black)), black);
    QCOMPARE(ColorArchive::unarchive(black), std::optional<QColor>(QColor(Qt::black)));
}

void TestColorArchive::rejects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArrayLiteral("not a colour");
    QTest::newRow("truncated") << QByteArray::fromHex("01ffff00000000000000");
    QTest::newRow("trailing byte") << QByteArray::fromHex("01ffff000000000000000000");
    QTest::newRow("invalid model") << QByteArray::fromHex("00ffff0000000000000000");
    QTest::newRow("unknown model") << QByteArray::fromHex("09ffff0000000000000000");
    QTest::newRow("negative model") << QByteArray::fromHex("ffffff0000000000000000");
    QTest::newRow("rgb with padding") << QByteArray::fromHex("01ffff0000000000000001");
    QTest::newRow("hue past 359.99") << QByteArray::fromHex("02ffff8ca0ffffffff0000");
    QTest::newRow("hsl hue past 359.99") << QByteArray::fromHex("04fffffff0ffffffff0000");
    QTest::newRow("extended NaN") << QByteArray::fromHex("053c007e003c003c000000");
    QTest::newRow("extended infinity") << QByteArray::fromHex("053c007c003c003c000000");
    QTest::newRow("extended alpha above one") << QByteArray::fromHex("0540003c003c003c000000");
}

void TestColorArchive::rejects()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(ColorArchive::unarchive(bytes), std::nullopt);
}

QTEST_GUILESS_MAIN(TestColorArchive)
#include "tst_ColorArchive.moc"
