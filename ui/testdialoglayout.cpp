#include "testdialoglayout.h"

#include "choiceliststyle.h"
#include "controlids.h"
#include "dialogunits.h"
#include "groupframe.h"
#include "lampwidget.h"
#include "singlelinevalidator.h"
#include "statusdisplay.h"
#include "units.h"

#include <algorithm>
#include <charconv>
#include <cstring>
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

template <typename W>
W* Place(W* widget, int nId, const DialogUnits& du, const Box& box)
{
    widget->setObjectName(TestDialogLayout::ObjectName(nId));
    widget->setGeometry(du.Rect(box.x, box.y, box.width, box.height));
    return widget;
}

// A display's text changes all through a run; at a fixed size, a new one
// only repaints the display instead of also asking the dialog for a new
// layout, which it does not have.
StatusDisplay* FixedSize(StatusDisplay* display)
{
    display->setFixedSize(display->size());
    return display;
}

void AddFrame(QWidget* dialog, const DialogUnits& du, int nId, const char* title, const Box& box)
{
    Place(new GroupFrame(QString::fromLatin1(title), dialog), nId, du, box);
}

QLabel* AddLabel(QWidget* dialog, const DialogUnits& du, int nId, const QString& text,
                 Qt::Alignment horizontal, const Box& box)
{
    auto* label = new QLabel(text, dialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(horizontal | Qt::AlignTop);
    return Place(label, nId, du, box);
}

QComboBox* AddList(QWidget* dialog, const DialogUnits& du, int nId, int x, int y, int width,
                   int openHeight)
{
    auto* list = new QComboBox(dialog);
    // The program's windows have it already (TestApp); a dialog made
    // without that application gives its lists one of their own.
    if (!qobject_cast<const ChoiceListStyle*>(list->style())) {
        auto* style = dialog->findChild<ChoiceListStyle*>(QString(), Qt::FindDirectChildrenOnly);
        if (!style) {
            style = new ChoiceListStyle;
            style->setParent(dialog);
        }
        list->setStyle(style);
    }
    list->setEditable(false);
    list->setMaxVisibleItems(qMax(1, (openHeight - FIELD_HEIGHT) / ITEM_HEIGHT));
    return Place(list, nId, du, {x, y, width, FIELD_HEIGHT});
}

StatusDisplay* AddDisplay(QWidget* dialog, const DialogUnits& du, int nId, const Box& box)
{
    auto* display = new StatusDisplay(dialog);
    display->setTextFormat(Qt::PlainText);
    // Top-aligned: a time text ends in a newline, and its empty second line
    // must not push the first one out of the box.
    display->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return FixedSize(Place(display, nId, du, box));
}

QLineEdit* AddEdit(QWidget* dialog, const DialogUnits& du, int nId, const Box& box)
{
    auto* edit = new QLineEdit(dialog);
    edit->setValidator(new SingleLineValidator(edit));
    return Place(edit, nId, du, box);
}

// What a screen reader says for the control: which unit it belongs to and
// what it holds. Its tooltip, if any, is the longer description.
template <typename W>
W* Named(W* widget, int k, const char* what)
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

QPushButton* AddButton(QWidget* dialog, const DialogUnits& du, int nId, const char* text, int x)
{
    return Place(new QPushButton(QString::fromLatin1(text), dialog), nId, du, {x, 188, 50, 14});
}

// The frames and the column headings, behind everything else.
void AddFramesAndHeadings(QWidget* dialog, const DialogUnits& du)
{
    AddFrame(dialog, du, IDC_SETUP_FRAME, "Setup", {5, 3, 93, 96});
    AddFrame(dialog, du, IDC_BATTERY_FRAME, "Battery Information", {102, 3, 252, 96});
    AddFrame(dialog, du, IDC_STATUS_FRAME, "Endurance Testing Status", {5, 103, 349, 81});
    AddFrame(dialog, du, IDC_START_TIME_FRAME, "Start Time", {80, 115, 99, 65});
    AddFrame(dialog, du, IDC_LAST_RESPONSE_FRAME, "Last Response Time", {184, 115, 99, 65});
    AddFrame(dialog, du, IDC_ENDURANCE_FRAME, "Endurance Time", {288, 115, 62, 65});

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
        AddLabel(dialog, du, heading.nId, QString::fromLatin1(heading.text), Qt::AlignHCenter,
                 heading.box);
}

// Unit k's row of the set-up: its check box, lists and edit boxes, in tab order.
void AddUnitRow(QWidget* dialog, const DialogUnits& du, int k, std::vector<QWidget*>& tabStops)
{
    const int y = ROW_Y[k];
    auto* check = Place(new QCheckBox(QStringLiteral("Com%1").arg(k + 1), dialog),
                        IDC_PORT_CHECK_BASE + k, du, {10, y, 35, 12});
    check->setAccessibleName(QStringLiteral("Test on Com%1").arg(k + 1));
    tabStops.push_back(check);
    tabStops.push_back(Named(AddList(dialog, du, IDC_GPS_MFG_BASE + k, 47, y, 47, GPS_LIST_HEIGHT),
                             k, "GPS maker"));
    tabStops.push_back(Named(AddEdit(dialog, du, IDC_BATTERY_MAKER_BASE + k, {106, y, 55, 12}), k,
                             "battery manufacturer"));
    tabStops.push_back(
        Named(AddList(dialog, du, IDC_BATTERY_TYPE_BASE + k, 167, y, 48, TYPE_LIST_HEIGHT[k]), k,
              "battery type"));
    tabStops.push_back(Named(AddEdit(dialog, du, IDC_CAPACITY_BASE + k, {220, y, 30, 12}), k,
                             "battery capacity in mAh"));
    tabStops.push_back(
        Named(AddEdit(dialog, du, IDC_COMMENTS_BASE + k, {253, y, 95, 12}), k, "comments"));
}

// Unit k's line of the status: its label and its three displays.
void AddUnitStatus(QWidget* dialog, const DialogUnits& du, int k)
{
    const int y = STATUS_Y[k];
    AddLabel(dialog, du, IDC_UNIT_LABEL_BASE + k, QStringLiteral("For unit on Com%1").arg(k + 1),
             Qt::AlignLeft, {10, y, 60, 8});
    Named(AddDisplay(dialog, du, IDC_START_TIME_BASE + k, {86, y, 87, 8}), k, "start time");
    Named(AddDisplay(dialog, du, IDC_LAST_RESPONSE_BASE + k, {190, y, 87, 8}), k,
          "last response time");
    Named(AddDisplay(dialog, du, IDC_ENDURANCE_BASE + k, {293, y, 51, 8}), k, "endurance time");
}

void AddButtons(QWidget* dialog, const DialogUnits& du, std::vector<QWidget*>& tabStops)
{
    tabStops.push_back(AddButton(dialog, du, IDC_START_TEST, "Start Test", 56));
    QPushButton* ok = AddButton(dialog, du, IDC_OK, "OK", 122);
    ok->setDefault(true);
    tabStops.push_back(ok);
    tabStops.push_back(AddButton(dialog, du, IDC_CANCEL, "Cancel", 188));
    tabStops.push_back(AddButton(dialog, du, IDC_ABOUT, "&Help", 254));
}

} // namespace

