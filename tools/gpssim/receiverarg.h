#pragma once

#include "unitconfig.h"

#include <QString>

// Reads one receiver description of the command line,
// PROTOCOL[,KEY=VALUE]..., into a unit that starts from the family's
// defaults. A comma or backslash inside a value is written with a backslash
// before it. replay=FILE reads the file, and of a trace the traffic of
// COM<port>; it may stand in place of PROTOCOL. On failure `error` says what
// was wrong, in words for the user.
bool parseReceiverArg(const QString& arg, UnitConfig& config, QString& error, int port = 1);

// A duration such as "90", "1.5", "45m", "2h30m" or, when allowed,
// "forever", in milliseconds (UnitConfig::FOREVER for "forever"). False when
// it is none.
bool parseDuration(const QString& text, qint64& ms, bool allowForever);
