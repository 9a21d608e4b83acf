// Controls found as a user would name them: by their object name, never by a copied number.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace chimeset::testing {

// The control of the class with the object name inside the window; a test failure and null
// when there is none.
template <typename Control = QWidget>
Control* FindControl(const QWidget& window, const QString& objectName) {
    auto* control = window.findChild<Control*>(objectName);
    EXPECT_NE(control, nullptr) << "no " << Control::staticMetaObject.className() << " \""
                                << objectName.toStdString() << "\" in "
                                << window.objectName().toStdString();
    return control;
}

}  // namespace chimeset::testing
