#include "receiverarg.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr unsigned MAX_U16 = 0xFFFF;
// Product Data carries id, version and a terminating zero besides the text,
// and its size byte cannot count past 255.
constexpr int MAX_GARMIN_DESCRIPTION = 250;
constexpr int MAX_MAGELLAN_DESCRIPTION = 200;
constexpr int MAX_JUNK = 64;
// Timers count milliseconds in an int; no battery lasts anywhere near that.
constexpr qint64 MAX_LIFE_MS = 500LL * 3600 * 1000;
constexpr int MAX_EVERY = 1000;
constexpr int DEFAULT_JUNK = 3;
constexpr qint64 DEFAULT_LATE_MS = 2500;

// Splits at commas that are not escaped, and removes the escapes.
QStringList SplitFields(const QString& arg)
{
    QStringList fields;
    QString current;
    for (int i = 0; i < arg.size(); ++i) {
        const QChar c = arg.at(i);
        if (c == QLatin1Char('\\') && i + 1 < arg.size()) {
            current += arg.at(++i);
        } else if (c == QLatin1Char(',')) {
            fields << current;
            current.clear();
        } else {
            current += c;
        }
    }
    fields << current;
    return fields;
}

bool ParseVersion(const QString& text, unsigned& hundredths)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})(?:\\.(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    QString fraction = match.captured(2);
    while (fraction.size() < 2)
        fraction += QLatin1Char('0');
    hundredths = match.captured(1).toUInt() * 100 + fraction.toUInt();
    return hundredths <= MAX_U16;
}

bool ParseDescription(const QString& text, const UnitConfig& config, QByteArray& out,
                      QString& error)
{
    const QByteArray bytes = text.toUtf8();
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x20) {
            error = QStringLiteral("desc must not hold control characters");
            return false;
        }
    }
    if (config.protocol == Protocol::Garmin) {
        if (bytes.size() > MAX_GARMIN_DESCRIPTION) {
            error = QStringLiteral("garmin desc is at most %1 bytes").arg(MAX_GARMIN_DESCRIPTION);
            return false;
        }
    } else {
        // These would end the field or the sentence early.
        if (bytes.contains(',') || bytes.contains('*') || bytes.contains('$')) {
            error = QStringLiteral("magellan desc must not hold ',', '*' or '$'");
            return false;
        }
        if (bytes.size() > MAX_MAGELLAN_DESCRIPTION) {
            error =
                QStringLiteral("magellan desc is at most %1 bytes").arg(MAX_MAGELLAN_DESCRIPTION);
            return false;
        }
    }
    out = bytes;
    return true;
}

bool ParseFault(const QString& text, UnitConfig& config, QString& error)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? text : text.left(colon);
    const QString argument = colon < 0 ? QString() : text.mid(colon + 1);
    const bool hasArgument = colon >= 0;
    const bool garmin = config.protocol == Protocol::Garmin;

    struct Plain {
        const char* name;
        Fault fault;
    };
    static const Plain plain[] = {{"none", Fault::None},
                                  {"silent", Fault::Silent},
                                  {"bad-checksum", Fault::BadChecksum},
                                  {"bad-ack-checksum", Fault::BadAckChecksum},
                                  {"lowercase", Fault::LowerCase},
                                  {"overlong", Fault::Overlong},
                                  {"nmea", Fault::Nmea},
                                  {"unplug", Fault::Unplug}};
    for (const Plain& p : plain) {
        if (name != QLatin1String(p.name))
            continue;
        if (hasArgument) {
            error = QStringLiteral("fault %1 takes no argument").arg(name);
            return false;
        }
        if (p.fault == Fault::BadAckChecksum && !garmin) {
            error = QStringLiteral("bad-ack-checksum is a garmin fault: magellan sends no ACK");
            return false;
        }
        if (p.fault == Fault::LowerCase && garmin) {
            error = QStringLiteral("lowercase is a magellan fault: garmin checksums are binary");
            return false;
        }
        config.fault = p.fault;
        return true;
    }

    bool ok = true;
    if (name == QLatin1String("junk")) {
        config.fault = Fault::Junk;
        config.faultCount = hasArgument ? argument.toInt(&ok) : DEFAULT_JUNK;
        if (!ok || config.faultCount < 1 || config.faultCount > MAX_JUNK) {
            error = QStringLiteral("junk:N needs N from 1 to %1").arg(MAX_JUNK);
            return false;
        }
        return true;
    }
    if (name == QLatin1String("every")) {
        config.fault = Fault::EveryNth;
        config.faultCount = hasArgument ? argument.toInt(&ok) : 0;
        if (!ok || config.faultCount < 2 || config.faultCount > MAX_EVERY) {
            error = QStringLiteral("every:N needs N from 2 to %1").arg(MAX_EVERY);
            return false;
        }
        return true;
    }
    if (name == QLatin1String("late")) {
        config.fault = Fault::Late;
        config.faultDelayMs = DEFAULT_LATE_MS;
        if (hasArgument && (!ParseDuration(argument, config.faultDelayMs, false) ||
                            config.faultDelayMs <= 0 || config.faultDelayMs > MAX_LIFE_MS)) {
            error = QStringLiteral("late:SECONDS needs a delay above zero, not '%1'").arg(argument);
            return false;
        }
        return true;
    }
    error = QStringLiteral("unknown fault '%1' (see --help)").arg(name);
    return false;
}

} // namespace

