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

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace {

const int GPS_MAKER_SELECTED = 0;
const int BATTERY_TYPE_SELECTED = 4;

// The lists keep their items sorted whatever order they are added in, as
// the operator reads them; the comparison ignores case.
void AddSorted(QComboBox* list, const QString& item)
{
    int index = 0;
    while (index < list->count() && list->itemText(index).compare(item, Qt::CaseInsensitive) <= 0)
        ++index;
    list->insertItem(index, item);
}

QIcon LoadAppIcon()
{
    QIcon icon;
    for (const char* size : {"16", "32", "48"})
        icon.addPixmap(
            LoadPng(QStringLiteral(":/icons/dunmerrow-%1.png").arg(QLatin1String(size))));
    return icon;
}

} // namespace

TestDialog::TestDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      hIcon(LoadAppIcon())
{
    setObjectName(QStringLiteral("TestDialog"));
    setWindowTitle(QStringLiteral("Dunmerrow"));
    m_pauseTimer.setInterval(100);
    m_pauseTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pauseTimer, &QTimer::timeout, this, &TestDialog::endPause);
    InitDialog();
}

TestDialog::~TestDialog() = default;

void TestDialog::InitDialog()
{
    setFont(DialogUnits::DialogFont());
    setFixedSize(TestDialogLayout::Build(this, DialogUnits(font())));
    ConnectCommands();
    AddToolTips();
    AppendAboutToSystemMenu(this);
    setWindowIcon(hIcon);
    AssignControlIds();
    ResetUnits();
    FillChoiceLists();
    LoadLampImages();
    DisableAllUnits();
    nLampPos = 0;
    if (auto* about = qobject_cast<QAbstractButton*>(Control(IDC_ABOUT)))
        about->setText(QStringLiteral("About"));
    if (QWidget* first = Control(IDC_PORT_CHECK_BASE))
        first->setFocus();
}

void TestDialog::ConnectCommands()
{
    // A port's flag follows its box whatever ticked it: a click or the
    // space bar, and just as well a screen reader's or voice control's
    // toggle action, which changes the box without clicking it. The lists
    // and edit boxes keep nothing in the dialog: the run reads them as
    // they stand.
    for (int k = 0; k < UNIT_COUNT; ++k) {
        if (auto* box = qobject_cast<QAbstractButton*>(Control(IDC_PORT_CHECK_BASE + k)))
            connect(box, &QAbstractButton::toggled, this, [this, k] { PortCheckChanged(k); });
    }
    const struct {
        int nId;
        void (TestDialog::*handler)();
    } commands[] = {
        {IDC_START_TEST, &TestDialog::StartTest},
        {IDC_OK, &TestDialog::ConfirmExit},
        {IDC_CANCEL, &TestDialog::CancelTest},
        {IDC_ABOUT, &TestDialog::ShowAboutBox},
    };
    for (const auto& command : commands) {
        if (auto* button = qobject_cast<QAbstractButton*>(Control(command.nId)))
            connect(button, &QAbstractButton::clicked, this, command.handler);
    }
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

void TestDialog::AddToolTips()
{
    const struct {
        int nFirstId;
        const char* text;
    } tips[] = {
        {IDC_GPS_MFG_BASE,
         "Company that made your GPS - only Garmin and Magellan are supported at this time."},
        {IDC_BATTERY_MAKER_BASE, "Company that made the battery that you are testing."},
        {IDC_BATTERY_TYPE_BASE, "What type of battery are you are testing?"},
        {IDC_CAPACITY_BASE, "What is the battery's milli-Amps per hour(mAh) rating?"},
        {IDC_COMMENTS_BASE,
         "Comments about this test - i.e. Model of battery, catalog number, etc."},
    };
    for (int k = 0; k < UNIT_COUNT; ++k) {
        if (QWidget* box = Control(IDC_PORT_CHECK_BASE + k))
            box->setToolTip(QStringLiteral("Enables testing on Com%1 when checked.").arg(k + 1));
    }
    for (const auto& tip : tips) {
        for (int k = 0; k < UNIT_COUNT; ++k) {
            if (QWidget* control = Control(tip.nFirstId + k))
                control->setToolTip(QString::fromLatin1(tip.text));
        }
    }
    if (QWidget* start = Control(IDC_START_TEST))
        start->setToolTip(QStringLiteral("Starts testing on the com ports checked above."));
    if (QWidget* cancel = Control(IDC_CANCEL))
        cancel->setToolTip(QStringLiteral("Cancels the test in progress."));
}

QWidget* TestDialog::Control(int nId) const
{
    TestDialogLayout::NameBuffer name;
    return findChild<QWidget*>(TestDialogLayout::ObjectName(nId, name), Qt::FindDirectChildrenOnly);
}

void TestDialog::EnableControl(int nId, bool enable)
{
    if (QWidget* control = Control(nId))
        control->setEnabled(enable);
}

void TestDialog::FillChoiceLists()
{
    for (const UnitInfo& unit : units) {
        if (auto* makers = qobject_cast<QComboBox*>(Control(unit.nMfgCtrl))) {
            for (const char* maker : GPS_MAKER_NAMES)
                AddSorted(makers, QString::fromLatin1(maker));
            makers->setCurrentIndex(GPS_MAKER_SELECTED);
        }
        if (auto* types = qobject_cast<QComboBox*>(Control(unit.nBatteryTypeCtrl))) {
            for (const char* type : BATTERY_TYPES)
                AddSorted(types, QString::fromLatin1(type));
            types->setCurrentIndex(BATTERY_TYPE_SELECTED);
        }
    }
}

void TestDialog::LoadLampImages()
{
    bmpGreen = LoadPng(QStringLiteral(":/images/lamp-green.png"));
    if (bmpGreen.isNull())
        MessageBoxOk("Could not load green bitmap");
    bmpGray = LoadPng(QStringLiteral(":/images/lamp-gray.png"));
    if (bmpGray.isNull())
        MessageBoxOk("Could not load gray bitmap");
}

void TestDialog::EnableUnitControls(int k, bool enable)
{
    const UnitInfo& unit = units[k];
    for (int nId : {unit.nMfgCtrl, unit.nBatteryMakerCtrl, unit.nBatteryTypeCtrl,
                    unit.nCapacityCtrl, unit.nCommentsCtrl, unit.nUnitLabelCtrl,
                    unit.nStartTimeCtrl, unit.nLastResponseCtrl, unit.nEnduranceCtrl})
        EnableControl(nId, enable);
}

void TestDialog::DisableAllUnits()
{
    for (int k = 0; k < UNIT_COUNT; ++k) {
        EnableUnitControls(k, false);
        bPortEnabled[k] = 0;
    }
    EnableControl(IDC_CANCEL, false);
}
