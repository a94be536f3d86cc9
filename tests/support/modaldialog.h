#pragma once

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <functional>

// Runs action on the modal dialog of type T that opens next (the dialog's
// exec() blocks the test until the action closes it).
template <typename T>
void when_opened(std::function<void(T*)> action)
{
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        action(dialog);
    });
}
