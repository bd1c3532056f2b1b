#include "PanelGeometry.h"

#include <QTest>

using namespace PanelGeometry;

Q_DECLARE_METATYPE(PanelGeometry::Edges)
Q_DECLARE_METATYPE(std::optional<PanelGeometry::Place>)

class TestPanelGeometry : public QObject {
    Q_OBJECT

private slots:
    void edgesAt_data();
    void edgesAt();
    void resized_data();
    void centredOrigin_data();
    void centredOrigin();
    void resized();
    void restoredRect_data();
    void restoredRect();
    void readPlace_data();
    void readPlace();
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

void TestPanelGeometry::restoredRect_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("projectorPresent");
    QTest::addColumn<QRect>("expected");
    // The laptop 1440 x 900 at the origin is the primary screen; the projector 1920 x 1080 to its right.
    QTest::newRow("on the laptop") << QRect(100, 50, 400, 150) << "laptop" << true << QRect(100, 50, 400, 150);
    QTest::newRow("on the projector") << QRect(2000, 900, 400, 150) << "projector" << true
                                      << QRect(2000, 900, 400, 150);
    QTest::newRow("projector unplugged") << QRect(2000, 900, 400, 150) << "projector" << false
                                         << QRect(1040, 750, 400, 150);
    QTest::newRow("across both screens") << QRect(1300, 50, 400, 150) << "laptop" << true << QRect(1040, 50, 400, 150);
    QTest::newRow("above the top") << QRect(100, -40, 400, 150) << "laptop" << true << QRect(100, 0, 400, 150);
    QTest::newRow("larger than the laptop")
        << QRect(1500, 10, 1800, 1000) << "projector" << false << QRect(0, 0, 1440, 900);
    QTest::newRow("a screen renamed") << QRect(100, 50, 400, 150) << "eDP-1" << true << QRect(100, 50, 400, 150);
}

void TestPanelGeometry::restoredRect()
{
    QFETCH(QRect, saved);
    QFETCH(QString, screen);
    QFETCH(bool, projectorPresent);
    QFETCH(QRect, expected);
    const QRect laptop(0, 0, 1440, 900);
    std::vector<NamedScreen> screens{{QStringLiteral("laptop"), laptop}};
    if (projectorPresent)
        screens.emplace_back(QStringLiteral("projector"), QRect(1440, 0, 1920, 1080));
    QCOMPARE(PanelGeometry::restoredRect({saved, screen}, screens, laptop), expected);
}

void TestPanelGeometry::readPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Place>>("expected");
    const Place place{QRect(-1440, 20, 400, 150), QStringLiteral("HDMI 1")};
    QTest::newRow("as written") << placeText(place) << std::optional(place);
    QTest::newRow("no screen name") << "1 2 3 4 " << std::optional(Place{QRect(1, 2, 3, 4), QString()});
    QTest::newRow("empty") << "" << std::optional<Place>();
    QTest::newRow("a field short") << "1 2 3 4" << std::optional<Place>();
    QTest::newRow("no number") << "1 two 3 4 laptop" << std::optional<Place>();
    QTest::newRow("no area") << "1 2 0 4 laptop" << std::optional<Place>();
    QTest::newRow("far out") << "1 2147483647 3 4 laptop" << std::optional<Place>();
}

void TestPanelGeometry::readPlace()
{
    QFETCH(QString, text);
    QFETCH(std::optional<Place>, expected);
    QCOMPARE(PanelGeometry::readPlace(text), expected);
}
