#pragma once

#include "controlids.h"
#include "lampwidget.h"
#include "testdialog.h"

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QPoint>

// The control with this identifier as the kind the test expects, or nullptr.
template <typename W>
W* Get(const TestDialog& dialog, int nId)
{
    return qobject_cast<W*>(dialog.Control(nId));
}

inline bool Enabled(const TestDialog& dialog, int nId)
{
    const QWidget* control = dialog.Control(nId);
    return control && control->isEnabled();
}

// "S" enabled or "-" disabled for Start Test, OK and Cancel, in that order.
inline QString ButtonStates(const TestDialog& dialog)
{
    QString states;
    for (int nId : {IDC_START_TEST, IDC_OK, IDC_CANCEL})
        states += Enabled(dialog, nId) ? QLatin1Char('S') : QLatin1Char('-');
    return states;
}

inline void Click(const TestDialog& dialog, int nId)
{
    if (auto* button = Get<QAbstractButton>(dialog, nId))
        button->click();
}

// A pixel of the lamp as it is drawn, counted from the top-left of its inside.
inline QColor LampPixel(const TestDialog& dialog, int nId, QPoint at)
{
    auto* lamp = Get<LampWidget>(dialog, nId);
    if (!lamp)
        return QColor();
    const QImage image = lamp->grab().toImage();
    return image.pixelColor(lamp->contentsRect().topLeft() + at);
}

inline const QColor LAMP_GREEN(0, 255, 0);
inline const QColor LAMP_GRAY(128, 128, 128);

// 'G' lit, '.' dark, ' ' blank: the middle of each lamp's picture, left to right.
inline QString LampStates(const TestDialog& dialog)
{
    QString states;
    for (int i = 0; i < LAMP_COUNT; ++i) {
        const QColor pixel = LampPixel(dialog, IDC_LAMP_BASE + i, QPoint(6, 6));
        states += pixel == LAMP_GREEN  ? QLatin1Char('G')
                  : pixel == LAMP_GRAY ? QLatin1Char('.')
                                       : QLatin1Char(' ');
    }
    return states;
}
