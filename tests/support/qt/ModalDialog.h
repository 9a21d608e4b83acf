// Answering a modal dialog from a test: the action runs inside the dialog's exec() loop once
// the dialog is showing, and must close it. A dialog that does not show within the time, or
// before its test ends, fails the test.
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>

namespace chimeset::testing {

inline constexpr std::chrono::milliseconds kModalWait{10000};

// The general form: the next visible modal widget that `matches` accepts, described for the
// failure message.
void OnNextModalWhere(std::string description, std::function<bool(QWidget*)> matches,
                      std::function<void(QWidget*)> action,
                      std::chrono::milliseconds within = kModalWait);

// The next modal dialog with the object name.
void OnNextModal(const QString& objectName, std::function<void(QWidget*)> action,
                 std::chrono::milliseconds within = kModalWait);

// The next modal dialog of the class (QMessageBox, QFileDialog, a dialog of the program).
template <typename Dialog>
void OnNextModalOf(std::function<void(Dialog*)> action,
                   std::chrono::milliseconds within = kModalWait) {
    OnNextModalWhere(
        std::string("a modal ") + Dialog::staticMetaObject.className(),
        [](QWidget* widget) { return qobject_cast<Dialog*>(widget) != nullptr; },
        [action](QWidget* widget) { action(qobject_cast<Dialog*>(widget)); }, within);
}

// Fails the running test for every answer still waiting, and drops them; the test main
// calls it as each test ends.
void FailPendingModals();

}  // namespace chimeset::testing
