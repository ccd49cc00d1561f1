#pragma once

#include "realinput.h"

#include <functional>
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

// Plays the operator at the program's message boxes: it notes the text of
// every QMessageBox that really opens and clicks one of its buttons with
// the mouse, through the window system, so that the code under test runs
// its boxes exactly as in use. A box that the click cannot reach (blocked
// by a modal window) ends the test: a person could not answer it either.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start(5);
    }

    // The answer to a question; a box without that button gets OK.
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    // Called while a box is up, before it is answered.
    std::function<void(QMessageBox*)> onBox;

    QStringList texts() const { return m_texts; }

private:
    void look()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (!box || !box->isVisible())
                continue;
            if (box != m_current) {
                m_current = box;
                m_shown.start();
                m_texts << box->text();
                if (onBox)
                    onBox(box);
            } else if (m_shown.hasExpired(5000)) {
                qFatal("No click reaches the box \"%s\"", qPrintable(box->text()));
            }
            QAbstractButton* button = box->button(answer);
            clickWidget(button ? button : box->button(QMessageBox::Ok));
            if (!box->isVisible())
                m_current = nullptr;
        }
    }

    QTimer m_timer;
    QMessageBox* m_current = nullptr;
    QElapsedTimer m_shown;
    QStringList m_texts;
};
