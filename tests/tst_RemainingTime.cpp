#include "app/RemainingTime.h"

#include <QTest>

#include <limits>

class TestRemainingTime : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void yearNineThousand();
    void extremeDatesDoNotOverflow();
    void invalidDatesShowFinished();
};

static const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);

void TestRemainingTime::text_data()
{
    QTest::addColumn<qint64>("msecsLeft");
    QTest::addColumn<QString>("expected");

    QTest::newRow("273,906.7 s") << qint64(273'906'700) << QStringLiteral("3:04:05:06");
    QTest::newRow("90,061 s") << qint64(90'061'000) << QStringLiteral("1:01:01:01");
    QTest::newRow("59 s") << qint64(59'000) << QStringLiteral("0:00:00:59");
    QTest::newRow("100 days") << qint64(100) * 86'400'000 << QStringLiteral("100:00:00:00");
    QTest::newRow("one second") << qint64(1'000) << QStringLiteral("0:00:00:01");
    QTest::newRow("0.999 s") << qint64(999) << QStringLiteral("0:00:00:00");
    QTest::newRow("0.4 s") << qint64(400) << QStringLiteral("0:00:00:00");
    QTest::newRow("target is now") << qint64(0) << QStringLiteral("0:00:00:00");
    QTest::newRow("1 ms past") << qint64(-1) << QStringLiteral("0:00:00:00");
    QTest::newRow("ten years past") << qint64(-3650) * 86'400'000 << QStringLiteral("0:00:00:00");
    // 2^31 seconds: one past what a 32-bit count holds.
    QTest::newRow("2^31 s") << qint64(2'147'483'648) * 1000 << QStringLiteral("24855:03:14:08");
    QTest::newRow("100 years of days") << (qint64(36'525) * 86'400 + 3'723) * 1000 << QStringLiteral("36525:01:02:03");
}

void TestRemainingTime::text()
{
    QFETCH(qint64, msecsLeft);
    QFETCH(QString, expected);
    QCOMPARE(RemainingTime::text(kNow.addMSecs(msecsLeft), kNow), expected);
}

void TestRemainingTime::yearNineThousand()
{
    const QDateTime target(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC);
    QCOMPARE(RemainingTime::text(target, kNow), QStringLiteral("2912103:11:59:59"));
}

void TestRemainingTime::extremeDatesDoNotOverflow()
{
    const auto farFuture = QDateTime::fromMSecsSinceEpoch(std::numeric_limits<qint64>::max() - 1, Qt::UTC);
    const auto farPast = QDateTime::fromMSecsSinceEpoch(std::numeric_limits<qint64>::min() + 1, Qt::UTC);
    QVERIFY(farFuture.isValid() && farPast.isValid());

    const QString text = RemainingTime::text(farFuture, farPast);
    QVERIFY2(!text.contains(QLatin1Char('-')), qPrintable(text));
    QCOMPARE(text, QStringLiteral("106751991167:07:12:55"));
    QCOMPARE(RemainingTime::text(farPast, farFuture), RemainingTime::FinishedText);
}

void TestRemainingTime::invalidDatesShowFinished()
{
    QCOMPARE(RemainingTime::text(QDateTime(), kNow), RemainingTime::FinishedText);
    QCOMPARE(RemainingTime::text(kNow.addDays(1), QDateTime()), RemainingTime::FinishedText);
}

QTEST_GUILESS_MAIN(TestRemainingTime)
#include "tst_RemainingTime.moc"
