#include "statusdisplay.h"

#include <cstring>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPaintEvent>
#include <QStringDecoder>

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

void StatusDisplay::setUtf8Text(const char* szText)
{
    QString& text = m_texts[m_next];
    const QByteArrayView utf8(szText, static_cast<qsizetype>(std::strlen(szText)));
    QStringDecoder decoder(QStringDecoder::Utf8);
    // UTF-16 takes no more units than UTF-8 takes bytes.
    text.resize(utf8.size());
    const QChar* end = decoder.appendToBuffer(text.data(), utf8);
    text.resize(end - text.constData());
    // The label keeps the text it shows when it is given the same again;
    // then this buffer stays free for the next one.
    if (text == QLabel::text())
        return;
    setText(text);
    m_next = 1 - m_next;
}
