#include "fakedialog.h"
#include "fakeport.h"

#include <cstring>
#include <QtTest>

class TestUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
