#include "csvwriter.h"

#include <QAbstractItemModel>

QByteArray CsvWriter::field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    const bool quote = bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') ||
                       bytes.contains('\n') || bytes.startsWith(' ') || bytes.endsWith(' ');
    if (!quote)
        return bytes;
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}

QByteArray CsvWriter::table(const QAbstractItemModel& model)
{
    QByteArray csv;
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            csv += ',';
        csv += field(model.headerData(c, Qt::Horizontal).toString());
    }
    csv += "\r\n";
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                csv += ',';
            csv += field(model.index(r, c).data().toString());
        }
        csv += "\r\n";
    }
    return csv;
}
