#pragma once

#include <functional>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

// Plays the operator at the program's message boxes: it looks for every
// QMessageBox that really opens, notes what it shows, and presses one of its
// buttons, so the code under test runs its boxes exactly as in use.
class MessageBoxAnswerer : public QObject {
    Q_OBJECT

public:
    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QWidget* owner = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
    };

    MessageBoxAnswerer();
    ~MessageBoxAnswerer() override;

    // Answers for the next boxes, in order. A box without a queued answer
    // gets OK, or its Esc button when it has no OK.
    void Queue(QMessageBox::StandardButton answer) { m_answers.append(answer); }
    // Called while a box is up, before it is answered.
    std::function<void(const Seen&)> onBox;

    QList<Seen> seen;
    QStringList Texts() const;

private:
    void Look();

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QList<QPointer<QMessageBox>> m_answered;
    bool m_bBusy = false;
};
