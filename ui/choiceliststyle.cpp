#include "choiceliststyle.h"

#include <QApplication>
#include <QStyleOption>

namespace {

constexpr int BUTTON_WIDTH = 13;
constexpr int FRAME = 1;
constexpr int TEXT_MARGIN = 3;

} // namespace

// A proxy of the application's style, created anew rather than shared, as a
// proxy takes ownership of its base style.
ChoiceListStyle::ChoiceListStyle() : QProxyStyle(QApplication::style()->name()) {}

QRect ChoiceListStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                      SubControl sub, const QWidget* widget) const
{
    if (control != CC_ComboBox || (sub != SC_ComboBoxArrow && sub != SC_ComboBoxEditField))
        return QProxyStyle::subControlRect(control, option, sub, widget);
    const QRect inside = option->rect.adjusted(FRAME, FRAME, -FRAME, -FRAME);
    QRect rect;
    if (sub == SC_ComboBoxArrow)
        rect =
            QRect(inside.right() - BUTTON_WIDTH + 1, inside.top(), BUTTON_WIDTH, inside.height());
    else
        rect = QRect(inside.left() + TEXT_MARGIN, inside.top(),
                     inside.width() - BUTTON_WIDTH - TEXT_MARGIN, inside.height());
    return visualRect(option->direction, option->rect, rect);
}
