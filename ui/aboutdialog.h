#pragma once

#include <QDialog>

// The About box: the emblem, the version line and the notices, with an OK
// button. It has no state; every opening builds a new one.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent);
};
