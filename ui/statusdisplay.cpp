#include "statusdisplay.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPaintEvent>

namespace {

// Read-only text: no caret, no selection, no geometry per character.
class StatusDisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit StatusDisplayAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return label().mid(startOffset, endOffset < 0 ? -1 : endOffset - startOffset);
    }
    using QAccessibleWidget::text;
    int characterCount() const override { return static_cast<int>(label().size()); }

    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    QString label() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* createAccessible(const QString&, QObject* object)
{
    if (auto* display = qobject_cast<StatusDisplay*>(object))
        return new StatusDisplayAccessible(display);
    return nullptr;
}

} // namespace

StatusDisplay::StatusDisplay(QWidget* parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    // It paints the dialog's background behind its text itself: a new text
    // then repaints the display alone, not the frames and the dialog behind.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatusDisplay::paintEvent(QPaintEvent* event)
{
    if (const QWidget* dialog = parentWidget()) {
        QPainter painter(this);
        painter.setBrushOrigin(-pos());
        painter.fillRect(event->rect(), dialog->palette().brush(dialog->backgroundRole()));
    }
    QLabel::paintEvent(event);
}
