#pragma once

#include <QLabel>

// A label that shows one of a unit's results (start, last response,
// endurance). Assistive technology knows it by its accessible name ("Com1
// start time") and reads what it shows through the text it exposes, as it
// reads an edit box; a plain label with a name of its own hides its text.
class StatusDisplay : public QLabel {
    Q_OBJECT

public:
    explicit StatusDisplay(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
