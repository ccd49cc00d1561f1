#pragma once

#include <QValidator>

// Keeps an edit box to one line of text, however the text arrives: typed,
// pasted or dropped. Line breaks, tabs and other control characters become
// blanks (a CR LF pair one blank), so the box shows exactly what the result
// log will hold, and a pasted paragraph cannot split a unit's log line.
class SingleLineValidator : public QValidator {
    Q_OBJECT

public:
    explicit SingleLineValidator(QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

    // The text as the box keeps it; pos, when given, follows the edit.
    static QString singleLine(const QString& text, int* pos = nullptr);
};
