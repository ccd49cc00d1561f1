// The real dialog, its pause and its serial ports against four simulated
// receivers: after a few cycles that fill Qt's caches, a hundred poll cycles
// allocate nothing in the whole process but what Qt takes to draw the
// window: marking what must be repainted (QWidget::update) and painting it.
#include "allocationcounter.h"
#include "controlids.h"
#include "currentdialog.h"
#include "gpssimprocess.h"
#include "messageboxanswerer.h"
#include "realinput.h"
#include "scratchdirectory.h"
#include "testdialog.h"

#include <dlfcn.h>
#include <execinfo.h>
#include <functional>
#include <link.h>
#include <optional>
#include <QComboBox>
#include <QtTest>

namespace {

constexpr int WARM_UP_CYCLES = 5;
constexpr int COUNTED_CYCLES = 100;
// The run's clocks go this many times as fast as the system's, so that a
// cycle's wait takes about a second; the pause itself is the real one. Any
// faster, and a simulator kept from the processor for a moment on a busy
// machine misses a wait and its unit finishes.
constexpr std::int64_t CLOCK_SPEED = 2;

// --- What drawing allocates is left out ---

thread_local int t_painting = 0;

struct Code {
    quintptr begin = 0, end = 0;
};
Code g_update[2];

Code codeOf(const char* symbol)
{
    void* start = dlsym(RTLD_DEFAULT, symbol);
    Dl_info info;
    void* entry = nullptr;
    if (!start || !dladdr1(start, &info, &entry, RTLD_DL_SYMENT) || !entry)
        qFatal("%s is not in Qt Widgets", symbol);
    return {quintptr(start), quintptr(start) + static_cast<const ElfW(Sym)*>(entry)->st_size};
}

bool drawing()
{
    if (t_painting > 0)
        return true;
    void* frames[16];
    const int n = backtrace(frames, 16);
    for (int i = 0; i < n; ++i) {
        for (const Code& update : g_update) {
            if (quintptr(frames[i]) >= update.begin && quintptr(frames[i]) < update.end)
                return true;
        }
    }
    return false;
}

class PaintAwareApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const int painting =
            event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest;
        t_painting += painting;
        const bool handled = QApplication::notify(receiver, event);
        t_painting -= painting;
        return handled;
    }
};

// --- The dialog ---

// The real dialog; only its clocks run faster, and every lamp step, one per
// poll cycle, is told to the test.
struct CountedDialog : TestDialog {
    std::int64_t wallClockMs() override { return faster(TestDialog::wallClockMs(), wallStart); }
    SteadyClocks steadyClocks() override
    {
        const std::int64_t ms = faster(TestDialog::steadyClocks().withSleepMs, monoStart);
        return {ms, ms};
    }
    void StepActivityLights() override
    {
        TestDialog::StepActivityLights();
        onLampStep(++nLampSteps);
    }

    static std::int64_t faster(std::int64_t now, std::int64_t& start)
    {
        if (start < 0)
            start = now;
        return start + (now - start) * CLOCK_SPEED;
    }

    CurrentDialog current{this};
    std::int64_t wallStart = -1;
    std::int64_t monoStart = -1;
    int nLampSteps = 0;
    std::function<void(int)> onLampStep = [](int) {};
};

} // namespace

class TestDialogAllocations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        g_update[0] = codeOf("_ZN7QWidget6updateERK5QRect");
        g_update[1] = codeOf("_ZN7QWidget6updateERK7QRegion");
        drawing(); // the first backtrace loads what it needs
        AllocationCounter::SetFilter(drawing);
    }

    void hundredCyclesAllocateNothing()
    {
        ScratchDirectory scratch;
        QTemporaryDir ports;
        QProcess sim;
        const QString life = QStringLiteral(",life=1h");
        PortMap map;
        QVERIFY(startGpssim(
            sim, GPSSIM_PATH, ports.path(),
            {"garmin" + life, "magellan" + life, "garmin" + life, "magellan" + life}, map));
        CountedDialog dlg;
        dlg.portSet.setMap(map);
        for (int k = 0; k < UNIT_COUNT; ++k) {
            ClickWidget(dlg.Control(IDC_PORT_CHECK_BASE + k));
            qobject_cast<QComboBox*>(dlg.Control(IDC_GPS_MFG_BASE + k))
                ->setCurrentText(k % 2 ? "Magellan" : "Garmin");
        }
        // The answerer looks for boxes every few milliseconds, which
        // allocates: it is there only while boxes are due.
        std::optional<MessageBoxAnswerer> answerer;
        answerer.emplace();
        // The first lamp step is the run's set-up; step n + 1 is in cycle n.
        dlg.onLampStep = [&](int step) {
            if (step == 1 + WARM_UP_CYCLES) {
                answerer.reset();
                AllocationCounter::Start();
            } else if (step == 1 + WARM_UP_CYCLES + COUNTED_CYCLES) {
                AllocationCounter::Stop();
                answerer.emplace();
                ClickWidget(dlg.Control(IDC_CANCEL));
            }
        };
        ClickWidget(dlg.Control(IDC_START_TEST));
        AllocationCounter::Stop();

        QCOMPARE(dlg.nLampSteps, 1 + WARM_UP_CYCLES + COUNTED_CYCLES + 1);
        QCOMPARE(answerer->Texts().value(0), "Test cancelled by user");
        for (const UnitInfo& unit : dlg.units) {
            QVERIFY2(!unit.bDone, "a receiver went unheard");
            QVERIFY(unit.szVersion[0] != '\0');
        }
        if (!AllocationCounter::CountsMalloc())
            qWarning("only operator new is counted on this platform");
        QCOMPARE(AllocationCounter::Count(), 0L);
        sim.kill();
        sim.waitForFinished();
    }
};

int main(int argc, char** argv)
{
    PaintAwareApplication app(argc, argv);
    TestDialogAllocations test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dialogallocations.moc"