QString TestDialogLayout::ObjectName(int nId)
{
    NameBuffer buffer;
    const QString name = ObjectName(nId, buffer);
    return QString(name.constData(), name.size());
}

QString TestDialogLayout::ObjectName(int nId, NameBuffer& buffer)
{
    static const char PREFIX[] = "control";
    char text[sizeof buffer / sizeof buffer[0]];
    std::memcpy(text, PREFIX, sizeof PREFIX - 1);
    char* end = std::to_chars(text + sizeof PREFIX - 1, text + sizeof text, nId).ptr;
    const auto length = static_cast<qsizetype>(end - text);
    std::copy(text, end, buffer);
    return QString::fromRawData(reinterpret_cast<const QChar*>(buffer), length);
}

QSize TestDialogLayout::Build(QWidget* dialog, const DialogUnits& du)
{
    AddFramesAndHeadings(dialog, du);
    std::vector<QWidget*> tabStops;
    for (int k = 0; k < UNIT_COUNT; ++k)
        AddUnitRow(dialog, du, k, tabStops);
    for (int k = 0; k < UNIT_COUNT; ++k)
        AddUnitStatus(dialog, du, k);
    for (int i = 0; i < LAMP_COUNT; ++i) {
        Place(new LampWidget(dialog), IDC_LAMP_BASE + i, du, {LAMP_X[i], 112, 12, 10})
            ->setAccessibleName(QStringLiteral("Activity lamp %1").arg(i + 1));
    }
    AddButtons(dialog, du, tabStops);

    for (std::size_t i = 0; i + 1 < tabStops.size(); ++i) {
        tabStops[i]->setFocusPolicy(Qt::StrongFocus);
        QWidget::setTabOrder(tabStops[i], tabStops[i + 1]);
    }
    tabStops.back()->setFocusPolicy(Qt::StrongFocus);

    return du.Size(WIDTH, HEIGHT);
}
