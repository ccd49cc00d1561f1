#pragma once

#include "controlids.h"
#include "lampwidget.h"
#include "realinput.h"
#include "testdialog.h"

#include <QAbstractButton>

// The control with this identifier as the kind the test expects, or nullptr.
template <typename W = QWidget>
W* get(const TestDialog& dialog, int nId)
{
    return qobject_cast<W*>(dialog.controls().byId(nId));
}

// A mouse click on the control, as a person makes it; shows the dialog
// first, since only a window on screen gets input.
inline void click(const TestDialog& dialog, int nId)
{
    clickWidget(dialog.controls().byId(nId));
}

// "S" enabled or "-" disabled for Start Test, OK and Cancel, in that order.
inline QString buttonStates(const TestDialog& dialog)
{
    QString states;
    for (int nId : {IDC_START_TEST, IDC_OK, IDC_CANCEL})
        states += get(dialog, nId)->isEnabled() ? 'S' : '-';
    return states;
}

// The middle pixel of each lamp as drawn, left to right: 'G' the lit
// picture's green, '.' the dark one's gray, ' ' anything else.
inline QString lampStates(const TestDialog& dialog)
{
    QString states;
    for (int i = 0; i < LAMP_COUNT; ++i) {
        auto* lamp = get<LampWidget>(dialog, IDC_LAMP_BASE + i);
        const QColor pixel =
            lamp->grab().toImage().pixelColor(lamp->contentsRect().topLeft() + QPoint(6, 6));
        states += pixel == QColor(0, 255, 0) ? 'G' : pixel == QColor(128, 128, 128) ? '.' : ' ';
    }
    return states;
}
