#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One query of a traffic trace and what the program read after it, before
// its next query: the answer, with whatever the receiver streamed besides.
struct RecordedExchange {
    QByteArray query;
    QByteArray answer;      // empty: the program found nothing waiting
    int baudRate = 0;       // the line's speed, as the program last set it; 0 unknown
    qint64 readAfterMs = 0; // from the query to the first read that took bytes
};

// What a receiver is recorded to have said, to be played back: either the
// traffic of one port in a trace written by Dunmerrow --trace, or a plain
// capture of a receiver's NMEA output. In both, lines starting with "#" are
// comments.
struct Recording {
    enum class Kind { Trace, Capture };

    // Reads `path`: of a trace, the traffic of COM<port>. False, with what
    // is wrong in `error`, when the file cannot be read or holds nothing to
    // play on that port.
    static bool load(const QString& path, int port, Recording& recording, QString& error);
    // The same for the file's contents.
    static bool parse(const QByteArray& contents, int port, Recording& recording, QString& error);

    Kind kind = Kind::Capture;
    QList<RecordedExchange> exchanges; // of a trace, in the order recorded
    QList<QByteArray> lines;           // of a capture, each with CR LF as on the wire
};
