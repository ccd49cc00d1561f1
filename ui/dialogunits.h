#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// The dialog's geometry is given in dialog units, a measure of the layout
// (not the engine's units, which are receivers), so that it grows with its
// font: a horizontal unit is a quarter of the font's average character width
// and a vertical unit an eighth of its height. Each coordinate and each size
// is converted on its own and rounded to the nearest pixel, as a dialog
// template is laid out.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // The font every dialog of the program is laid out in: the platform's
    // sans-serif face at 8 points.
    static QFont dialogFont();

    int x(int units) const;
    int y(int units) const;
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int m_avgCharWidth;
    int m_charHeight;
};
