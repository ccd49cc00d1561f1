#pragma once

#include <QByteArray>

class QAbstractItemModel;

// A table as CSV after RFC 4180: the column headers, then one record per
// row, in the model's row order; fields separated by commas, lines ended by
// CR LF, UTF-8. A field is put in double quotes, its quotes doubled, when it
// holds a comma, a quote or a line break, or begins or ends with a blank,
// which some readers would otherwise drop.
class CsvWriter {
public:
    static QByteArray table(const QAbstractItemModel& model);

private:
    static QByteArray field(const QString& text);
};
