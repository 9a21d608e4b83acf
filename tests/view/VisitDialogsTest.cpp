// The Set Date and comments dialogs on their own.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/FakePrompter.h"
#include "tests/view/GuiSupport.h"
#include "view/CCommentsDlg.h"
#include "view/CSetDateDlg.h"

using namespace chimeset;
using namespace chimeset::testing;

class VisitDialogs : public ::testing::Test {
  protected:
    ShowHelp Help() {
        return [this](std::uint32_t context) { helpRequests.push_back(context); };
    }
    FakePrompter prompter;
    std::vector<std::uint32_t> helpRequests;
};

TEST_F(VisitDialogs, SetDateRefusesABadSequenceNumberAndGivesEachForm) {
    CSetDateDlg dialog(prompter, Help(), QDate(2026, 12, 7));
    dialog.show();
    EXPECT_EQ(dialog.DatePicker()->date(), QDate(2026, 12, 7));
    EXPECT_EQ(dialog.SequenceEdit()->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.Option(), int(kRecordFullDate));

    // A proposal of 12/05/2004 #3, then the picker moved: a new day starts at 0.
    dialog.SetProposal(ProposeDate(kNoDate, MakePackedDate(12, 5, 2004, 2)));
    EXPECT_EQ(dialog.DatePicker()->date(), QDate(2004, 5, 12));
    EXPECT_EQ(dialog.SequenceEdit()->text(), QStringLiteral("3"));
    dialog.DatePicker()->setDate(QDate(2004, 5, 13));
    EXPECT_EQ(dialog.SequenceEdit()->text(), QStringLiteral("0"));

    for (const char* bad : {"32", "-1", "x", ""}) {
        prompter.Clear();
        dialog.SequenceEdit()->setText(QString::fromLatin1(bad));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << bad;
        ASSERT_EQ(prompter.notices.size(), 1u) << bad;
        EXPECT_EQ(dialog.focusWidget(), dialog.SequenceEdit());
    }
    EXPECT_EQ(prompter.notices[0].text, "Please enter an integer.");

    dialog.SequenceEdit()->setText(QStringLiteral(" 31 "));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), MakePackedDate(13, 5, 2004, 31));

    const struct {
        DateOption option;
        PackedDate expected;
    } forms[] = {{kRecordYearOnly, MakeYearOnlyDate(2004)},
                 {kRecordUnknownDate, kUnknownDate},
                 {kRemoveDate, kNoDate}};
    for (const auto& form : forms) {
        CSetDateDlg other(prompter, Help(), QDate(2026, 12, 7));
        other.DatePicker()->setDate(QDate(2004, 5, 13));
        other.OptionButton(form.option)->setChecked(true);
        other.accept();
        EXPECT_EQ(other.Result(), form.expected) << form.option;
    }

    // The unknown date keeps today's date in the picker.
    CSetDateDlg unknown(prompter, Help(), QDate(2026, 12, 7));
    unknown.SetProposal(ProposeDate(kUnknownDate, kNoDate));
    EXPECT_EQ(unknown.Option(), int(kRecordUnknownDate));
    EXPECT_EQ(unknown.DatePicker()->date(), QDate(2026, 12, 7));
    EXPECT_EQ(unknown.SequenceEdit()->text(), QStringLiteral("1"));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("helpButton")), Qt::LeftButton);
    EXPECT_EQ(helpRequests, std::vector<std::uint32_t>{0x20000 + 131});
}

