// The GUI tests' own support: modal dialogs answered while they run, and the failures when
// the awaited dialog never shows.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>

#include "tests/support/qt/Controls.h"
#include "tests/support/qt/ModalDialog.h"

namespace chimeset::testing {
namespace {

using std::chrono::milliseconds;

TEST(GuiTestSupport, AnswersTheModalDialogOfTheNameOrClassOnceItShows) {
    ASSERT_NE(QApplication::instance(), nullptr);  // made by the test main
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("wantedDialog"));
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("nameEdit"));
    bool answered = false;
    OnNextModal(QStringLiteral("wantedDialog"), [&](QWidget* shown) {
        answered = shown == &dialog && shown->isVisible();
        FindControl<QLineEdit>(*shown, QStringLiteral("nameEdit"))->setText(QStringLiteral("x"));
        static_cast<QDialog*>(shown)->accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(answered);
    EXPECT_EQ(edit->text(), QStringLiteral("x"));

    OnNextModalOf<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(QMessageBox::question(nullptr, QStringLiteral("t"), QStringLiteral("q")),
              QMessageBox::No);
}

TEST(GuiTestSupport, ADialogThatNeverShowsFailsTheTest) {
    // Another dialog shows instead: the wait fails when its time is up and closes that
    // dialog, so the test goes on rather than hanging.
    EXPECT_NONFATAL_FAILURE(
        {
            QDialog other;
            other.setObjectName(QStringLiteral("otherDialog"));
            OnNextModal(
                QStringLiteral("wantedDialog"), [](QWidget* w) { w->close(); }, milliseconds(50));
            EXPECT_EQ(other.exec(), QDialog::Rejected);
        },
        "\"wantedDialog\" did not show within 50 ms; the modal widget showing: QDialog "
        "\"otherDialog\"");

    // No dialog at all and the test ends first: the wait fails as the test ends.
    EXPECT_NONFATAL_FAILURE(
        {
            OnNextModalOf<QMessageBox>([](QMessageBox* box) { box->close(); });
            FailPendingModals();
        },
        "a modal QMessageBox never showed during the test");
    FailPendingModals();  // nothing left waiting: no further failure
}

TEST(GuiTestSupport, AMissingControlFailsTheTest) {
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("someDialog"));
    EXPECT_NONFATAL_FAILURE(
        EXPECT_EQ(FindControl<QLineEdit>(dialog, QStringLiteral("noSuchEdit")), nullptr),
        "no QLineEdit \"noSuchEdit\" in someDialog");
}

}  // namespace
}  // namespace chimeset::testing
