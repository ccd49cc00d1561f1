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

    // Shows a text given in UTF-8. A run does it in every cycle, so once the
    // texts have been as long, it allocates nothing: two buffers take turns,
    // the one the label shows and the one refilled for the next text.
    void setUtf8Text(const char* szText);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_texts[2];
    int m_next = 0;
};
