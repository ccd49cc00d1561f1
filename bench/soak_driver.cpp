// The operator of a soak run (bench/soak.sh): the real dialog, its ports
// ticked and its test started through its widgets, its boxes answered. It
// ends when the run does, so that the process watched is the run alone.
//
//   soak_driver [--speed=N] MAKER...   one maker (Garmin or Magellan) per
//                                      port from COM1
//
// With a speed, the run's clocks go N times as fast as the system's and its
// pauses are N times shorter: the same run, cycle for cycle, in 1/N of the
// time, so that hours of polling can be watched in minutes.
#include "commandline.h"
#include "controlids.h"
#include "messageboxanswerer.h"
#include "portsetup.h"
#include "testdialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>

namespace {

struct FasterDialog : TestDialog {
    explicit FasterDialog(int speed) : m_speed(speed) {}

    std::int64_t wallClockMs() override { return faster(TestDialog::wallClockMs(), m_wall); }
    SteadyClocks steadyClocks() override
    {
        const SteadyClocks real = TestDialog::steadyClocks();
        return {faster(real.withSleepMs, m_withSleep), faster(real.awakeMs, m_awake)};
    }
    void Sleep100ms() override
    {
        if (m_speed == 1)
            return TestDialog::Sleep100ms();
        QEventLoop pause;
        QTimer::singleShot(100 / m_speed, Qt::PreciseTimer, &pause, &QEventLoop::quit);
        pause.exec();
    }

    std::int64_t faster(std::int64_t now, std::int64_t& start) const
    {
        if (start < 0)
            start = now;
        return start + (now - start) * m_speed;
    }

    int m_speed;
    std::int64_t m_wall = -1, m_withSleep = -1, m_awake = -1;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int speed = 1;
    if (argc > 1 && std::strncmp(argv[1], "--speed=", 8) == 0) {
        speed = std::atoi(argv[1] + 8);
        --argc;
        ++argv;
    }
    if (argc < 2 || argc > UNIT_COUNT + 1 || speed < 1 || speed > 100) {
        std::fprintf(stderr, "usage: soak_driver [--speed=1..100] MAKER... (Garmin or Magellan, "
                             "from COM1 on)\n");
        return 2;
    }
    FasterDialog dlg(speed);
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
