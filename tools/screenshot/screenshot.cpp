// Renders the main dialog as it looks in the middle of a test, for the
// README: two ports ticked and described, times in the displays, a lamp lit.
// Usage: dunmerrow_screenshot OUTPUT.png (run with QT_QPA_PLATFORM=offscreen)

#include "controlids.h"
#include "testdialog.h"

#include <cstdio>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>

namespace {

void tick(TestDialog& dialog, int k)
{
    if (auto* box = qobject_cast<QAbstractButton*>(dialog.controls().byId(IDC_PORT_CHECK_BASE + k)))
        box->click();
}

void type(TestDialog& dialog, int nId, const char* text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(dialog.controls().byId(nId)))
        edit->setText(QString::fromUtf8(text));
}

void choose(TestDialog& dialog, int nId, const char* item)
{
    if (auto* list = qobject_cast<QComboBox*>(dialog.controls().byId(nId)))
        list->setCurrentText(QString::fromUtf8(item));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    TestDialog dialog;
    g_pTestDialog = &dialog;

    tick(dialog, 0);
    type(dialog, IDC_BATTERY_MAKER_BASE + 0, "Acme");
    type(dialog, IDC_CAPACITY_BASE + 0, "1800");
    type(dialog, IDC_COMMENTS_BASE + 0, "spare set, 4 months old");

    tick(dialog, 2);
    choose(dialog, IDC_GPS_MFG_BASE + 2, "Magellan");
    type(dialog, IDC_BATTERY_MAKER_BASE + 2, "Voltmax");
    choose(dialog, IDC_BATTERY_TYPE_BASE + 2, "Heavy duty");
    type(dialog, IDC_CAPACITY_BASE + 2, "2500");
    type(dialog, IDC_COMMENTS_BASE + 2, "catalog no. VX-AA4");

    dialog.SetControlText(IDC_START_TIME_BASE + 0, "Sat Dec 05 14:03:22 2026\n");
    dialog.SetControlText(IDC_LAST_RESPONSE_BASE + 0, "Sat Dec 05 20:15:40 2026\n");
    dialog.SetControlText(IDC_ENDURANCE_BASE + 0, "06:12:18");
    dialog.SetControlText(IDC_START_TIME_BASE + 2, "Sat Dec 05 14:03:22 2026\n");
    dialog.SetControlText(IDC_LAST_RESPONSE_BASE + 2, "Sun Dec 06 01:47:09 2026\n");

    dialog.nLampPos = 0;
    dialog.StepActivityLights();
    dialog.StepActivityLights();
    dialog.StepActivityLights();

    dialog.show();
    QApplication::processEvents();
    const bool saved = dialog.grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
    g_pTestDialog = nullptr;
    return saved ? 0 : 1;
}