TEST_F(VisitDialogs, RunReportsAChangeOnlyWhenTheValueDiffers) {
    PackedDate last = kNoDate;
    PackedDate value = kNoDate;
    // OK on the value already there: no change, yet it becomes the date entered last.
    const PackedDate current = MakePackedDate(1, 2, 2003);
    OnNextModal(QStringLiteral("setDateDialog"),
                [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    EXPECT_FALSE(
        CSetDateDlg::Run(current, last, value, prompter, Help(), QDate(2026, 12, 7), nullptr));
    EXPECT_EQ(last, current);
    OnNextModal(QStringLiteral("setDateDialog"), [](QWidget* widget) {
        auto* dialog = static_cast<CSetDateDlg*>(widget);
        dialog->OptionButton(kRemoveDate)->setChecked(true);
        dialog->accept();
    });
    EXPECT_TRUE(
        CSetDateDlg::Run(current, last, value, prompter, Help(), QDate(2026, 12, 7), nullptr));
    EXPECT_EQ(value, kNoDate);
    EXPECT_EQ(last, kNoDate);
}

TEST_F(VisitDialogs, CommentsKeepLineBreaksAndTheLengthLimit) {
    CCommentsDlg dialog(prompter, Help());
    dialog.show();
    dialog.SetComment("First line\r\nSecond \xE9");
    EXPECT_EQ(dialog.Edit()->toPlainText(), QStringLiteral("First line\nSecond \u00e9"));
    EXPECT_EQ(dialog.Comment(), "First line\r\nSecond \xE9");

    // 1024 characters as stored, a line break counting two: typing more is refused.
    dialog.SetComment(std::string(1020, 'a'));
    QTest::keyClicks(dialog.Edit(), QStringLiteral("bbbbbb"));
    EXPECT_EQ(dialog.Comment().size(), 1024u);
    EXPECT_EQ(dialog.Comment().substr(1020), "bbbb");
    dialog.SetComment(std::string(1023, 'a'));
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.Comment().size(), 1023u);

    // A longer comment from a log is kept whole, though it cannot grow.
    dialog.SetComment(std::string(1500, 'c'));
    QTest::keyClicks(dialog.Edit(), QStringLiteral("d"));
    EXPECT_EQ(dialog.Comment(), std::string(1500, 'c'));

    // Shortcuts reach the active window only.
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(helpRequests, std::vector<std::uint32_t>{0x20000 + 132});
}

TEST_F(VisitDialogs, CommentsAskBeforeStoringCharactersTheCodePageLacks) {
    CCommentsDlg dialog(prompter, Help());
    dialog.show();
    dialog.SetComment("First visit");
    dialog.Edit()->setFocus();
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    // As pasted: an emoji (two UTF-16 units) and a Welsh w-circumflex.
    dialog.Edit()->insertPlainText(QString::fromUtf8("Great \U0001F600 at Caerw\u0175s"));
    const QString typed = dialog.Edit()->toPlainText();

    prompter.QueueAnswer(Answer::No);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);
    EXPECT_NE(prompter.notices[0].text.find("\xF0\x9F\x98\x80 (left out), \xC5\xB5 (becomes w)"),
              std::string::npos);
    EXPECT_EQ(dialog.Edit()->toPlainText(), typed);
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit());

    prompter.QueueAnswer(Answer::Yes);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Comment(), "First visit\r\nGreat  at Caerwws");

    // Text the code page holds is stored without a question.
    prompter.Clear();
    CCommentsDlg plain(prompter, Help());
    plain.show();
    plain.SetComment("Caf\xE9 \x80 5");
    plain.accept();
    EXPECT_EQ(plain.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(plain.Comment(), "Caf\xE9 \x80 5");
}

TEST_F(VisitDialogs, SetDateTakesAWholeTypedDateOrSaysWhyNot) {
    CSetDateDlg dialog(prompter, Help(), QDate(2026, 12, 7));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* typed = dialog.TypedDateEdit();
    ASSERT_NE(typed, nullptr);
    QLabel* problem = dialog.TypedDateProblem();

    // Return reads the date into the picker and leaves the dialog open to check it.
    const struct {
        const char* text;
        QDate date;
    } dates[] = {{"12/05/2004", QDate(2004, 5, 12)},
                 {"12 May 2004", QDate(2004, 5, 12)},
                 {"2004-05-13", QDate(2004, 5, 13)},
                 {"1st Sept 1999", QDate(1999, 9, 1)}};
    for (const auto& date : dates) {
        dialog.DatePicker()->setDate(QDate(2026, 12, 7));
        typed->setFocus();
        QTest::keyClicks(typed, QString::fromLatin1(date.text));
        QTest::keyClick(typed, Qt::Key_Return);
        EXPECT_EQ(dialog.DatePicker()->date(), date.date) << date.text;
        EXPECT_TRUE(dialog.isVisible()) << date.text;
        EXPECT_TRUE(typed->text().isEmpty()) << date.text;
        EXPECT_FALSE(problem->isVisible()) << date.text;
    }

    // Typed into the picker itself, a whole date goes to the typed date, not a digit at a
    // time into the picker's sections.
    dialog.DatePicker()->setFocus();
    QTest::keyClick(dialog.DatePicker(), Qt::Key_Home);
    QTest::keyClicks(nullptr, QStringLiteral("12 May 2004"));  // to the focus, as typed
    EXPECT_EQ(dialog.focusWidget(), typed);
    EXPECT_EQ(typed->text(), QStringLiteral("12 May 2004"));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(dialog.DatePicker()->date(), QDate(2004, 5, 12));
    EXPECT_EQ(dialog.focusWidget(), dialog.DatePicker());
    // The arrow keys still step the picker.
    QTest::keyClick(dialog.DatePicker(), Qt::Key_Up);
    EXPECT_EQ(dialog.DatePicker()->date(), QDate(2004, 5, 13));
    dialog.DatePicker()->setDate(QDate(1999, 9, 1));

    // A date that does not exist leaves the picker as it was and says why; OK waits.
    dialog.SequenceEdit()->setText(QStringLiteral("2"));
    QTest::keyClicks(typed, QStringLiteral("31/02/2004"));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(dialog.DatePicker()->date(), QDate(1999, 9, 1));
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->text(),
              QStringLiteral("There is no day 31 in February 2004: it has 29 days."));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), typed);
    EXPECT_EQ(typed->text(), QStringLiteral("31/02/2004"));
    EXPECT_EQ(dialog.SequenceEdit()->text(), QStringLiteral("2"));
    EXPECT_TRUE(prompter.Silent());

    // Corrected and left by the Tab key, the date is taken; OK then records it.
    typed->clear();
    QTest::keyClicks(typed, QStringLiteral("29 Feb 2004"));
    QTest::keyClick(typed, Qt::Key_Tab);
    EXPECT_EQ(dialog.DatePicker()->date(), QDate(2004, 2, 29));
    EXPECT_FALSE(problem->isVisible());
    QTest::keyClick(dialog.SequenceEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), MakePackedDate(29, 2, 2004, 0));
}
