#include "resultsprogram.h"

QString becomeResultsProgram(const QString& /*file*/)
{
    // Its package leaves it out: Qt for Windows is built without Qt Charts.
    return QStringLiteral("Dunmerrow Results is not part of Dunmerrow for Windows.");
}
