#include "messageboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

MessageBoxAnswerer::MessageBoxAnswerer()
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::Look);
    m_timer.start(5);
}

MessageBoxAnswerer::~MessageBoxAnswerer() = default;

QStringList MessageBoxAnswerer::Texts() const
{
    QStringList texts;
    for (const Seen& box : seen)
        texts.append(box.text);
    return texts;
}

void MessageBoxAnswerer::Look()
{
    // onBox may pump events itself; one box at a time.
    if (m_bBusy)
        return;
    m_bBusy = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box || !box->isVisible() || m_answered.contains(box))
            continue;
        m_answered.append(box);
        Seen s;
        s.caption = box->windowTitle();
        s.text = box->text();
        s.icon = box->icon();
        s.buttons = box->standardButtons();
        s.owner = box->parentWidget();
        s.modality = box->windowModality();
        if (onBox)
            onBox(s);
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        if (!m_answers.isEmpty())
            answer = m_answers.takeFirst();
        if (answerByKey) {
            if (QAbstractButton* chosen = box->button(answer))
                box->setDefaultButton(qobject_cast<QPushButton*>(chosen));
            QTest::keyClick(box, Qt::Key_Return);
            s.bKeyWorked = !box->isVisible();
        }
        seen.append(s);
        if (!box->isVisible())
            continue;
        QAbstractButton* button = box->button(answer);
        if (!button)
            button = box->escapeButton();
        if (button)
            button->click();
    }
    m_bBusy = false;
}
