#pragma once

#include <QFrame>
#include <QPixmap>

// One activity lamp: a sunken square that shows the top-left 12 x 12 pixels
// of a lamp picture at the top-left of its inside, over whatever lies behind
// it. It shows nothing until it is first given a picture, and nothing when
// the picture could not be loaded.
class LampWidget : public QFrame {
    Q_OBJECT

public:
    static constexpr int IMAGE_SIZE = 12;

    explicit LampWidget(QWidget* parent = nullptr);

    // The picture is shared with the dialog, which outlives every lamp.
    void setImage(const QPixmap* image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap* m_image = nullptr;
};
