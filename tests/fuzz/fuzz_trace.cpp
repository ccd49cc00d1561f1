// Drives one port's traffic trace with arbitrary writes and reads, then
// reads the trace back as gpssim's replay does: every query must come back
// with exactly the bytes read after it, whatever was folded into counts or
// written in parts. Input: a run of steps, each a byte saying write (0),
// read (1) or a read that finds nothing (2), then for the first two a length
// byte and as many bytes of data. A read takes its data once more for every
// 3 in the step's byte, so that a few steps exceed what an exchange holds.
#include "porttrace.h"
#include "recording.h"
#include "traffictrace.h"

#include <cstdint>
#include <cstdlib>
#include <QTemporaryFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTemporaryFile file;
    if (!file.open())
        std::abort();
    QList<RecordedExchange> expected;
    {
        TrafficTrace trace;
        QString error;
        if (!trace.open(file.fileName(), QStringLiteral("fuzz"), error))
            std::abort();
        PortTrace port(trace, 0);
        for (std::size_t at = 0; at < size;) {
            const int times = 1 + data[at] / 3;
            const int step = data[at++] % 3;
            const std::size_t length = step == 2 || at >= size ? 0 : data[at++];
            const auto* bytes = reinterpret_cast<const char*>(data + at);
            const int count = static_cast<int>(std::min(length, size - at));
            at += static_cast<std::size_t>(count);
            if (step == 0 && count > 0) {
                port.written(bytes, count);
                expected.append({QByteArray(bytes, count), QByteArray(), 0, 0});
            }
            for (int i = 0; step != 0 && i < (step == 1 ? times : 1); ++i) {
                port.read(bytes, step == 2 ? 0 : count);
                if (step == 1 && !expected.isEmpty())
                    expected.last().answer += QByteArray(bytes, count);
            }
        }
        port.interrupt();
    }
    Recording recording;
    QString error;
    const bool read = Recording::parse(file.readAll(), 1, recording, error);
    if (read != !expected.isEmpty() || recording.exchanges.size() != expected.size())
        std::abort();
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (recording.exchanges[i].query != expected[i].query ||
            recording.exchanges[i].answer != expected[i].answer)
            std::abort();
    }
    return 0;
}
