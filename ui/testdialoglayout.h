#pragma once

#include <QSize>

class DialogControls;
class DialogUnits;
class QWidget;

// The main dialog's controls, each at its place in dialog units, named
// after its identifier (DialogControls::objectName). Frames are made first
// and so lie behind the controls they enclose.
class TestDialogLayout {
public:
    // Client area of the dialog, in dialog units.
    static constexpr int WIDTH = 362;
    static constexpr int HEIGHT = 206;

    // Creates every control on dialog, with the texts the window starts
    // with, files each in controls and chains the tab stops. Returns the
    // client size in pixels.
    static QSize build(QWidget* dialog, const DialogUnits& du, DialogControls& controls);
};
