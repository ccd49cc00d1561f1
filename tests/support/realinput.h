#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

// Input as a person gives it: through the window system to the widget's
// window, so that a window blocked by a modal one, a disabled button or a
// hidden one does not get it, exactly as on a desktop.
inline void clickWidget(QWidget* widget)
{
    QWidget* window = widget->window();
    if (!window->isVisible())
        window->show();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(window, widget->rect().center()));
}

inline void pressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(window->windowHandle(), key, modifiers);
}
