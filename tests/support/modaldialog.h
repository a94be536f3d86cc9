#pragma once

#include <QApplication>
#include <QtTest>

#include <functional>

// Runs action on the modal dialog of type T on screen: the code under test
// opened it and returned, so a test answers it right after the call.
template <typename T>
void answer_open_dialog(std::function<void(T*)> action)
{
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    action(dialog);
}
