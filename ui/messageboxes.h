#pragma once

#include <QString>

class QDialog;
class QWidget;

// The program's message boxes. The OK boxes and the question are modal to
// their owner and carry the application's name, which is the executable's
// base name, as caption.

// A box with an OK button and the exclamation icon; returns once closed.
void showOkBox(QWidget* owner, const QString& text);
// Yes and No with the question icon. True for Yes.
bool askYesNo(QWidget* owner, const QString& text);
// An OK box with the exclamation icon for results that could not be written,
// named for it (object "unwrittenResultsBox", accessible name "Results not
// written"). Its text can be selected and copied: it holds the result lines
// the operator will want to keep.
void showUnwrittenResultsBox(QWidget* owner, const QString& text);
// Yes and No with the question icon, asking whether to append the lines kept
// from a test that did not end; named and selectable the same way (object
// "recoveredResultsQuestion", accessible name "Recovered results"). True for
// Yes.
bool askToAppendRecovered(QWidget* owner, const QString& text);
// An OK box with the exclamation icon that waits for nobody: it returns at
// once and holds up no window, and it goes when closed. Named for its
// purpose as the boxes above.
QDialog* showNoteBox(QWidget* owner, const QString& text, const char* objectName,
                     const char* purpose);
// The box for a system error text: caption "Error", information icon and no
// owner, so no other window is disabled while it is up. Returns once closed
// all the same.
void showErrorBox(const QString& text);

// Closes every box and dialog that is open but the main window, whoever
// waits on it, as if the operator had pressed Esc.
void closeOpenBoxes(const QWidget* mainWindow);
