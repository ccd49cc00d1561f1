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
        // With answerByKey: whether the key alone closed the box.
        bool bKeyWorked = false;
    };

    MessageBoxAnswerer();
    ~MessageBoxAnswerer() override;

    // Answers for the next boxes, in order. A box without a queued answer
    // gets OK, or its Esc button when it has no OK.
    void Queue(QMessageBox::StandardButton answer) { m_answers.append(answer); }
    // Answers with the Enter key, as the operator at the keyboard does; a
    // box that stays open is then answered with a click.
    bool answerByKey = false;
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
