#include "playback.h"

#include <algorithm>

namespace {

constexpr int PIECE_SIZE = 32;

} // namespace

Playback::Playback(std::shared_ptr<const Recording> recording) : m_recording(std::move(recording))
{
}

bool Playback::playsTrace() const
{
    return m_recording && m_recording->kind == Recording::Kind::Trace;
}

bool Playback::playsCapture() const
{
    return m_recording && m_recording->kind == Recording::Kind::Capture;
}

const QByteArray& Playback::expectedQuery() const
{
    const QList<RecordedExchange>& exchanges = m_recording->exchanges;
    return exchanges[std::min(m_nextExchange, exchanges.size() - 1)].query;
}

int Playback::baudRate() const
{
    const QList<RecordedExchange>& exchanges = m_recording->exchanges;
    return exchanges[std::min(m_nextExchange, exchanges.size() - 1)].baudRate;
}

const RecordedExchange* Playback::takeExchange()
{
    return traceEnded() ? nullptr : &m_recording->exchanges[m_nextExchange++];
}

bool Playback::traceEnded() const
{
    return m_nextExchange >= m_recording->exchanges.size();
}

QList<QByteArray> Playback::captureBurst(qsizetype bytes)
{
    const QList<QByteArray>& lines = m_recording->lines;
    QList<QByteArray> burst;
    for (qsizetype taken = 0; taken < bytes; m_nextLine = (m_nextLine + 1) % lines.size()) {
        burst.append(lines[m_nextLine]);
        taken += lines[m_nextLine].size();
    }
    return burst;
}

QList<Playback::Piece> Playback::paced(const RecordedExchange& exchange, int baudRate)
{
    const auto size = static_cast<double>(exchange.answer.size());
    // Ten bits a byte at 8N1.
    const double lineMs = size * 10000.0 / baudRate;
    const double msPerByte =
        std::min(lineMs, static_cast<double>(exchange.readAfterMs) / 3.0) / size;
    QList<Piece> pieces;
    for (qsizetype at = 0; at < exchange.answer.size(); at += PIECE_SIZE) {
        const QByteArray piece = exchange.answer.mid(at, PIECE_SIZE);
        pieces.append({piece, msPerByte * static_cast<double>(piece.size())});
    }
    return pieces;
}
