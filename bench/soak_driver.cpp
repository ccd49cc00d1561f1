// The operator of a soak run (bench/soak.sh): the real dialog, its ports
// ticked and its test started through its widgets, its boxes answered. It
// ends when the run does, so that the process watched is the run alone.
//
//   soak_driver MAKER...   one maker (Garmin or Magellan) per port from COM1
#include "commandline.h"
#include "controlids.h"
#include "messageboxanswerer.h"
#include "portsetup.h"
#include "testdialog.h"

#include <cstdio>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || argc > UNIT_COUNT + 1) {
        std::fprintf(stderr, "usage: soak_driver MAKER... (Garmin or Magellan, from COM1 on)\n");
        return 2;
    }
    TestDialog dlg;
    // The receivers' ports, from DUNMERROW_COMn as the program finds them.
    dlg.portSet.setMap(PortSetup::forStartup(CommandLine({QStringLiteral("soak_driver")})));
    g_pTestDialog = &dlg;
    MessageBoxAnswerer answerer;
    answerer.onBox = [](QMessageBox* box) {
        std::printf("box: %s\n", qPrintable(box->text()));
        std::fflush(stdout);
    };
    dlg.show();
    QTimer::singleShot(0, &dlg, [&] {
        for (int k = 0; k + 1 < argc; ++k) {
            qobject_cast<QAbstractButton*>(dlg.controls().byId(IDC_PORT_CHECK_BASE + k))->click();
            qobject_cast<QComboBox*>(dlg.controls().byId(IDC_GPS_MFG_BASE + k))
                ->setCurrentText(QString::fromUtf8(argv[k + 1]));
        }
        // Returns when the run has ended.
        qobject_cast<QAbstractButton*>(dlg.controls().byId(IDC_START_TEST))->click();
        // Not quit(): that asks the dialog to close, which it takes for a
        // cancel and refuses.
        QApplication::exit(0);
    });
    QApplication::exec();
    for (const UnitInfo& unit : dlg.units) {
        if (unit.szEndurance[0] != '\0')
            std::printf("endurance: %s\n", unit.szEndurance);
    }
    g_pTestDialog = nullptr;
    const QStringList texts = answerer.texts();
    const bool completed =
        !texts.isEmpty() && texts.last().startsWith(QStringLiteral("Test completed"));
    return completed ? 0 : 1;
}
