#include "fakedialog.h"
#include "fakeport.h"

#include <cstring>
#include <QtTest>

class TestUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlIds_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QList<int>>("ids");
        // Maker, battery maker, type, capacity, comments, label, start, last, endurance.
        QTest::newRow("COM1") << 0
                              << QList<int>{1007, 1014, 1019, 1026, 1036, 1043, 1048, 1054, 1059};
        QTest::newRow("COM4") << 3
                              << QList<int>{1010, 1017, 1022, 1029, 1039, 1046, 1051, 1057, 1062};
    }
    void controlIds()
    {
        QFETCH(int, k);
        QFETCH(QList<int>, ids);
        FakeDialog dlg; // assigns the identifiers, as the dialog's initialisation does
        const UnitInfo& u = dlg.units[k];
        QCOMPARE((QList<int>{u.nMfgCtrl, u.nBatteryMakerCtrl, u.nBatteryTypeCtrl, u.nCapacityCtrl,
                             u.nCommentsCtrl, u.nUnitLabelCtrl, u.nStartTimeCtrl,
                             u.nLastResponseCtrl, u.nEnduranceCtrl}),
                 ids);
    }

    void resetClearsResultsAndKeepsTheRest()
    {
        FakeDialog dlg;
        FakePort port;
        for (UnitInfo& u : dlg.units) {
            u.bDone = 1;
            u.tStart = 1000;
            u.tLastResponse = 2000;
            u.dEndurance = 1000.0;
            std::strcpy(u.szEndurance, "00:16:40");
            u.eMfg = GPS_MFG_MAGELLAN;
            std::strcpy(u.szVersion, "XL");
            u.hPort = &port;
            for (int nId :
                 {u.nStartTimeCtrl, u.nLastResponseCtrl, u.nEnduranceCtrl, u.nCommentsCtrl})
                dlg.setText(nId, "text");
        }
        dlg.removeControl(dlg.units[2].nLastResponseCtrl); // skipped without harm

        dlg.ResetUnits();

        for (const UnitInfo& u : dlg.units) {
            QVERIFY(!u.bDone && !u.tStart && !u.tLastResponse && u.dEndurance == 0.0);
            QCOMPARE(QByteArray(u.szEndurance, ENDURANCE_SIZE), QByteArray(ENDURANCE_SIZE, '\0'));
            QCOMPARE(QByteArray(dlg.text(u.nStartTimeCtrl)) + dlg.text(u.nEnduranceCtrl), "");
            QVERIFY(u.eMfg == GPS_MFG_MAGELLAN && u.hPort == &port);
            QCOMPARE(u.szVersion, "XL");
            QCOMPARE(dlg.text(u.nCommentsCtrl), "text");
        }
        QCOMPARE(dlg.text(dlg.units[1].nLastResponseCtrl), "");
    }
};

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"
