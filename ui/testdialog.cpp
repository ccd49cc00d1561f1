#include "testdialog.h"

#include "controlids.h"
#include "dialogunits.h"
#include "endrequestwatcher.h"
#include "lamps.h"
#include "lampwidget.h"
#include "logformat.h"
#include "messageboxes.h"
#include "pngresource.h"
#include "sessionguard.h"
#include "systemmenu.h"
#include "testdialoglayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

const int GPS_MAKER_SELECTED = 0;
const int BATTERY_TYPE_SELECTED = 4;

// The lists keep their items sorted whatever order they are added in, as
// the operator reads them; the comparison ignores case.
void addSorted(QComboBox* list, const QString& item)
{
    int index = 0;
    while (index < list->count() && list->itemText(index).compare(item, Qt::CaseInsensitive) <= 0)
        ++index;
    list->insertItem(index, item);
}

QIcon loadAppIcon()
{
    QIcon icon;
    for (const char* size : {"16", "32", "48"})
        icon.addPixmap(
            loadPng(QStringLiteral(":/icons/dunmerrow-%1.png").arg(QLatin1String(size))));
    return icon;
}

} // namespace

TestDialog::TestDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      hIcon(loadAppIcon())
{
    setObjectName(QStringLiteral("TestDialog"));
    setWindowTitle(QStringLiteral("Dunmerrow"));
    m_pauseTimer.setInterval(100);
    m_pauseTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pauseTimer, &QTimer::timeout, this, &TestDialog::endPause);
    initDialog();
}

TestDialog::~TestDialog() = default;

void TestDialog::initDialog()
{
    setFont(DialogUnits::dialogFont());
    setFixedSize(TestDialogLayout::build(this, DialogUnits(font()), m_controls));
    connectCommands();
    addToolTips();
    appendAboutToSystemMenu(this);
    setWindowIcon(hIcon);
    AssignControlIds();
    ResetUnits();
    FillChoiceLists();
    LoadLampImages();
    DisableAllUnits();
    nLampPos = 0;
    m_controls.portChecks[0]->setFocus();
}

void TestDialog::connectCommands()
{
    // A port's flag follows its box whatever ticked it: a click or the
    // space bar, and just as well a screen reader's or voice control's
    // toggle action, which changes the box without clicking it. The lists
    // and edit boxes keep nothing in the dialog: the run reads them as
    // they stand.
    for (int k = 0; k < UNIT_COUNT; ++k) {
        connect(m_controls.portChecks[k], &QAbstractButton::toggled, this,
                [this, k] { PortCheckChanged(k); });
    }
    connect(m_controls.startTest, &QAbstractButton::clicked, this, &TestDialog::StartTest);
    connect(m_controls.ok, &QAbstractButton::clicked, this, &TestDialog::ConfirmExit);
    connect(m_controls.cancel, &QAbstractButton::clicked, this, &TestDialog::CancelTest);
    connect(m_controls.about, &QAbstractButton::clicked, this, &TestDialog::ShowAboutBox);
    // F1 is the help key; held with Shift, Ctrl or Alt it is not.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &TestDialog::ShowAboutBox);
    auto* watcher = new EndRequestWatcher(this);
    connect(watcher, &EndRequestWatcher::endRequested, this, &TestDialog::endProgram);
    // A test runs for as long as the computer is kept awake for it.
    auto* session = new SessionGuard(this, [this] { return m_keepAwake.has_value(); });
    connect(session, &SessionGuard::endRequested, this, &TestDialog::endProgram);
}

void TestDialog::addToolTips()
{
    const DialogControls& c = m_controls;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const struct {
            QWidget* control;
            const char* text;
        } tips[] = {
            {c.makerLists[k],
             "Company that made your GPS - only Garmin and Magellan are supported at this time."},
            {c.batteryMakers[k], "Company that made the battery that you are testing."},
            {c.batteryTypes[k], "What type of battery are you are testing?"},
            {c.capacities[k], "What is the battery's milli-Amps per hour(mAh) rating?"},
            {c.comments[k],
             "Comments about this test - i.e. Model of battery, catalog number, etc."},
        };
        c.portChecks[k]->setToolTip(
            QStringLiteral("Enables testing on Com%1 when checked.").arg(k + 1));
        for (const auto& tip : tips)
            tip.control->setToolTip(QString::fromLatin1(tip.text));
    }
    c.startTest->setToolTip(QStringLiteral("Starts testing on the com ports checked above."));
    c.cancel->setToolTip(QStringLiteral("Cancels the test in progress."));
}

void TestDialog::FillChoiceLists()
{
    for (int k = 0; k < UNIT_COUNT; ++k) {
        for (const char* maker : GPS_MAKER_NAMES)
            addSorted(m_controls.makerLists[k], QString::fromLatin1(maker));
        m_controls.makerLists[k]->setCurrentIndex(GPS_MAKER_SELECTED);
        for (const char* type : BATTERY_TYPES)
            addSorted(m_controls.batteryTypes[k], QString::fromLatin1(type));
        m_controls.batteryTypes[k]->setCurrentIndex(BATTERY_TYPE_SELECTED);
    }
}

void TestDialog::LoadLampImages()
{
    bmpGreen = loadPng(QStringLiteral(":/images/lamp-green.png"));
    if (bmpGreen.isNull())
        MessageBoxOk("Could not load green bitmap");
    bmpGray = loadPng(QStringLiteral(":/images/lamp-gray.png"));
    if (bmpGray.isNull())
        MessageBoxOk("Could not load gray bitmap");
}

void TestDialog::EnableUnitControls(int k, bool enable)
{
    const UnitInfo& unit = units[k];
    for (int nId : {unit.nMfgCtrl, unit.nBatteryMakerCtrl, unit.nBatteryTypeCtrl,
                    unit.nCapacityCtrl, unit.nCommentsCtrl, unit.nUnitLabelCtrl,
                    unit.nStartTimeCtrl, unit.nLastResponseCtrl, unit.nEnduranceCtrl}) {
        if (QWidget* control = m_controls.byId(nId))
            control->setEnabled(enable);
    }
}

void TestDialog::DisableAllUnits()
{
    for (int k = 0; k < UNIT_COUNT; ++k) {
        EnableUnitControls(k, false);
        bPortEnabled[k] = 0;
    }
    m_controls.cancel->setEnabled(false);
}
