#include "receiverarg.h"

#include "recording.h"

#include <algorithm>
#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr unsigned MAX_U16 = 0xFFFF;
// Within what a Garmin's Product Data packet can carry besides id and version.
constexpr int MAX_DESCRIPTION = 200;
// Timers count milliseconds in an int; no battery lasts anywhere near that.
constexpr qint64 MAX_LIFE_MS = 500LL * 3600 * 1000;

// Splits at commas that are not escaped, and removes the escapes.
QStringList splitFields(const QString& arg)
{
    QStringList fields(1);
    for (int i = 0; i < arg.size(); ++i) {
        if (arg.at(i) == QLatin1Char('\\') && i + 1 < arg.size())
            fields.last() += arg.at(++i);
        else if (arg.at(i) == QLatin1Char(','))
            fields.append(QString());
        else
            fields.last() += arg.at(i);
    }
    return fields;
}

bool parseLife(const QString& value, UnitConfig& config)
{
    return parseDuration(value, config.lifeMs, true) && config.lifeMs <= MAX_LIFE_MS;
}

bool parseId(const QString& value, UnitConfig& config)
{
    bool ok = false;
    config.productId = value.toUInt(&ok, 0);
    return ok && config.productId <= MAX_U16;
}

bool parseVersion(const QString& value, UnitConfig& config)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})(?:\\.(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = pattern.match(value);
    config.softwareVersion = match.captured(1).toUInt() * 100 +
                             match.captured(2).leftJustified(2, QLatin1Char('0')).toUInt();
    return match.hasMatch() && config.softwareVersion <= MAX_U16;
}

bool parseDescription(const QString& value, UnitConfig& config)
{
    // ',', '*' and '$' would end a Magellan's field or sentence early.
    static const QRegularExpression bad(QStringLiteral("[\\x00-\\x1F]"));
    static const QRegularExpression badInNmea(QStringLiteral("[\\x00-\\x1F,*$]"));
    config.description = value.toUtf8();
    return !value.contains(config.protocol == Protocol::Garmin ? bad : badInNmea) &&
           config.description.size() <= MAX_DESCRIPTION;
}

bool parseFault(const QString& value, UnitConfig& config)
{
    for (const Fault fault : {Fault::None, Fault::BadChecksum, Fault::LowerCase, Fault::Unplug}) {
        if (value == faultText(fault)) {
            config.fault = fault;
            // Garmin checksums are binary: they have no case.
            return !(config.protocol == Protocol::Garmin && fault == Fault::LowerCase);
        }
    }
    return false;
}

// Within what a timer counts; no receiver is slower than a minute.
constexpr qint64 MAX_DELAY_MS = 60000;

// "3" or "3-6": one time, or the range each answer's time is drawn from.
bool parseDelay(const QString& value, UnitConfig& config)
{
    const QStringList ends = value.split(QLatin1Char('-'));
    return ends.size() <= 2 && parseDuration(ends.front(), config.delayMinMs, false) &&
           parseDuration(ends.back(), config.delayMaxMs, false) &&
           config.delayMinMs <= config.delayMaxMs && config.delayMaxMs <= MAX_DELAY_MS;
}

// Bursts a given time apart are a stream too.
bool parseBurst(const QString& value, UnitConfig& config)
{
    config.stream = true;
    return parseDuration(value, config.burstMs, false) && config.burstMs > 0 &&
           config.burstMs <= MAX_DELAY_MS;
}

// "20+5": gone 20 s after the first query, for 5 s.
bool parseVanish(const QString& value, UnitConfig& config)
{
    const QStringList parts = value.split(QLatin1Char('+'));
    return parts.size() == 2 && parseDuration(parts[0], config.vanishAtMs, false) &&
           parseDuration(parts[1], config.vanishForMs, false) && config.vanishForMs > 0 &&
           config.vanishAtMs <= MAX_LIFE_MS && config.vanishForMs <= MAX_LIFE_MS;
}

bool parseStream(const QString& value, UnitConfig& config)
{
    config.stream = value == QLatin1String("on");
    return config.stream || value == QLatin1String("off");
}

// Only the name: the file is read once every other key is known.
bool parseReplay(const QString& value, UnitConfig& /*config*/)
{
    return !value.isEmpty();
}

// A trace is played as it was recorded and decides everything itself; a
// capture is the stream of a receiver that answers as the keys say.
bool loadReplay(const QString& path, bool alone, int port, UnitConfig& config, QString& error)
{
    auto recording = std::make_shared<Recording>();
    if (!Recording::load(path, port, *recording, error)) {
        error = QStringLiteral("replay '%1': %2").arg(path, error);
        return false;
    }
    if (recording->kind == Recording::Kind::Trace) {
        if (!alone) {
            error = QStringLiteral("replay '%1' is a trace: give replay=FILE alone, the trace "
                                   "decides the rest")
                        .arg(path);
            return false;
        }
        const bool nmea = recording->exchanges.front().query.startsWith('$');
        config = UnitConfig::defaults(nmea ? Protocol::Magellan : Protocol::Garmin);
        config.lifeMs = UnitConfig::FOREVER;
    }
    config.stream = recording->kind == Recording::Kind::Capture;
    config.recording = std::move(recording);
    return true;
}

struct Key {
    const char* name;
    bool (*parse)(const QString& value, UnitConfig& config);
    const char* expected; // what a good value looks like, for the error
};

const Key KEYS[] = {
    {"life", parseLife, "a duration such as 90, 1.5, 2h30m or forever, up to 500h"},
    {"id", parseId, "a number from 0 to 65535"},
    {"version", parseVersion, "a number from 0 to 655.35 with at most two decimals"},
    {"desc", parseDescription,
     "text of at most 200 bytes without control characters, nor ',', '*' or '$' for magellan"},
    {"fault", parseFault,
     "a fault for this protocol: none, bad-checksum, lowercase (magellan), unplug"},
    {"stream", parseStream, "on or off"},
    {"delay", parseDelay, "a time such as 4 or a range such as 3-6, up to 60s"},
    {"burst", parseBurst, "a time above 0 such as 2.8, up to 60s"},
    {"vanish", parseVanish, "when and for how long, such as 20+5, up to 500h each"},
    {"replay", parseReplay, "a file"},
};

} // namespace