bool ParseDuration(const QString& text, qint64& ms, bool allowForever)
{
    if (allowForever && text == QLatin1String("forever")) {
        ms = UnitConfig::FOREVER;
        return true;
    }
    static const QRegularExpression plain(QStringLiteral("^\\d+(?:\\.\\d{1,3})?$"));
    if (plain.match(text).hasMatch()) {
        ms = qRound64(text.toDouble() * 1000.0);
        return true;
    }
    // 2h30m, 45m, 10s: whole numbers with units, largest first.
    static const QRegularExpression units(QStringLiteral("^(?:(\\d+)h)?(?:(\\d+)m)?(?:(\\d+)s)?$"));
    const QRegularExpressionMatch match = units.match(text);
    if (text.isEmpty() || !match.hasMatch())
        return false;
    const qint64 seconds = match.captured(1).toLongLong() * 3600 +
                           match.captured(2).toLongLong() * 60 + match.captured(3).toLongLong();
    ms = seconds * 1000;
    return true;
}

bool ParseReceiverArg(const QString& arg, UnitConfig& config, QString& error)
{
    const QStringList fields = SplitFields(arg);
    const QString protocol = fields.front().trimmed();
    if (protocol == QLatin1String("garmin")) {
        config = DefaultUnit(Protocol::Garmin);
    } else if (protocol == QLatin1String("magellan")) {
        config = DefaultUnit(Protocol::Magellan);
    } else {
        error = QStringLiteral("unknown protocol '%1': garmin or magellan").arg(protocol);
        return false;
    }

    for (int i = 1; i < fields.size(); ++i) {
        const QString& field = fields.at(i);
        const int equals = field.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            error = QStringLiteral("'%1' is not KEY=VALUE").arg(field);
            return false;
        }
        const QString key = field.left(equals);
        const QString value = field.mid(equals + 1);
        bool ok = true;
        if (key == QLatin1String("life")) {
            if (!ParseDuration(value, config.lifeMs, true)) {
                error = QStringLiteral("life '%1' is not a duration such as 90, 1.5, 2h30m or "
                                       "forever")
                            .arg(value);
                return false;
            }
            if (config.lifeMs > MAX_LIFE_MS) {
                error = QStringLiteral("life '%1' is over 500h; use forever").arg(value);
                return false;
            }
        } else if (key == QLatin1String("id")) {
            config.productId = value.toUInt(&ok, 0);
            if (!ok || config.productId > MAX_U16) {
                error = QStringLiteral("id '%1' is not a number from 0 to 65535").arg(value);
                return false;
            }
        } else if (key == QLatin1String("version")) {
            if (!ParseVersion(value, config.softwareVersion)) {
                error = QStringLiteral("version '%1' is not a number from 0 to 655.35 with at "
                                       "most two decimals")
                            .arg(value);
                return false;
            }
        } else if (key == QLatin1String("desc")) {
            if (!ParseDescription(value, config, config.description, error))
                return false;
        } else if (key == QLatin1String("fault")) {
            if (!ParseFault(value, config, error))
                return false;
        } else {
            error = QStringLiteral("unknown key '%1': life, id, version, desc or fault").arg(key);
            return false;
        }
    }
    return true;
}
