#pragma once

#include <QObject>

class QWidget;

// While a test runs, its handler keeps the window alive by dispatching
// events itself, and the dialog's own keyboard handling is off: Enter and
// Esc are no commands (not even on a focused button), Tab does not move the
// focus, and no tooltip pops up. Typing into the boxes, the mouse and
// painting work as usual, and so does every other window: message boxes and
// the About box still answer Enter and Esc. Active for its lifetime.
class RunKeyFilter : public QObject {
    Q_OBJECT

public:
    explicit RunKeyFilter(QWidget* dialog);
    ~RunKeyFilter() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_dialog;
};
