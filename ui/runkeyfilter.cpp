#include "runkeyfilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

RunKeyFilter::RunKeyFilter(QWidget* dialog) : m_dialog(dialog)
{
    qApp->installEventFilter(this);
}

RunKeyFilter::~RunKeyFilter()
{
    qApp->removeEventFilter(this);
}

bool RunKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ToolTip)
        return false;
    // Only the dialog and the controls inside it; a window of its own, such
    // as a message box or an open list, keeps its keys.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || (widget != m_dialog && !m_dialog->isAncestorOf(widget)))
        return false;
    if (type == QEvent::ToolTip)
        return true;
    switch (static_cast<const QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}
