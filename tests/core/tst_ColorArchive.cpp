#include "ColorArchive.h"

#include <QTest>

class TestColorArchive : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void rejects_data();
    void rejects();
};

void TestColorArchive::roundTrip_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QByteArray>("bytes"); // pinned where files of earlier versions hold them
    QTest::newRow("black") << QColor(Qt::black) << QByteArray::fromHex("01ffff0000000000000000");
    QTest::newRow("translucent red") << QColor(255, 0, 0, 100) << QByteArray::fromHex("016464ffff000000000000");
    QTest::newRow("16-bit rgb") << QColor::fromRgba64(1, 65534, 12345, 54321) << QByteArray();
    QTest::newRow("hsv") << QColor::fromHsv(359, 200, 100) << QByteArray();
    QTest::newRow("achromatic hsv") << QColor::fromHsv(-1, 0, 128) << QByteArray();
    QTest::newRow("hsl") << QColor::fromHsl(120, 255, 60, 30) << QByteArray();
    QTest::newRow("cmyk") << QColor::fromCmyk(10, 20, 30, 40, 50) << QByteArray();
    QTest::newRow("extended rgb") << QColor::fromRgbF(1.5f, -0.25f, 0.5f, 0.75f) << QByteArray();
}

void TestColorArchive::roundTrip()
{
    QFETCH(QColor, color);
    QFETCH(QByteArray, bytes);
    const QByteArray archived = ColorArchive::archive(color);
    if (!bytes.isEmpty())
        QCOMPARE(archived.toHex(), bytes.toHex());
    QCOMPARE(ColorArchive::unarchive(archived), std::optional(color));
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
    QTest::newRow("hsv with padding") << QByteArray::fromHex("02ffff0000ffffffff0001");
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