bool parseDuration(const QString& text, qint64& ms, bool allowForever)
{
    if (allowForever && text == QLatin1String("forever")) {
        ms = UnitConfig::FOREVER;
        return true;
    }
    // Seconds with up to three decimals, or whole numbers with units, largest
    // first: 90, 1.5, 2h30m, 45m, 10s.
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(\\d+(?:\\.\\d{1,3})?)|(?:(\\d+)h)?(?:(\\d+)m)?(?:(\\d+)s)?)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const qint64 seconds = match.captured(2).toLongLong() * 3600 +
                           match.captured(3).toLongLong() * 60 + match.captured(4).toLongLong();
    ms = qRound64(match.captured(1).toDouble() * 1000.0) + seconds * 1000;
    return !text.isEmpty() && match.hasMatch();
}

bool parseReceiverArg(const QString& arg, UnitConfig& config, QString& error, int port)
{
    QStringList fields = splitFields(arg);
    // A recording tells the protocol itself: a capture is NMEA.
    const bool replayFirst = fields.front().startsWith(QLatin1String("replay="));
    const QString protocol =
        replayFirst ? QStringLiteral("magellan") : fields.takeFirst().trimmed();
    if (protocol != QLatin1String("garmin") && protocol != QLatin1String("magellan")) {
        error = QStringLiteral("unknown protocol '%1': garmin or magellan").arg(protocol);
        return false;
    }
    config = UnitConfig::defaults(protocol == QLatin1String("garmin") ? Protocol::Garmin
                                                                      : Protocol::Magellan);
    QString replay;
    for (const QString& field : fields) {
        // A bare "stream" is short for stream=on.
        const QString key = field.section(QLatin1Char('='), 0, 0);
        const QString value = field == QLatin1String("stream")
                                  ? QStringLiteral("on")
                                  : field.section(QLatin1Char('='), 1, -1);
        const auto known = std::find_if(std::begin(KEYS), std::end(KEYS),
                                        [&key](const Key& k) { return key == k.name; });
        if (known == std::end(KEYS) ||
            (!field.contains(QLatin1Char('=')) && key != QLatin1String("stream"))) {
            error = QStringLiteral("'%1' is not KEY=VALUE with KEY life, id, version, desc, "
                                   "fault, stream, delay, burst, vanish or replay")
                        .arg(field);
            return false;
        }
        if (!known->parse(value, config)) {
            error = QStringLiteral("%1 '%2' is not %3").arg(key, value, known->expected);
            return false;
        }
        if (known->parse == parseReplay)
            replay = value;
    }
    return replay.isEmpty() ||
           loadReplay(replay, replayFirst && fields.size() == 1, port, config, error);
}
