#pragma once

#include "recording.h"

#include <memory>

// How far a unit has got in its recording: the next query of a trace and
// what answers it, or the next line of a capture.
class Playback {
public:
    // A piece of an answer and how long the line takes to carry it.
    struct Piece {
        QByteArray bytes;
        double lineMs = 0;
    };

    explicit Playback(std::shared_ptr<const Recording> recording);

    bool playsTrace() const;
    bool playsCapture() const;
    // The query a trace waits for next: the last one once it has ended.
    const QByteArray& expectedQuery() const;
    // The line's speed the trace had at that query; 0 when it does not say.
    int baudRate() const;
    // The exchange of that query, taken; nullptr once the trace has ended.
    const RecordedExchange* takeExchange();
    bool traceEnded() const;
    // The capture's next lines, at least `bytes` of them, from its start
    // again at its end.
    QList<QByteArray> captureBurst(qsizetype bytes);

    // What the program read after the recorded query, in pieces at the
    // line's pace, or faster when the line would still be busy a third of
    // the way to the recorded read: all of it is waiting when the program
    // reads again, whatever the phase of its clock.
    static QList<Piece> paced(const RecordedExchange& exchange, int baudRate);

private:
    std::shared_ptr<const Recording> m_recording;
    qsizetype m_nextExchange = 0;
    qsizetype m_nextLine = 0;
};
