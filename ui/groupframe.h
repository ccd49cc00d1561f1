#pragma once

#include <QGroupBox>

// A group frame whose line runs through the middle of its title, the title
// centred on it, so that the frame's box is exactly the rectangle it is
// given: the controls inside are placed against that box, not against the
// room a style may want above its frame for the title.
class GroupFrame : public QGroupBox {
    Q_OBJECT

public:
    GroupFrame(const QString& title, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
