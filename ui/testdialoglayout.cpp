#include "testdialoglayout.h"

#include "choiceliststyle.h"
#include "controlids.h"
#include "dialogcontrols.h"
#include "dialogunits.h"
#include "groupframe.h"
#include "lampwidget.h"
#include "singlelinevalidator.h"
#include "statusdisplay.h"
#include "units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

namespace {

struct Box {
    int x, y, width, height;
};

const int ROW_Y[UNIT_COUNT] = {27, 45, 63, 81};
const int STATUS_Y[UNIT_COUNT] = {125, 139, 152, 166};
// Height of the battery-type lists with the list open.
const int TYPE_LIST_HEIGHT[UNIT_COUNT] = {65, 63, 61, 57};
const int GPS_LIST_HEIGHT = 51;
const int LAMP_X[LAMP_COUNT] = {10, 24, 38, 52};
// A closed list is as tall as an edit box; each item of an open one takes a
// line of text, 8 units.
const int FIELD_HEIGHT = 12;
const int ITEM_HEIGHT = 8;

// The dialog being built: its dialog units, the table its controls are
// filed in, and its tab stops in order.
struct Form {
    QWidget* dialog;
    const DialogUnits& du;
    DialogControls& controls;
    std::vector<QWidget*> tabStops;
};

template <typename W>
W* place(Form& form, W* widget, int nId, const Box& box)
{
    widget->setObjectName(DialogControls::objectName(nId));
    widget->setGeometry(form.du.rect(box.x, box.y, box.width, box.height));
    form.controls.file(nId, widget);
    return widget;
}

// A display's text changes all through a run; at a fixed size, a new one
// only repaints the display instead of also asking the dialog for a new
// layout, which it does not have.
StatusDisplay* fixedSize(StatusDisplay* display)
{
    display->setFixedSize(display->size());
    return display;
}

void addFrame(Form& form, int nId, const char* title, const Box& box)
{
    place(form, new GroupFrame(QString::fromLatin1(title), form.dialog), nId, box);
}

QLabel* addLabel(Form& form, int nId, const QString& text, Qt::Alignment horizontal, const Box& box)
{
    auto* label = new QLabel(text, form.dialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignTop);
    return place(form, label, nId, box);
}

QComboBox* addList(Form& form, int nId, int x, int y, int width, int openHeight)
{
    auto* list = new QComboBox(form.dialog);
    // The program's windows have it already (TestApp); a dialog made
    // without that application gives its lists one of their own.
    if (!qobject_cast<const ChoiceListStyle*>(list->style())) {
        auto* style =
            form.dialog->findChild<ChoiceListStyle*>(QString(), Qt::FindDirectChildrenOnly);
        if (!style) {
            style = new ChoiceListStyle;
            style->setParent(form.dialog);
        }
        list->setStyle(style);
    }
    list->setEditable(false);
    list->setMaxVisibleItems(qMax(1, (openHeight - FIELD_HEIGHT) / ITEM_HEIGHT));
    return place(form, list, nId, {x, y, width, FIELD_HEIGHT});
}

StatusDisplay* addDisplay(Form& form, int nId, const Box& box)
{
    auto* display = new StatusDisplay(form.dialog);
    display->setTextFormat(Qt::PlainText);
    // Top-aligned: a time text ends in a newline, and its empty second line
    // must not push the first one out of the box.
    display->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return fixedSize(place(form, display, nId, box));
}

QLineEdit* addEdit(Form& form, int nId, const Box& box)
{
    auto* edit = new QLineEdit(form.dialog);
    edit->setValidator(new SingleLineValidator(edit));
    return place(form, edit, nId, box);
}

// What a screen reader says for the control: which unit it belongs to and
// what it holds. Its tooltip, if any, is the longer description.
template <typename W>
W* named(W* widget, int k, const char* what)
{
    const QString name = QStringLiteral("Com%1 %2").arg(k + 1).arg(QLatin1String(what));
    widget->setAccessibleName(name);
    if (qobject_cast<QComboBox*>(widget)) {
        // On Linux a list's accessible name is the item it shows, and a
        // screen reader takes what the list is for from a label that names it
        // as its buddy. There is no room for one on screen, so it is hidden.
        auto* label = new QLabel(name, widget->parentWidget());
        label->setBuddy(widget);
        label->hide();
    }
    return widget;
}

QPushButton* addButton(Form& form, int nId, const char* text, int x)
{
    return place(form, new QPushButton(QString::fromLatin1(text), form.dialog), nId,
                 {x, 188, 50, 14});
}

// The frames and the column headings, behind everything else.
void addFramesAndHeadings(Form& form)
{
    addFrame(form, IDC_SETUP_FRAME, "Setup", {5, 3, 93, 96});
    addFrame(form, IDC_BATTERY_FRAME, "Battery Information", {102, 3, 252, 96});
    addFrame(form, IDC_STATUS_FRAME, "Endurance Testing Status", {5, 103, 349, 81});
    addFrame(form, IDC_START_TIME_FRAME, "Start Time", {80, 115, 99, 65});
    addFrame(form, IDC_LAST_RESPONSE_FRAME, "Last Response Time", {184, 115, 99, 65});
    addFrame(form, IDC_ENDURANCE_FRAME, "Endurance Time", {288, 115, 62, 65});

    const struct {
        int nId;
        const char* text;
        Box box;
    } headings[] = {
        {IDC_PORT_HEADING, "Port", {18, 13, 14, 8}},
        {IDC_GPS_MFG_HEADING, "GPS Mfg", {51, 13, 30, 8}},
        {IDC_MANUFACTURER_HEADING, "Manufacturer", {106, 13, 55, 8}},
        {IDC_TYPE_HEADING, "Type", {164, 13, 48, 8}},
        {IDC_MAH_HEADING, "mAh", {222, 13, 28, 8}},
        {IDC_COMMENTS_HEADING, "Comments", {264, 13, 75, 8}},
    };
    for (const auto& heading : headings)
        addLabel(form, heading.nId, QString::fromLatin1(heading.text), Qt::AlignHCenter,
                 heading.box);
}

// Unit k's row of the set-up: its check box, lists and edit boxes, in tab order.
void addUnitRow(Form& form, int k)
{
    const int y = ROW_Y[k];
    DialogControls& c = form.controls;
    c.portChecks[k] = place(form, new QCheckBox(QStringLiteral("Com%1").arg(k + 1), form.dialog),
                            IDC_PORT_CHECK_BASE + k, {10, y, 35, 12});
    c.portChecks[k]->setAccessibleName(QStringLiteral("Test on Com%1").arg(k + 1));
    c.makerLists[k] =
        named(addList(form, IDC_GPS_MFG_BASE + k, 47, y, 47, GPS_LIST_HEIGHT), k, "GPS maker");
    c.batteryMakers[k] = named(addEdit(form, IDC_BATTERY_MAKER_BASE + k, {106, y, 55, 12}), k,
                               "battery manufacturer");
    c.batteryTypes[k] =
        named(addList(form, IDC_BATTERY_TYPE_BASE + k, 167, y, 48, TYPE_LIST_HEIGHT[k]), k,
              "battery type");
    c.capacities[k] =
        named(addEdit(form, IDC_CAPACITY_BASE + k, {220, y, 30, 12}), k, "battery capacity in mAh");
    c.comments[k] = named(addEdit(form, IDC_COMMENTS_BASE + k, {253, y, 95, 12}), k, "comments");
    form.tabStops.insert(form.tabStops.end(), {c.portChecks[k], c.makerLists[k], c.batteryMakers[k],
                                               c.batteryTypes[k], c.capacities[k], c.comments[k]});
}

// Unit k's line of the status: its label and its three displays.
void addUnitStatus(Form& form, int k)
{
    const int y = STATUS_Y[k];
    addLabel(form, IDC_UNIT_LABEL_BASE + k, QStringLiteral("For unit on Com%1").arg(k + 1),
             Qt::AlignLeft, {10, y, 60, 8});
    DialogControls& c = form.controls;
    c.startTimes[k] =
        named(addDisplay(form, IDC_START_TIME_BASE + k, {86, y, 87, 8}), k, "start time");
    c.lastResponses[k] = named(addDisplay(form, IDC_LAST_RESPONSE_BASE + k, {190, y, 87, 8}), k,
                               "last response time");
    c.endurances[k] =
        named(addDisplay(form, IDC_ENDURANCE_BASE + k, {293, y, 51, 8}), k, "endurance time");
}

void addButtons(Form& form)
{
    DialogControls& c = form.controls;
    c.startTest = addButton(form, IDC_START_TEST, "Start Test", 56);
    c.ok = addButton(form, IDC_OK, "OK", 122);
    c.ok->setDefault(true);
    c.cancel = addButton(form, IDC_CANCEL, "Cancel", 188);
    c.about = addButton(form, IDC_ABOUT, "About", 254);
    form.tabStops.insert(form.tabStops.end(), {c.startTest, c.ok, c.cancel, c.about});
}

} // namespace

QSize TestDialogLayout::build(QWidget* dialog, const DialogUnits& du, DialogControls& controls)
{
    Form form{dialog, du, controls, {}};
    addFramesAndHeadings(form);
    for (int k = 0; k < UNIT_COUNT; ++k)
        addUnitRow(form, k);
    for (int k = 0; k < UNIT_COUNT; ++k)
        addUnitStatus(form, k);
    for (int i = 0; i < LAMP_COUNT; ++i) {
        controls.lamps[i] =
            place(form, new LampWidget(dialog), IDC_LAMP_BASE + i, {LAMP_X[i], 112, 12, 10});
        controls.lamps[i]->setAccessibleName(QStringLiteral("Activity lamp %1").arg(i + 1));
    }
    addButtons(form);

    const std::vector<QWidget*>& tabStops = form.tabStops;
    for (std::size_t i = 0; i + 1 < tabStops.size(); ++i) {
        tabStops[i]->setFocusPolicy(Qt::StrongFocus);
        QWidget::setTabOrder(tabStops[i], tabStops[i + 1]);
    }
    tabStops.back()->setFocusPolicy(Qt::StrongFocus);

    return du.size(WIDTH, HEIGHT);
}
