#include "testapp.h"

#include "dunmerrow_version.h"
#include "testdialog.h"

#include <memory>

TestApp::TestApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // Lets desktops match the window with its menu entry and icon. It names
    // no application: message boxes keep the executable's name.
    setDesktopFileName(QStringLiteral(DUNMERROW_APP_ID));
}

int TestApp::Run()
{
    auto dialog = std::make_unique<TestDialog>();
    g_pTestDialog = dialog.get();
    dialog->exec();
    dialog.reset();
    g_pTestDialog = nullptr;
    return 0;
}
