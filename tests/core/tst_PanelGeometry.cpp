#include "PanelGeometry.h"

#include <QTest>

using namespace PanelGeometry;

Q_DECLARE_METATYPE(PanelGeometry::Edges)

class TestPanelGeometry : public QObject {
    Q_OBJECT

private slots:
    void edgesAt_data();
    void edgesAt();
    void resized_data();
    void centredOrigin_data();
    void centredOrigin();
    void resized();
};

void TestPanelGeometry::edgesAt_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<Edges>("expected");
    // Content 400 x 150 at (14, 10) inside its shadow margin; border 6, grip 16.
    QTest::newRow("middle moves") << QPoint(200, 80) << Edges(NoEdge);
    QTest::newRow("left band") << QPoint(16, 80) << Edges(Left);
    QTest::newRow("just past the left band") << QPoint(20, 80) << Edges(NoEdge);
    QTest::newRow("right band") << QPoint(411, 80) << Edges(Right);
    QTest::newRow("top band") << QPoint(200, 12) << Edges(Top);
    QTest::newRow("bottom band") << QPoint(200, 157) << Edges(Bottom);
    QTest::newRow("top-left corner") << QPoint(15, 11) << (Edges(Left) | Top);
    QTest::newRow("grip square") << QPoint(400, 146) << (Edges(Right) | Bottom);
    QTest::newRow("shadow beside the right edge") << QPoint(420, 80) << Edges(Right);
    QTest::newRow("shadow below the bottom-left corner") << QPoint(3, 170) << (Edges(Left) | Bottom);
}

void TestPanelGeometry::edgesAt()
{
    QFETCH(QPoint, pos);
    QFETCH(Edges, expected);
    QCOMPARE(PanelGeometry::edgesAt(QRect(14, 10, 400, 150), pos, 6, 16), expected);
}

void TestPanelGeometry::resized_data()
{
    QTest::addColumn<Edges>("edges");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("right edge out") << Edges(Right) << QPoint(50, 30) << QRect(100, 100, 450, 150);
    QTest::newRow("left edge out") << Edges(Left) << QPoint(-50, 30) << QRect(50, 100, 450, 150);
    QTest::newRow("top edge in") << Edges(Top) << QPoint(0, 40) << QRect(100, 140, 400, 110);
    QTest::newRow("corner both ways") << (Edges(Right) | Bottom) << QPoint(160, 70) << QRect(100, 100, 560, 220);
    // The minimum is 120 x 48: the dragged edge stops, the opposite one stays put.
    QTest::newRow("right edge past the minimum") << Edges(Right) << QPoint(-1000, 0) << QRect(100, 100, 120, 150);
    QTest::newRow("left edge past the minimum") << Edges(Left) << QPoint(1000, 0) << QRect(380, 100, 120, 150);
    QTest::newRow("top edge past the minimum") << Edges(Top) << QPoint(0, 500) << QRect(100, 202, 400, 48);
    QTest::newRow("no edge") << Edges(NoEdge) << QPoint(70, 70) << QRect(100, 100, 400, 150);
}

void TestPanelGeometry::resized()
{
    QFETCH(Edges, edges);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    QCOMPARE(PanelGeometry::resized(QRect(100, 100, 400, 150), edges, delta, QSize(120, 48)), expected);
}

void TestPanelGeometry::centredOrigin_data()
{
    QTest::addColumn<QRectF>("screen");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QPointF>("expected");
    QTest::newRow("400x300 on 1440x900") << QRectF(0, 0, 1440, 900) << QSizeF(400, 300) << QPointF(520, 300);
    QTest::newRow("401 wide") << QRectF(0, 0, 1440, 900) << QSizeF(401, 300) << QPointF(519.5, 300);
    QTest::newRow("second monitor at x = 1440")
        << QRectF(1440, 0, 1920, 1080) << QSizeF(400, 300) << QPointF(2200, 390);
    QTest::newRow("monitor above the primary")
        << QRectF(0, -1080, 1920, 1080) << QSizeF(400, 300) << QPointF(760, -690);
    QTest::newRow("no screen") << QRectF() << QSizeF(400, 300) << QPointF(-200, -150);
}

void TestPanelGeometry::centredOrigin()
{
    QFETCH(QRectF, screen);
    QFETCH(QSizeF, window);
    QFETCH(QPointF, expected);
    QCOMPARE(PanelGeometry::centredOrigin(screen, window), expected);
}

QTEST_GUILESS_MAIN(TestPanelGeometry)
#include "tst_PanelGeometry.moc"
