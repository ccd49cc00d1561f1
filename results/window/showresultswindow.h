#pragma once

#include <QString>

// Shows the results window and returns when the user has closed it; 0. Needs
// a QApplication, and may be called from any program that has one. file is
// the result log to show; when it is empty, BATTERY.TXT in the working
// directory, else the log shown last time, else the user is asked.
int showResultsWindow(const QString& file = QString());
