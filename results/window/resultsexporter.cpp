#include "resultsexporter.h"

#include "chartexport.h"
#include "csvwriter.h"
#include "logformat.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QSaveFile>
#include <QStatusBar>

ResultsExporter::ResultsExporter(QWidget* window, const EnduranceChart* chart,
                                 const QAbstractItemModel* table)
    : QObject(window), m_window(window), m_chart(chart), m_table(table)
{
}

QString ResultsExporter::askPath(const QString& title, const QString& suffix, const QString& filter)
{
    const QFileInfo log(m_logPath.isEmpty()
                            ? QDir::current().absoluteFilePath(QLatin1String(LOG_FILE_NAME))
                            : m_logPath);
    const QString suggested =
        log.absolutePath() + QLatin1Char('/') + log.completeBaseName() + suffix;
    const QString path = QFileDialog::getSaveFileName(m_window, title, suggested, filter);
    if (!path.isEmpty() && !m_logPath.isEmpty() && QFileInfo(path) == QFileInfo(m_logPath)) {
        QMessageBox::warning(m_window, QStringLiteral("Dunmerrow Results"),
                             QStringLiteral("Dunmerrow Results never writes the result log. "
                                            "Choose another file."));
        return QString();
    }
    return path;
}

void ResultsExporter::report(const QString& path, const QString& error)
{
    if (error.isEmpty()) {
        if (auto* main = qobject_cast<QMainWindow*>(m_window))
            main->statusBar()->showMessage(
                QStringLiteral("Wrote %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    QMessageBox::warning(
        m_window, QStringLiteral("Dunmerrow Results"),
        QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error));
}

void ResultsExporter::exportChart(const QString& kind, const QString& extension,
                                  const QString& filter, ChartSaver save)
{
    const QString path = askPath(QStringLiteral("Export Chart as %1").arg(kind),
                                 QStringLiteral("-chart.%1").arg(extension), filter);
    if (!path.isEmpty())
        report(path, save(*m_chart, path));
}

void ResultsExporter::exportPng()
{
    exportChart(QStringLiteral("PNG"), QStringLiteral("png"),
                QStringLiteral("PNG pictures (*.png)"), &ChartExport::savePng);
}

void ResultsExporter::exportPdf()
{
    exportChart(QStringLiteral("PDF"), QStringLiteral("pdf"),
                QStringLiteral("PDF documents (*.pdf)"), &ChartExport::savePdf);
}

#ifdef DUNMERROW_HAVE_SVG
void ResultsExporter::exportSvg()
{
    exportChart(QStringLiteral("SVG"), QStringLiteral("svg"),
                QStringLiteral("SVG drawings (*.svg)"), &ChartExport::saveSvg);
}
#endif

void ResultsExporter::exportCsv()
{
    const QString path = askPath(QStringLiteral("Export Table as CSV"), QStringLiteral(".csv"),
                                 QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(CsvWriter::table(*m_table));
    report(path, file.commit() ? QString() : file.errorString());
}
