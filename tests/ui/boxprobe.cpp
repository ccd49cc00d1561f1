// Loaded into the unchanged program with LD_PRELOAD, this plays the operator
// from inside it: it presses "Start Test" with no port ticked, then "OK",
// and prints each message box that opens as "caption|text", answering it
// with Yes or OK, so that the program ends through its own exit question.
#include "messageboxanswerer.h"

#include <cstdio>

namespace {

// Each click returns once the boxes it opened have been answered.
void Press()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "TestDialog" && window->isVisible()) {
            MessageBoxAnswerer answerer;
            answerer.onBox = [](QMessageBox* box) {
                std::printf("%s|%s\n", qPrintable(box->windowTitle()), qPrintable(box->text()));
            };
            window->findChild<QAbstractButton*>("control1063")->click();
            window->findChild<QAbstractButton*>("control1")->click();
            return;
        }
    }
    QTimer::singleShot(20, &Press);
}

void Start()
{
    QTimer::singleShot(20, &Press);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Start)
