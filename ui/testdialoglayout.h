#pragma once

#include <QSize>
#include <QString>

class DialogUnits;
class QWidget;

// The main dialog's controls, each at its place in dialog units. Every
// control is a direct child of the dialog whose object name holds its
// identifier (ObjectName), so that it can be found by that number alone.
// Frames are made first and so lie behind the controls they enclose.
class TestDialogLayout {
public:
    // Client area of the dialog, in dialog units.
    static constexpr int WIDTH = 362;
    static constexpr int HEIGHT = 206;

    // "control<nId>", the object name of the control with that identifier.
    static QString ObjectName(int nId);
    // The same name in buffer, which the result refers to: the run looks
    // controls up several times a cycle, and a lookup allocates nothing.
    using NameBuffer = char16_t[20];
    static QString ObjectName(int nId, NameBuffer& buffer);

    // Creates every control on dialog, with the texts the window starts
    // with, and chains the tab stops. Returns the client size in pixels.
    static QSize Build(QWidget* dialog, const DialogUnits& du);
};
