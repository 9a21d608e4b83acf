// The main of every GUI test program: one QApplication for the whole program, made before
// the first test and never destroyed (tearing it down among the exit handlers crashes inside
// Qt's device registry).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include "tests/support/TempDir.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/TestSettings.h"

namespace chimeset::testing {

const std::string& TestSettingsFolder() {
    static const TempDir folder;
    return folder.Path();
}

namespace {

// A modal answer still waiting when its test ends fails that test: its dialog never opened.
class ModalWaitCheck : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { FailPendingModals(); }
};

}  // namespace
}  // namespace chimeset::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Appended last, so it runs before the printer reports the test's end.
    ::testing::UnitTest::GetInstance()->listeners().Append(new chimeset::testing::ModalWaitCheck);

    QStandardPaths::setTestModeEnabled(true);
    const QString folder = QString::fromStdString(chimeset::testing::TestSettingsFolder());
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, folder);

    // Qt keeps a reference to the count for the application's lifetime.
    static int qtArgc = argc;
    new QApplication(qtArgc, argv);
    return RUN_ALL_TESTS();
}
