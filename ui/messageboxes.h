#pragma once

#include <QString>

class QWidget;

// The program's message boxes. The OK boxes and the question are modal to
// their owner and carry the application's name, which is the executable's
// base name, as caption.

// A box with an OK button and the exclamation icon; returns once closed.
void ShowOkBox(QWidget* owner, const QString& text);
// Yes and No with the question icon. True for Yes.
bool AskYesNo(QWidget* owner, const QString& text);
// An OK box with the exclamation icon for results that could not be written,
// named for it (object "unwrittenResultsBox", accessible name "Results not
// written"). Its text can be selected and copied: it holds the result lines
// the operator will want to keep.
void showUnwrittenResultsBox(QWidget* owner, const QString& text);
// The box for a system error text: caption "Error", information icon and no
// owner, so no other window is disabled while it is up. Returns once closed
// all the same.
void ShowErrorBox(const QString& text);
