#include "controlids.h"
#include "fakedialog.h"
#include "fakeport.h"
#include "lamps.h"

#include <cstring>
#include <QtTest>

class TestUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void newRecordIsZero()
    {
        const UnitInfo unit;
        const UnitInfo* p = &unit;
        QCOMPARE(p->nMfgCtrl, 0);
        QCOMPARE(p->tStart, std::time_t(0));
        QCOMPARE(p->eMfg, 0);
        QCOMPARE(p->hPort, nullptr);
        QCOMPARE(QByteArray(p->szVersion, VERSION_SIZE), QByteArray(VERSION_SIZE, '\0'));
        QCOMPARE(QByteArray(p->szEndurance, ENDURANCE_SIZE), QByteArray(ENDURANCE_SIZE, '\0'));
    }

    void controlIds_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QList<int>>("ids");
        // Maker, battery maker, type, capacity, comments, label, start, last, endurance.
        QTest::newRow("COM1") << 0
                              << QList<int>{1007, 1014, 1019, 1026, 1036, 1043, 1048, 1054, 1059};
        QTest::newRow("COM2") << 1
                              << QList<int>{1008, 1015, 1020, 1027, 1037, 1044, 1049, 1055, 1060};
        QTest::newRow("COM3") << 2
                              << QList<int>{1009, 1016, 1021, 1028, 1038, 1045, 1050, 1056, 1061};
        QTest::newRow("COM4") << 3
                              << QList<int>{1010, 1017, 1022, 1029, 1039, 1046, 1051, 1057, 1062};
    }

    void controlIds()
    {
        QFETCH(int, k);
        QFETCH(QList<int>, ids);
        FakeDialog dlg; // assigns the identifiers, as dialog initialisation does
        const UnitInfo& u = dlg.units[k];
        const QList<int> assigned{u.nMfgCtrl,       u.nBatteryMakerCtrl, u.nBatteryTypeCtrl,
                                  u.nCapacityCtrl,  u.nCommentsCtrl,     u.nUnitLabelCtrl,
                                  u.nStartTimeCtrl, u.nLastResponseCtrl, u.nEnduranceCtrl};
        QCOMPARE(assigned, ids);
    }

    void resetClearsResultsAndKeepsTheRest()
    {
        FakeDialog dlg;
        FakePort port;
        for (int k = 0; k < UNIT_COUNT; ++k) {
            UnitInfo& u = dlg.units[k];
            u.bDone = 1;
            u.tStart = 1000 + k;
            u.tLastResponse = 2000 + k;
            u.dEndurance = 1000.0;
            std::strcpy(u.szEndurance, "00:16:40");
            u.eMfg = GPS_MFG_MAGELLAN;
            std::strcpy(u.szVersion, "XL Software Version 3.10 (Product ID=12)");
            std::strcpy(u.szQuery, "$PMGNCMD,VERSION*28\r\n");
            u.hPort = &port;
            dlg.SetText(u.nStartTimeCtrl, "start");
            dlg.SetText(u.nLastResponseCtrl, "last");
            dlg.SetText(u.nEnduranceCtrl, "00:16:40");
            dlg.SetText(u.nCommentsCtrl, "spare set");
        }
        dlg.bCancel = 1;
        dlg.nLampPos = 3;
        dlg.RemoveControl(dlg.units[2].nLastResponseCtrl);

        dlg.ResetUnits();

        for (int k = 0; k < UNIT_COUNT; ++k) {
            const UnitInfo& u = dlg.units[k];
            QCOMPARE(u.bDone, 0);
            QCOMPARE(u.tStart, std::time_t(0));
            QCOMPARE(u.tLastResponse, std::time_t(0));
            QCOMPARE(u.dEndurance, 0.0);
            QCOMPARE(QByteArray(u.szEndurance, ENDURANCE_SIZE), QByteArray(ENDURANCE_SIZE, '\0'));
            QCOMPARE(dlg.Text(u.nStartTimeCtrl), "");
            QCOMPARE(dlg.Text(u.nEnduranceCtrl), "");
            QCOMPARE(u.eMfg, int(GPS_MFG_MAGELLAN));
            QCOMPARE(u.szVersion, "XL Software Version 3.10 (Product ID=12)");
            QCOMPARE(u.szQuery, "$PMGNCMD,VERSION*28\r\n");
            QCOMPARE(u.hPort, &port);
            QCOMPARE(dlg.Text(u.nCommentsCtrl), "spare set");
        }
        QCOMPARE(dlg.Text(dlg.units[1].nLastResponseCtrl), "");
        QCOMPARE(dlg.bCancel, 1);
        QCOMPARE(dlg.nLampPos, 3);
    }

    void lampSequence()
    {
        // From a reset: all dark, then lamps 1..4, then round again.
        std::int32_t pos = 0;
        QList<int> lit;
        QList<int> positions;
        for (int step = 0; step < 7; ++step) {
            lit << AdvanceLampPosition(pos);
            positions << pos;
        }
        QCOMPARE(lit, (QList<int>{-1, 0, 1, 2, 3, 0, 1}));
        QCOMPARE(positions, (QList<int>{1, 2, 3, 4, 5, 2, 3}));
        pos = 9;
        QCOMPARE(AdvanceLampPosition(pos), 0);
        QCOMPARE(pos, 2);
    }
};

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"
