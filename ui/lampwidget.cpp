#include "lampwidget.h"

#include <QPainter>

LampWidget::LampWidget(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // No background of its own: the dialog shows through around the picture.
    setAutoFillBackground(false);
}

void LampWidget::setImage(const QPixmap* image)
{
    // Only the lamps that change are painted again: a step changes two.
    if (image == m_image)
        return;
    m_image = image;
    update();
}

void LampWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!m_image || m_image->isNull())
        return;
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.drawPixmap(inside.topLeft(), *m_image, QRect(0, 0, IMAGE_SIZE, IMAGE_SIZE));
}
