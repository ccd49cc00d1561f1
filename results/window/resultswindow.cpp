#include "resultswindow.h"

#include "batterysummary.h"
#include "endurancechart.h"
#include "logfilewatcher.h"
#include "logformat.h"
#include "resultsexporter.h"
#include "runstablemodel.h"
#include "summarytablemodel.h"

#include <algorithm>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTabWidget>

namespace {

const char* const LAST_FILE_KEY = "lastFile";

QString counted(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QSettings settings()
{
    // Beside the test program's own settings, in the same folder.
    return QSettings(QStringLiteral("dunmerrow"), QStringLiteral("results"));
}

// A sortable read-only table that starts in the model's own order.
QTableView* makeTable(QAbstractItemModel* model, QSortFilterProxyModel* sorted, const char* name,
                      const char* accessibleName)
{
    sorted->setSourceModel(model);
    sorted->setSortRole(Qt::UserRole);
    sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    auto* view = new QTableView;
    view->setObjectName(QLatin1String(name));
    view->setAccessibleName(QLatin1String(accessibleName));
    view->setModel(sorted);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    // Column widths from the first rows, not from all of a large log.
    view->horizontalHeader()->setResizeContentsPrecision(200);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    return view;
}

QAction* addMenuAction(QMenu* menu, const char* text, const char* name, QKeySequence keys = {})
{
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    return action;
}

} // namespace

ResultsWindow::ResultsWindow(QWidget* parent)
    : QMainWindow(parent), m_watcher(new LogFileWatcher(this)), m_runs(new RunsTableModel(this)),
      m_summary(new SummaryTableModel(this))
{
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(QStringLiteral("Dunmerrow Results"));
    QIcon icon;
    for (const char* size : {"16", "32", "48"})
        icon.addFile(QStringLiteral(":/icons/dunmerrow-results-%1.png").arg(QLatin1String(size)));
    setWindowIcon(icon);
    setCentralWidget(buildViews());
    m_exporter = new ResultsExporter(this, m_chart, m_runsSorted);
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setAccessibleName(QStringLiteral("Status"));
    connect(m_watcher, &LogFileWatcher::changed, this, &ResultsWindow::reload);
    resize(1100, 780);
    showStatus();
}

QString ResultsWindow::startFile(const QString& given)
{
    if (!given.isEmpty())
        return given;
    if (QFileInfo(QLatin1String(LOG_FILE_NAME)).isFile())
        return QDir::current().absoluteFilePath(QLatin1String(LOG_FILE_NAME));
    // Started from the desktop menu the working directory is the home
    // folder; without this, every start from the menu would ask again.
    const QString last = settings().value(QLatin1String(LAST_FILE_KEY)).toString();
    return !last.isEmpty() && QFileInfo(last).isFile() ? last : QString();
}

void ResultsWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(addMenuAction(file, "&Open...", "openAction", QKeySequence::Open), &QAction::triggered,
            this, &ResultsWindow::chooseFile);
    file->addSeparator();
    connect(addMenuAction(file, "Export Chart as &PNG...", "exportPngAction"), &QAction::triggered,
            m_exporter, &ResultsExporter::exportPng);
    connect(addMenuAction(file, "Export Chart as P&DF...", "exportPdfAction"), &QAction::triggered,
            m_exporter, &ResultsExporter::exportPdf);
#ifdef DUNMERROW_HAVE_SVG
    connect(addMenuAction(file, "Export Chart as &SVG...", "exportSvgAction"), &QAction::triggered,
            m_exporter, &ResultsExporter::exportSvg);
#endif
    connect(addMenuAction(file, "Export Table as &CSV...", "exportCsvAction"), &QAction::triggered,
            m_exporter, &ResultsExporter::exportCsv);
    file->addSeparator();
    connect(addMenuAction(file, "&Quit", "quitAction", QKeySequence::Quit), &QAction::triggered,
            this, &QWidget::close);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    connect(addMenuAction(help, "&About Dunmerrow Results", "aboutAction"), &QAction::triggered,
            this, &ResultsWindow::showAbout);
}

QWidget* ResultsWindow::buildViews()
{
    m_chart = new EnduranceChart;
    m_chartArea = new QScrollArea;
    m_chartArea->setObjectName(QStringLiteral("chartScrollArea"));
    m_chartArea->setAccessibleName(QStringLiteral("Chart"));
    m_chartArea->setWidgetResizable(true);
    m_chartArea->setFrameShape(QFrame::NoFrame);
    m_chartArea->setWidget(m_chart);

    m_runsSorted = new QSortFilterProxyModel(this);
    m_runsView = makeTable(m_runs, m_runsSorted, "runsTable", "Runs");
    m_summarySorted = new QSortFilterProxyModel(this);
    m_summaryView = makeTable(m_summary, m_summarySorted, "summaryTable", "Batteries");
    m_summaryView->horizontalHeader()->setStretchLastSection(false);

    m_unreadableView = new QTableWidget(0, 3);
    m_unreadableView->setObjectName(QStringLiteral("unreadableLines"));
    m_unreadableView->setAccessibleName(QStringLiteral("Unreadable lines"));
    m_unreadableView->setHorizontalHeaderLabels(
        {QStringLiteral("Line"), QStringLiteral("Why"), QStringLiteral("Text")});
    m_unreadableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_unreadableView->setWordWrap(false);
    m_unreadableView->verticalHeader()->hide();
    m_unreadableView->horizontalHeader()->setStretchLastSection(true);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("resultsTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Result tables"));
    m_tabs->addTab(m_runsView, QStringLiteral("Runs"));
    m_tabs->addTab(m_summaryView, QStringLiteral("Batteries"));
    m_tabs->addTab(m_unreadableView, QStringLiteral("Unreadable lines"));

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QStringLiteral("resultsSplitter"));
    splitter->setAccessibleName(QStringLiteral("Chart and tables"));
    splitter->addWidget(m_chartArea);
    splitter->addWidget(m_tabs);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({600, 400});
    return splitter;
}

