#include "coordtransform.h"

#include <QtTest>

#include <memory>

class CoordTransformTest : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<TouchevMouseHandler::CoordTransform> make(int rotation, const QSize& limits)
    {
        std::unique_ptr<TouchevMouseHandler::CoordTransform> transform(
            TouchevMouseHandler::CoordTransform::create(rotation));
        transform->setHardwareLimits(limits);
        return transform;
    }

private slots:
    void rotatesAndScales_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QSize>("limits");
        QTest::addColumn<QPoint>("raw");
        QTest::addColumn<QPoint>("screen");

        const QSize square(4095, 4095);
        QTest::newRow("270 origin") << 270 << square << QPoint(0, 0) << QPoint(1080, 0);
        QTest::newRow("270 far corner") << 270 << square << QPoint(4095, 4095) << QPoint(0, 1920);
        QTest::newRow("270 centre truncates") << 270 << square << QPoint(2048, 2048) << QPoint(539, 960);
        QTest::newRow("270 last pixel") << 270 << square << QPoint(4094, 1) << QPoint(1079, 1919);
        QTest::newRow("90 origin") << 90 << square << QPoint(0, 0) << QPoint(0, 1920);
        QTest::newRow("90 far corner") << 90 << square << QPoint(4095, 4095) << QPoint(1080, 0);
        QTest::newRow("90 centre truncates") << 90 << square << QPoint(2048, 2048) << QPoint(540, 959);
        QTest::newRow("270 wide range") << 270 << QSize(32767, 16383) << QPoint(1000, 15000) << QPoint(91, 58);
        QTest::newRow("90 wide range") << 90 << QSize(32767, 16383) << QPoint(1000, 15000) << QPoint(988, 1861);
        // Past the reported maximum the result is negative and truncation
        // goes toward zero (-1.3 gives -1, -2.3 gives -2), not downward.
        QTest::newRow("270 beyond maximum") << 270 << square << QPoint(4100, 4100) << QPoint(-1, 1922);
        QTest::newRow("90 beyond maximum") << 90 << square << QPoint(4100, 4100) << QPoint(1081, -2);
        // 32 / (4096 / 1920) is 15 exactly, but not in single precision.
        QTest::newRow("single precision") << 270 << QSize(4096, 4096) << QPoint(32, 4096) << QPoint(0, 14);
    }
    void rotatesAndScales()
    {
        QFETCH(int, rotation);
        QFETCH(QSize, limits);
        QFETCH(QPoint, raw);
        QFETCH(QPoint, screen);
        const auto transform = make(rotation, limits);
        QVERIFY(transform->hasHardwareLimits());
        QCOMPARE(transform->apply(raw), screen);
    }

    void withoutLimitsIsIdentity_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QSize>("limits");
        QTest::newRow("270 never told") << 270 << QSize();
        QTest::newRow("90 never told") << 90 << QSize();
        QTest::newRow("270 zero maxima") << 270 << QSize(0, 0);
        QTest::newRow("90 zero height") << 90 << QSize(4095, 0);
        QTest::newRow("270 negative width") << 270 << QSize(-1, 4095);
    }
    void withoutLimitsIsIdentity()
    {
        QFETCH(int, rotation);
        QFETCH(QSize, limits);
        const auto transform = make(rotation, limits);
        QVERIFY(!transform->hasHardwareLimits());
        QCOMPARE(transform->apply(QPoint(0, 0)), QPoint(0, 0));
        QCOMPARE(transform->apply(QPoint(517, 1333)), QPoint(517, 1333));
        QCOMPARE(transform->rawArea(), QRect(0, 0, 1080, 1920));
    }

    void limitsSetLater()
    {
        // A bad answer first, then a good one: the good one counts.
        const auto transform = make(270, QSize(0, 4095));
        transform->setHardwareLimits(QSize(4095, 2047));
        QCOMPARE(transform->rawArea(), QRect(0, 0, 4096, 2048));
        QCOMPARE(transform->apply(QPoint(0, 0)), QPoint(1080, 0));
        QCOMPARE(transform->apply(QPoint(4095, 2047)), QPoint(0, 1920));
    }
};

QTEST_GUILESS_MAIN(CoordTransformTest)
#include "tst_coordtransform.moc"
