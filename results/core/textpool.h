#pragma once

#include <QMultiHash>
#include <QString>
#include <QStringView>

// Hands out one shared copy of each text it is given, so that a log of
// thousands of runs of a dozen batteries holds each battery's texts once
// instead of once a line: far less memory, and far fewer allocations while
// a large log is read.
class TextPool {
public:
    QString text(QStringView view);

private:
    QMultiHash<size_t, QString> m_texts;
};
