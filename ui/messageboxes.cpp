#include "messageboxes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QMessageBox>
#include <QProxyStyle>

namespace {

// Buttons with words only, as the boxes have always had on Windows. Their
// standard icons are pictures that Qt reads by asking every image format
// plugin whether it knows them, which loads the SVG plugin and Qt SVG with it
// into a test program that runs for hours.
class PlainButtons : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Gives the box its buttons, drawn without icons.
void setButtons(QMessageBox& box, QMessageBox::StandardButtons buttons)
{
    if (auto* row = box.findChild<QDialogButtonBox*>()) {
        auto* style = new PlainButtons;
        style->setParent(&box);
        row->setStyle(style);
    }
    box.setStandardButtons(buttons);
}

// Texts come from the engine and the system and are shown as they are,
// never taken for markup. A box with a purpose of its own is named for it.
void setUpBox(QMessageBox& box, const char* objectName, const char* purpose)
{
    box.setTextFormat(Qt::PlainText);
    if (objectName) {
        box.setObjectName(QLatin1String(objectName));
        // A description, not a name: a screen reader announces a box by its
        // caption, as every other box of the program.
        box.setAccessibleDescription(QLatin1String(purpose));
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
}

int execOwnedBox(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                 QMessageBox::StandardButtons buttons, const char* objectName = nullptr,
                 const char* purpose = nullptr)
{
    QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::NoButton, owner);
    setButtons(box, buttons);
    setUpBox(box, objectName, purpose);
    if (owner)
        box.setWindowModality(Qt::WindowModal);
    return box.exec();
}

} // namespace

void showOkBox(QWidget* owner, const QString& text)
{
    execOwnedBox(owner, QMessageBox::Warning, text, QMessageBox::Ok);
}

bool askYesNo(QWidget* owner, const QString& text)
{
    return execOwnedBox(owner, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void showUnwrittenResultsBox(QWidget* owner, const QString& text)
{
    execOwnedBox(owner, QMessageBox::Warning, text, QMessageBox::Ok, "unwrittenResultsBox",
                 "Results not written");
}

bool askToAppendRecovered(QWidget* owner, const QString& text)
{
    return execOwnedBox(owner, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                        "recoveredResultsQuestion", "Recovered results") == QMessageBox::Yes;
}

QDialog* showNoteBox(QWidget* owner, const QString& text, const char* objectName,
                     const char* purpose)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                                QMessageBox::NoButton, owner);
    setButtons(*box, QMessageBox::Ok);
    setUpBox(*box, objectName, purpose);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return box;
}

void showErrorBox(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Error"), text, QMessageBox::NoButton);
    setButtons(box, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::NonModal);
    // The caller waits for the answer, but in an event loop of its own
    // rather than a modal one, which would block every other window.
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

void closeOpenBoxes(const QWidget* mainWindow)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QDialog*>(window);
        if (box && box != mainWindow && box->isVisible())
            box->reject();
    }
}
