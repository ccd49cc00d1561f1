// Loaded into the unchanged program with LD_PRELOAD, this plays the operator
// from inside it: presses "Start Test" with no port ticked, then "OK", and
// reports each message box that opens on standard output as
// "caption|icon|text", answering it with OK or Yes. The program therefore
// shows its boxes exactly as it does for a user, and ends through its own
// exit question.
#include <cstdio>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

QWidget* MainDialog()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("TestDialog") && window->isVisible())
            return window;
    }
    return nullptr;
}

QMessageBox* OpenBox()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
            return box;
    }
    return nullptr;
}

// Clicked from a fresh event, since the click runs a box's modal loop and
// the poll must go on meanwhile.
void ClickLater(QWidget* dialog, const char* name)
{
    auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button)
        QTimer::singleShot(0, button, &QAbstractButton::click);
}

void Poll()
{
    static int nAnswered = 0;
    static int nPressed = 0;
    if (QMessageBox* box = OpenBox()) {
        std::printf("%s|%d|%s\n", qPrintable(box->windowTitle()), int(box->icon()),
                    qPrintable(box->text()));
        std::fflush(stdout);
        QAbstractButton* answer = box->button(QMessageBox::Yes);
        if (!answer)
            answer = box->button(QMessageBox::Ok);
        if (answer)
            answer->click();
        ++nAnswered;
        return;
    }
    QWidget* dialog = MainDialog();
    if (!dialog || nPressed > nAnswered)
        return;
    ClickLater(dialog, nPressed == 0 ? "control1063" : "control1");
    ++nPressed;
}

void Start()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, &Poll);
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Start)
