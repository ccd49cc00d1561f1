#include "showresultswindow.h"

#include "resultswindow.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

int showResultsWindow(const QString& file)
{
    // Lets desktops match the window with the results' own menu entry and
    // icon, also when another program of the project shows it.
    QGuiApplication::setDesktopFileName(QStringLiteral(DUNMERROW_RESULTS_APP_ID));
    ResultsWindow window;
    const QString start = ResultsWindow::startFile(file);
    window.show();
    if (start.isEmpty())
        QTimer::singleShot(0, &window, &ResultsWindow::chooseFile);
    else
        window.openFile(start);
    QEventLoop untilClosed;
    QObject::connect(&window, &ResultsWindow::closed, &untilClosed, &QEventLoop::quit);
    untilClosed.exec();
    return 0;
}
