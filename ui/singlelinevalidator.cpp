#include "singlelinevalidator.h"

namespace {

bool breaksLine(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

} // namespace

SingleLineValidator::SingleLineValidator(QObject* parent) : QValidator(parent) {}

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const
{
    input = singleLine(input, &pos);
    return Acceptable;
}

void SingleLineValidator::fixup(QString& input) const
{
    input = singleLine(input);
}

QString SingleLineValidator::singleLine(const QString& text, int* pos)
{
    QString result;
    result.reserve(text.size());
    int newPos = pos ? *pos : 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            // The pair is one break: drop the CR and let the LF become the blank.
            if (pos && i < *pos)
                --newPos;
            continue;
        }
        result += breaksLine(c) ? QChar(u' ') : c;
    }
    if (pos)
        *pos = newPos;
    return result;
}