void ResultsWindow::openFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_file = ResultFile(absolute);
    m_watcher->setPath(absolute);
    m_exporter->setLogPath(absolute);
    settings().setValue(QLatin1String(LAST_FILE_KEY), absolute);
    setWindowTitle(QStringLiteral("%1 - Dunmerrow Results").arg(QFileInfo(absolute).fileName()));
    setWindowFilePath(absolute);
    // Nothing of the file shown before stays, even if this one cannot be read.
    showResults(ResultFile::Change::Replaced);
    reload();
}

void ResultsWindow::chooseFile()
{
    const QString last = settings().value(QLatin1String(LAST_FILE_KEY)).toString();
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Result Log"), last.isEmpty() ? QDir::currentPath() : last,
        QStringLiteral("Result logs (BATTERY.TXT *.txt *.TXT);;All files (*)"));
    if (!path.isEmpty())
        openFile(path);
}

void ResultsWindow::reload()
{
    if (m_file.path().isEmpty())
        return;
    const ResultFile::Change change = m_file.reload();
    if (change != ResultFile::Change::Unchanged && change != ResultFile::Change::Failed)
        showResults(change);
    showStatus();
}

void ResultsWindow::showResults(ResultFile::Change change)
{
    if (change == ResultFile::Change::Appended) {
        // Kept at the end when it was there, so that new runs come into view.
        QScrollBar* bar = m_runsView->verticalScrollBar();
        const bool atEnd = bar->value() == bar->maximum();
        m_runs->appendRecords(m_file.records());
        if (atEnd)
            m_runsView->scrollToBottom();
    } else {
        m_runs->setRecords(m_file.records());
        m_runsView->resizeColumnsToContents();
    }
    const QVector<BatterySummary> batteries = BatterySummary::summarize(m_file.records());
    m_summary->setBatteries(batteries);
    m_summaryView->resizeColumnsToContents();
    m_chart->setResults(m_file.records(), batteries);
    showUnreadableLines();
}

void ResultsWindow::showUnreadableLines()
{
    const QVector<UnreadableLine>& lines = m_file.unreadableLines();
    m_unreadableView->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        auto* number = new QTableWidgetItem(QString::number(lines[row].lineNumber));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_unreadableView->setItem(row, 0, number);
        m_unreadableView->setItem(row, 1, new QTableWidgetItem(lines[row].reason));
        m_unreadableView->setItem(row, 2, new QTableWidgetItem(lines[row].text));
    }
    m_unreadableView->resizeColumnToContents(0);
    m_tabs->setTabText(2, lines.isEmpty()
                              ? QStringLiteral("Unreadable lines")
                              : QStringLiteral("Unreadable lines (%1)").arg(lines.size()));
}

void ResultsWindow::showStatus()
{
    const QString name = QFileInfo(m_file.path()).fileName();
    QString text;
    if (m_file.path().isEmpty()) {
        text = QStringLiteral("No result log is open. Choose one with File > Open.");
    } else if (!m_file.errorString().isEmpty()) {
        text = QFileInfo::exists(m_file.path())
                   ? QStringLiteral("%1 could not be read: %2").arg(name, m_file.errorString())
                   : QStringLiteral("%1 is not there; it is shown as soon as a test writes "
                                    "it.")
                         .arg(name);
    } else {
        const QVector<ResultRecord>& records = m_file.records();
        const auto leftOut = std::count_if(records.begin(), records.end(),
                                           [](const auto& r) { return !r.counts(); });
        text = QStringLiteral("%1: %2 of %3.")
                   .arg(name, counted(records.size(), "run", "runs"),
                        counted(m_summary->rowCount(), "battery", "batteries"));
        if (leftOut > 0)
            text += QStringLiteral(" %1 left out: the clock was set back during them.")
                        .arg(counted(leftOut, "run", "runs"));
        if (!m_file.unreadableLines().isEmpty())
            text += QStringLiteral(" %1 could not be read; see Unreadable lines.")
                        .arg(counted(m_file.unreadableLines().size(), "line", "lines"));
    }
    statusBar()->showMessage(text);
}

void ResultsWindow::showAbout()
{
    QMessageBox::about(this, QStringLiteral("About Dunmerrow Results"),
                       QStringLiteral("Dunmerrow Results shows the battery tests in a result log "
                                      "written by Dunmerrow and compares the batteries."));
}

void ResultsWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
