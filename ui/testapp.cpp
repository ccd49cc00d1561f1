#include "testapp.h"

#include "testdialog.h"

#include <memory>

TestApp::TestApp(int& argc, char** argv) : QApplication(argc, argv) {}

int TestApp::Run()
{
    auto dialog = std::make_unique<TestDialog>();
    g_pTestDialog = dialog.get();
    dialog->exec();
    dialog.reset();
    g_pTestDialog = nullptr;
    return 0;
}
