#include "groupframe.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
    setAlignment(Qt::AlignHCenter);
    setFocusPolicy(Qt::NoFocus);
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();

    // An etched line, drawn here rather than by the style: styles move a
    // titled group's frame down to make room for the title above it.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);

    const QString text = title();
    if (text.isEmpty())
        return;
    // A little room either side, so the line stops short of the letters.
    const int gap = metrics.averageCharWidth() / 2;
    QRect titleRect(0, 0, metrics.horizontalAdvance(text) + 2 * gap, metrics.height());
    titleRect.moveLeft((width() - titleRect.width()) / 2);
    painter.fillRect(titleRect, palette().window());
    style()->drawItemText(&painter, titleRect, Qt::AlignCenter, palette(), isEnabled(), text,
                          QPalette::WindowText);
}
