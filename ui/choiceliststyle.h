#pragma once

#include <QProxyStyle>

// The drop-down lists are narrow, laid out for a drop-down button no wider
// than a scroll bar. Styles that give the button more room would cut off
// the longer items ("Heavy duty"); this one keeps the button narrow and
// gives the text the rest.
class ChoiceListStyle : public QProxyStyle {
    Q_OBJECT

public:
    ChoiceListStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
};
