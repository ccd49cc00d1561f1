#pragma once

#include <QObject>
#include <QString>

class QAbstractItemModel;
class EnduranceChart;
class QWidget;

// File > Export: asks where to, writes the chart or the table there, and
// says how it went. Refuses the result log itself as a target.
class ResultsExporter : public QObject {
    Q_OBJECT

public:
    ResultsExporter(QWidget* window, const EnduranceChart* chart, const QAbstractItemModel* table);

    // The result log shown; exports are offered beside it, under its name.
    void setLogPath(const QString& path) { m_logPath = path; }

    void exportPng();
    void exportPdf();
#ifdef DUNMERROW_HAVE_SVG
    void exportSvg();
#endif
    // The runs as the table shows them, in its current order.
    void exportCsv();

private:
    using ChartSaver = QString (*)(const EnduranceChart&, const QString&);
    void exportChart(const QString& kind, const QString& extension, const QString& filter,
                     ChartSaver save);
    QString askPath(const QString& title, const QString& suffix, const QString& filter);
    void report(const QString& path, const QString& error);

    QWidget* m_window;
    const EnduranceChart* m_chart;
    const QAbstractItemModel* m_table;
    QString m_logPath;
};
