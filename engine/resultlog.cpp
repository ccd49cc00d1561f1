#include "resultlog.h"

#include "gpsmaker.h"
#include "logformat.h"
#include "testdialogbase.h"
#include "timetext.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <QString>

namespace {

// A control's text is read with this limit, terminator included.
constexpr int TEXT_LIMIT = 255;
// Room for the longest line: nine fields of at most 254 bytes each.
constexpr int LINE_SIZE = 4096;

// One line of the log, built in full before it is written so that it
// reaches the file in a single write: a second program appending at the
// same moment, or a crash, can never leave half a line or mixed fields.
class LogLine {
public:
    void append(const char* format, ...)
    {
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(m_text + m_length, sizeof m_text - m_length, format, args);
        va_end(args);
        if (n > 0)
            m_length += static_cast<std::size_t>(n) < sizeof m_text - m_length
                            ? static_cast<std::size_t>(n)
                            : sizeof m_text - m_length - 1;
    }

    // A field other than the comments: the text and its separator.
    void appendField(const char* text) { append("%s%s", text, LOG_SEPARATOR); }

    // A battery text: a field when set, LOG_EMPTY_TEXT when empty, nothing
    // at all when the dialog has no such control.
    void appendTextField(int nCtrl)
    {
        char text[TEXT_LIMIT];
        if (!g_pTestDialog->GetControlText(nCtrl, text, sizeof text))
            return;
        if (text[0] != '\0')
            appendField(text);
        else
            append("%s", LOG_EMPTY_TEXT);
    }

    void appendTime(std::time_t t)
    {
        char text[CTIME_SIZE];
        formatCtime(t, text);
        appendField(text);
    }

    // Ends the line. Whatever the fields held, the file gets exactly one line
    // per unit: a line break or other control character inside a text (a
    // pasted comment, a receiver's description) becomes a blank.
    void finish()
    {
        for (std::size_t i = 0; i < m_length; ++i) {
            const auto c = static_cast<unsigned char>(m_text[i]);
            if (c < 0x20 || c == 0x7F)
                m_text[i] = ' ';
        }
        append("\n");
    }

    const char* text() const { return m_text; }
    std::size_t length() const { return m_length; }

private:
    char m_text[LINE_SIZE] = {};
    std::size_t m_length = 0;
};

void formatLine(int k, const UnitInfo& unit, LogLine& line)
{
    line.append("%s%d%s", LOG_PORT_PREFIX, k + 1, LOG_SEPARATOR);
    if (const GpsMakerTraits* maker = makerTraits(unit.eMfg))
        line.append("%s %s%s", maker->name, unit.szVersion, LOG_SEPARATOR);
    else
        line.appendField(LOG_UNKNOWN_MAKER);
    line.appendTextField(unit.nBatteryMakerCtrl);
    line.appendTextField(unit.nBatteryTypeCtrl);
    line.appendTextField(unit.nCapacityCtrl);
    line.appendTime(unit.tStart);
    line.appendTime(unit.tLastResponse);
    line.appendField(unit.szEndurance);
    char comments[TEXT_LIMIT];
    if (g_pTestDialog->GetControlText(unit.nCommentsCtrl, comments, sizeof comments) &&
        comments[0] != '\0')
        line.append("%s", comments);
    line.finish();
}

// True when the file holds a last line without a line end. Leaves the file
// at its end: a write may not follow a read without a seek between them.
bool lastLineUnended(std::FILE* file)
{
    bool unended = false;
    if (std::fseek(file, -1, SEEK_END) == 0) {
        const int last = std::fgetc(file);
        unended = last != EOF && last != '\n';
    }
    std::fseek(file, 0, SEEK_END);
    return unended;
}

// A failure that left no reason of its own is an input/output error.
int lastError()
{
    return errno != 0 ? errno : EIO;
}

// Writes the bytes and hands them to the system. 0, or the system's error.
int writeThrough(std::FILE* file, const char* data, std::size_t length)
{
    errno = 0;
    if (std::fwrite(data, 1, length, file) != length || std::fflush(file) != 0)
        return lastError();
    return 0;
}

void reportUnwritten(int error, QByteArray lines)
{
    if (lines.endsWith('\n'))
        lines.chop(1);
    const QByteArray text = "Could not write the results to " + QByteArray(LOG_FILE_NAME) + ": " +
                            QString::fromLocal8Bit(std::strerror(error)).toUtf8() +
                            "\n\nThese results were not written:\n" + lines;
    g_pTestDialog->showUnwrittenResults(text.constData());
}

} // namespace

QByteArray finishedUnitLines()
{
    QByteArray lines;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const UnitInfo& unit = g_pTestDialog->units[k];
        if (unit.szEndurance[0] == '\0')
            continue;
        LogLine line;
        formatLine(k, unit, line);
        lines.append(line.text(), static_cast<qsizetype>(line.length()));
    }
    return lines;
}

qsizetype appendToResultLog(const QByteArray& lines)
{
    // Text mode, so that a line ends the way the platform's text files do.
    errno = 0;
    std::FILE* file = std::fopen(LOG_FILE_NAME, "a+");
    if (file == nullptr) {
        // With no line to lose there is nothing to tell the operator.
        if (!lines.isEmpty())
            reportUnwritten(lastError(), lines);
        return 0;
    }
    int error = 0;
    if (!lines.isEmpty() && lastLineUnended(file))
        error = writeThrough(file, "\n", 1);
    // Line by line, so that a failure can tell which lines are missing.
    qsizetype written = 0;
    while (error == 0 && written < lines.size()) {
        const qsizetype end = lines.indexOf('\n', written);
        const qsizetype length = (end < 0 ? lines.size() : end + 1) - written;
        error = writeThrough(file, lines.constData() + written, static_cast<std::size_t>(length));
        if (error == 0)
            written += length;
    }
    errno = 0;
    if (std::fclose(file) != 0 && error == 0) {
        // The system does not say which of the lines it could not keep.
        error = lastError();
        written = 0;
    }
    if (error != 0 && !lines.isEmpty())
        reportUnwritten(error, lines.mid(written));
    return error == 0 ? lines.size() : written;
}

int WriteResults()
{
    const QByteArray lines = finishedUnitLines();
    return appendToResultLog(lines) == lines.size() ? 1 : 0;
}
