#include "systemmenu.h"

// X11, Wayland and macOS give a window no system menu to extend.

void AppendAboutToSystemMenu(QWidget*) {}

bool IsAboutMenuCommand(const QByteArray&, void*)
{
    return false;
}
