#pragma once

#include <QByteArray>

class QWidget;

// The About item of the window's system menu. Only Windows gives a window
// such a menu; elsewhere both do nothing.

// Appends a separator and the item "&About Dunmerrow..." (command 16).
void appendAboutToSystemMenu(QWidget* window);
// True when a native event is the choice of that item.
bool isAboutMenuCommand(const QByteArray& eventType, void* message);
