#pragma once

#include <functional>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Plays the operator at the program's message boxes: it notes the text of
// every QMessageBox that really opens and presses one of its buttons, so
// that the code under test runs its boxes exactly as in use.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
        m_timer.start(5);
    }

    // The answer to a question; a box without that button gets OK.
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    // Called while a box is up, before it is answered.
    std::function<void(QMessageBox*)> onBox;

    QStringList Texts() const { return m_texts; }

private:
    void Look()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (!box || !box->isVisible())
                continue;
            m_texts << box->text();
            if (onBox)
                onBox(box);
            QAbstractButton* button = box->button(answer);
            (button ? button : box->button(QMessageBox::Ok))->click();
        }
    }

    QTimer m_timer;
    QStringList m_texts;
};
