#include "testapp.h"

#include "choiceliststyle.h"
#include "dunmerrow_version.h"
#include "recoveryfile.h"
#include "run.h"
#include "testdialog.h"
#include "traffictrace.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <QEventLoop>
#include <QFileInfo>

TestApp::TestApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // Lets desktops match the window with its menu entry and icon.
    setDesktopFileName(QStringLiteral(DUNMERROW_APP_ID));
    // The caption of every message box: the executable's name without its
    // directory and its last extension, so that a copy called my.tester.exe
    // says "my.tester". Qt's default would cut at the first dot.
    setApplicationName(QFileInfo(applicationFilePath()).completeBaseName());
    // Every window's style, set before there is any: a drop-down list given
    // a style of its own builds its pop-up there and then, which slowed the
    // start by the dialog's eight lists.
    setStyle(new ChoiceListStyle);
}

int TestApp::run(const PortMap& ports, const QString& traceFile)
{
    // Qt ends the program with exit() where it stands when the display goes
    // (the X server ended with the session): the finished units are logged
    // on the way out. The dialog, never destroyed then, still holds them.
    std::atexit([] {
        if (g_pTestDialog)
            endRunNow();
    });
    // Declared first, so that it outlives the dialog and its ports.
    TrafficTrace trace;
    QString error;
    if (!traceFile.isEmpty() &&
        !trace.open(traceFile, QStringLiteral(DUNMERROW_ABOUT_VERSION_LINE), error)) {
        std::fprintf(stderr, "%s: cannot write the traffic trace %s: %s\n",
                     qPrintable(applicationName()), qPrintable(traceFile), qPrintable(error));
        return 1;
    }
    auto dialog = std::make_unique<TestDialog>();
    dialog->portSet.setMap(ports);
    if (!traceFile.isEmpty())
        dialog->portSet.traceTraffic(&trace);
    g_pTestDialog = dialog.get();
    // Shown and waited for, but not with exec(): that would make the dialog
    // application-modal, and the "Error" box, which has no owner, could then
    // not be answered while a run waits on it.
    QEventLoop untilClosed;
    connect(dialog.get(), &QDialog::finished, &untilClosed, &QEventLoop::quit);
    dialog->show();
    offerRecoveredResults();
    if (!dialog->isEndRequested())
        untilClosed.exec();
    dialog.reset();
    g_pTestDialog = nullptr;
    return 0;
}
