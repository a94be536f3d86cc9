// The peripheral monitor's model against the board simulator: the board's
// words arrive decoded as the simulator sets them, the credit is not read
// while a long job holds the board and is read again after it, and stop()
// puts the machine back and ends the reading.

#include "board/fancontrol.h"
#include "board/outputmask.h"
#include "board/rk710controller.h"
#include "catalogue/productprovider.h"
#include "peripheralrig.h"
#include "settings/settings.h"
#include "testenvironment.h"
#include "vending/alarmmanager.h"
#include "vending/motordispensermonitor.h"
#include "vending/peripheralmonitormodel.h"

#include <QJsonArray>
#include <QtTest>

#include <memory>

namespace {

using Model = PeripheralMonitorModel;

struct Rig : PeripheralRig
{
    Rig()
        : PeripheralRig(QJsonObject{
            {"columns", QJsonArray{3, 3, 3}},
            {"timings", QJsonObject{{"motorMs", 150}, {"jamMs", 300}, {"resetMs", 100}, {"coinMs", 5}}},
        })
    {
    }

    bool start()
    {
        if (!PeripheralRig::start())
            return false;
        model = std::make_unique<Model>(controller(), motors.get(), fan.get());
        QObject::connect(model.get(), &Model::statusChanged, [this](const Model::Status& s) { status = s; });
        QObject::connect(model.get(), &Model::inputsChanged, [this](const Model::Inputs& i) { inputs = i; });
        QObject::connect(model.get(), &Model::outputsChanged, [this](const Model::Outputs& o) { outputs = o; });
        return true;
    }

    // Stops the model and waits for the board to be set back and for a
    // credit read under way to be answered.
    bool finish()
    {
        QFuture<bool> restored = model->stop();
        if (!QTest::qWaitFor([&restored] { return restored.isFinished(); }, 10000))
            return false;
        QTest::qWait(300);
        return restored.result();
    }

    int creditReads() const { return board.requests().count(QByteArray("C")); }

    std::unique_ptr<Model> model;
    Model::Status status;
    Model::Inputs inputs;
    Model::Outputs outputs;
};

} // namespace

class PeripheralMonitorModelTest : public QObject
{
    Q_OBJECT

private slots:
    void boardWordsArriveDecoded()
    {
        Rig rig;
        QVERIFY(rig.start());
        rig.model->start();
        QTRY_VERIFY(rig.status.devices[Model::BillValidator] && rig.status.devices[Model::CoinAcceptor]);
        QVERIFY(rig.status.devices[Model::ReceiptPaper]);
        QVERIFY(rig.inputs.sensors[Model::FrontDoor]);
        QVERIFY(rig.status.dispensers[0] && rig.status.dispensers[17]);

        QVERIFY(rig.board.control(QStringLiteral("device bill-validator off")));
        QVERIFY(rig.board.control(QStringLiteral("paper out")));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.status.devices[Model::BillValidator] && !rig.status.devices[Model::ReceiptPaper],
                                 10000);
        QVERIFY(rig.status.devices[Model::CoinAcceptor]);
        QVERIFY(rig.board.control(QStringLiteral("door front open")));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.inputs.sensors[Model::FrontDoor], 10000);
        // The temperature is unsigned, the battery's charge signed.
        QVERIFY(rig.board.control(QStringLiteral("temperature 200")));
        QVERIFY(rig.board.control(QStringLiteral("battery -5")));
        QTRY_VERIFY_WITH_TIMEOUT(rig.inputs.temperature == 200 && rig.inputs.batteryCharge == -5, 10000);
        QVERIFY(!rig.inputs.sensors[Model::FrontDoor]);

        // The drawer light is on only with both of its lamps.
        QVERIFY(rig.controller()->setOutput(true, OutputMask::DrawerLight));
        rig.model->switchLight(0, true);
        QTRY_VERIFY(rig.outputs.lights[0]);
        QVERIFY(!rig.outputs.lights[2]);
        rig.model->switchLight(2, true);
        QTRY_VERIFY(rig.outputs.lights[2]);
        QCOMPARE(rig.board.state().value("outputs").toInt() & OutputMask::Lights,
                 OutputMask::PrinterLight | OutputMask::DrawerLights);
        QVERIFY(!rig.outputs.siren);
        rig.model->switchOutput(Model::Siren, true);
        QTRY_VERIFY(rig.outputs.siren);
        QVERIFY(rig.finish());
    }

    void creditIsNotReadWhileALongJobHoldsTheBoard()
    {
        Rig rig;
        QVERIFY(rig.start());
        QList<int> coins;
        QObject::connect(rig.model.get(), &Model::creditChanged,
                         [&coins](const CreditPacket& credit) { coins.append(credit.coins); });
        rig.model->start();
        QTRY_VERIFY_WITH_TIMEOUT(rig.board.state()["enables"].toObject().value("coinAcceptor").toBool(), 10000);
        QVERIFY(rig.board.control(QStringLiteral("coin 50")));
        QTRY_VERIFY_WITH_TIMEOUT(coins.contains(50), 10000);

        // Three deliveries with a second's pause after each.
        rig.model->setDispenserMode(Model::EmptyMode);
        QCOMPARE(rig.model->dispenserJob(0), Model::EmptyColumn);
        QFuture<bool> emptied = rig.model->runDispenser(0);
        QVERIFY(rig.model->isBusy());
        QTest::qWait(300); // a read already asked for may still be answered
        const int readsBefore = rig.creditReads();
        QTRY_VERIFY_WITH_TIMEOUT(emptied.isFinished(), 20000);
        QVERIFY(emptied.result());
        QCOMPARE(rig.creditReads(), readsBefore);
        QVERIFY(!rig.model->isBusy());
        QCOMPARE(rig.board.state()["columns"].toArray().at(0)["stock"].toInt(), 0);

        QVERIFY(rig.board.control(QStringLiteral("coin 100")));
        QTRY_VERIFY_WITH_TIMEOUT(coins.contains(150), 10000);
        QVERIFY(rig.creditReads() > readsBefore);
        QVERIFY(rig.finish());
    }

    void stopPutsTheMachineBackAndEndsTheReading()
    {
        Rig rig;
        QVERIFY(rig.start());
        int hopperReads = 0;
        QObject::connect(rig.model.get(), &Model::hopperValuesChanged, [&hopperReads] { ++hopperReads; });
        rig.model->start();
        QTRY_COMPARE_WITH_TIMEOUT(hopperReads, 1, 10000);
        QVERIFY(!rig.fan->isEnabled());
        QTRY_VERIFY(rig.board.state()["enables"].toObject().value("coinAcceptor").toBool());
        rig.model->switchOutput(Model::Ventilation, true);
        QTRY_COMPARE(rig.board.state().value("pwm").toArray(), (QJsonArray{1, 50, 50, 0}));

        QFuture<bool> restored = rig.model->stop();
        QTRY_VERIFY_WITH_TIMEOUT(restored.isFinished(), 10000);
        QVERIFY(restored.result());
        QVERIFY(rig.fan->isEnabled());
        const QJsonObject state = rig.board.state();
        QVERIFY(!state["enables"].toObject().value("coinAcceptor").toBool());
        QCOMPARE(state.value("outputs").toInt() & 0xDFF, OutputMask::RestingOn);
        const int reads = rig.creditReads();
        QTest::qWait(Model::CREDIT_PERIOD_MS * 5 / 2);
        QVERIFY(rig.creditReads() <= reads + 1); // at most the read that was under way
    }
};

QTEST_MAIN(PeripheralMonitorModelTest)
#include "tst_peripheralmonitormodel.moc"
