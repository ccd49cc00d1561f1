#include "systemmenu.h"

#include "controlids.h"

#include <QFile>
#include <QWidget>
#include <windows.h>

void appendAboutToSystemMenu(QWidget* window)
{
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
    if (!menu)
        return;
    QFile file(QStringLiteral(":/strings/about-menu.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll()).trimmed();
    if (text.isEmpty())
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, reinterpret_cast<LPCWSTR>(text.utf16()));
}

bool isAboutMenuCommand(const QByteArray& eventType, void* message)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    // The system keeps the four low bits of a command's identifier for its own use.
    return msg->message == WM_SYSCOMMAND &&
           (msg->wParam & 0xFFF0) == static_cast<WPARAM>(IDM_ABOUTBOX);
}
