#pragma once

#include "testdialogbase.h"

// Makes a dialog the one the engine talks to (g_pTestDialog) for as long as
// the guard lives, and puts the previous one back afterwards, however the
// test ends: a failed check cannot leave the next test a dangling dialog.
class CurrentDialog {
public:
    explicit CurrentDialog(TestDialogBase* dialog) : m_previous(g_pTestDialog)
    {
        g_pTestDialog = dialog;
    }
    ~CurrentDialog() { g_pTestDialog = m_previous; }
    CurrentDialog(const CurrentDialog&) = delete;
    CurrentDialog& operator=(const CurrentDialog&) = delete;

private:
    TestDialogBase* m_previous;
};
