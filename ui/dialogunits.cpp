#include "dialogunits.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace {

// n * numerator / denominator rounded to the nearest integer, halves away
// from zero, without losing the fraction on the way.
int mulDivRounded(int n, int numerator, int denominator)
{
    const long long product = static_cast<long long>(n) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average is taken over the 52 letters of both cases, rounded to a
    // whole pixel, since one letter alone says little about a proportional
    // face.
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_avgCharWidth = (metrics.horizontalAdvance(letters) + 26) / 52;
    m_charHeight = metrics.height();
}

QFont DialogUnits::dialogFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

int DialogUnits::x(int units) const
{
    return mulDivRounded(units, m_avgCharWidth, 4);
}

int DialogUnits::y(int units) const
{
    return mulDivRounded(units, m_charHeight, 8);
}

QRect DialogUnits::rect(int left, int top, int width, int height) const
{
    return QRect(x(left), y(top), x(width), y(height));
}

QSize DialogUnits::size(int width, int height) const
{
    return QSize(x(width), y(height));
}
