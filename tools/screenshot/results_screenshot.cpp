// Renders the results window showing a result log, for the README.
// Usage: dunmerrow_results_screenshot LOG OUTPUT.png (with QT_QPA_PLATFORM=offscreen)

#include "resultswindow.h"

#include <cstdio>
#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    // Opening a log remembers it; not in the settings of whoever renders.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LOG OUTPUT.png\n", argv[0]);
        return 2;
    }
    ResultsWindow window;
    window.resize(1180, 860);
    window.openFile(QString::fromLocal8Bit(argv[1]));
    // The per-battery summary under the chart: the two views that compare.
    if (auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("resultsTabs")))
        tabs->setCurrentIndex(1);
    window.show();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
