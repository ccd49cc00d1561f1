#pragma once

#include "resultfile.h"

#include <QMainWindow>

class EnduranceChart;
class LogFileWatcher;
class QScrollArea;
class ResultsExporter;
class QSortFilterProxyModel;
class QTableView;
class QTableWidget;
class QTabWidget;
class RunsTableModel;
class SummaryTableModel;

// The results window: a result log's runs as a table, its batteries
// compared in a chart and summed up in a second table, and the lines it
// could not read. It follows the file as tests append to it, and never
// writes to it.
class ResultsWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    // The file to show first: the one given, else BATTERY.TXT in the working
    // directory, else the one shown last time if it is still there; empty
    // when the user has to choose.
    static QString startFile(const QString& given);

    // Shows path from now on, and remembers it for next time.
    void openFile(const QString& path);
    // Asks for a file to show, as File > Open does.
    void chooseFile();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QWidget* buildViews();
    void reload();
    void showResults(ResultFile::Change change);
    void showUnreadableLines();
    void showStatus();
    void showAbout();

    ResultFile m_file;
    LogFileWatcher* m_watcher;
    RunsTableModel* m_runs;
    SummaryTableModel* m_summary;
    QSortFilterProxyModel* m_runsSorted = nullptr;
    QSortFilterProxyModel* m_summarySorted = nullptr;
    QTableView* m_runsView = nullptr;
    QTableView* m_summaryView = nullptr;
    QTableWidget* m_unreadableView = nullptr;
    QTabWidget* m_tabs = nullptr;
    QScrollArea* m_chartArea = nullptr;
    EnduranceChart* m_chart = nullptr;
    ResultsExporter* m_exporter = nullptr;
};
