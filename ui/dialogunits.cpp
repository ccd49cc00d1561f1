#include "dialogunits.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace {

// n * numerator / denominator rounded to the nearest integer, halves away
// from zero, without losing the fraction on the way.
int MulDivRounded(int n, int numerator, int denominator)
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

QFont DialogUnits::DialogFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

int DialogUnits::X(int units) const
{
    return MulDivRounded(units, m_avgCharWidth, 4);
}

int DialogUnits::Y(int units) const
{
    return MulDivRounded(units, m_charHeight, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(X(x), Y(y), X(width), Y(height));
}

QSize DialogUnits::Size(int width, int height) const
{
    return QSize(X(width), Y(height));
}
