#include "systemmenu.h"

// X11, Wayland and macOS give a window no system menu to extend.

void appendAboutToSystemMenu(QWidget*) {}

bool isAboutMenuCommand(const QByteArray&, void*)
{
    return false;
}
