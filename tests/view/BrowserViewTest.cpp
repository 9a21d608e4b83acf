// The browser form driven as a user drives it: choosing towers, clicking the record fields,
// answering the dialogs.
#include <QAbstractButton>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "tests/view/ViewFixture.h"
#include "view/CMapPanel.h"
#include "view/CSetDateDlg.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

// The visit record fields, from the user name to the comment.
const char* const kRecordFields[] = {"userNameField", "visitDateField", "quarterDateField",
                                     "pealDateField", "commentField"};
// The ones that a click edits.
const char* const kDateAndCommentFields[] = {"visitDateField", "quarterDateField", "pealDateField",
                                             "commentField"};

// Answers the next Set Date dialog: checks what it proposes, then sets the option, the date
// and the sequence number and presses OK.
struct DateAnswer {
    int option = kRecordFullDate;
    QDate date;
    QString sequence;
};

void AnswerSetDate(DateAnswer answer, QString* proposedSequence = nullptr,
                   QDate* proposedDate = nullptr, int* proposedOption = nullptr) {
    OnNextModal(QStringLiteral("setDateDialog"), [=](QWidget* widget) {
        auto* dialog = static_cast<CSetDateDlg*>(widget);
        if (proposedSequence) *proposedSequence = dialog->SequenceEdit()->text();
        if (proposedDate) *proposedDate = dialog->DatePicker()->date();
        if (proposedOption) *proposedOption = dialog->Option();
        if (answer.date.isValid()) dialog->DatePicker()->setDate(answer.date);
        if (!answer.sequence.isNull()) dialog->SequenceEdit()->setText(answer.sequence);
        dialog->OptionButton(answer.option)->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
}

// Closes any dialog that a click opens by mistake, and says whether there was one.
class NoDialogGuard {
  public:
    NoDialogGuard() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        timer_.start(300);
    }
    bool opened = false;

  private:
    QTimer timer_;
};

}  // namespace

using BrowserView = ViewFixture;

TEST_F(BrowserView, RecordsVisitQuarterPealAndProposesTheNextTowerOfTheDay) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    EXPECT_EQ(Text("userNameField"), QStringLiteral("Ringer One"));

    Choose(QStringLiteral("Bampton - St Michael"));
    AnswerSetDate({kRecordFullDate, QDate(2004, 5, 12), QStringLiteral("2")});
    Click("visitDateField");
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("12/05/2004 #2"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(view->LastDateEntered(), MakePackedDate(12, 5, 2004, 2));

    // A quarter peal at a tower not yet visited: the next tower of the same day is proposed,
    // and the date becomes the visit date too.
    Choose(QStringLiteral("Ashby - St Mary"));
    EXPECT_EQ(Text("visitDateField"), QString());
    QString sequence;
    QDate date;
    int option = -1;
    AnswerSetDate({kRecordFullDate, QDate(), QString()}, &sequence, &date, &option);
    Click("quarterDateField");
    EXPECT_EQ(sequence, QStringLiteral("3"));
    EXPECT_EQ(date, QDate(2004, 5, 12));
    EXPECT_EQ(option, int(kRecordFullDate));
    EXPECT_EQ(Text("quarterDateField"), QStringLiteral("12/05/2004 #3"));
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("12/05/2004 #3"));

    // A peal in a year alone leaves the visit date as it was.
    AnswerSetDate({kRecordYearOnly, QDate(2010, 3, 1), QString()});
    Click("pealDateField");
    EXPECT_EQ(Text("pealDateField"), QStringLiteral("2010"));
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("12/05/2004 #3"));

    // Reopening the peal date shows the year-only form.
    sequence.clear();
    AnswerSetDate({kRecordYearOnly, QDate(), QString()}, &sequence, &date, &option);
    Click("pealDateField");
    EXPECT_EQ(option, int(kRecordYearOnly));
    EXPECT_EQ(date, QDate(2010, 1, 1));
    EXPECT_EQ(sequence, QStringLiteral("1"));

    // Cancel keeps everything, including the date entered last.
    const PackedDate last = view->LastDateEntered();
    OnNextModal(QStringLiteral("setDateDialog"), [](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cancelButton")),
                          Qt::LeftButton);
    });
    Click("visitDateField");
    EXPECT_EQ(view->LastDateEntered(), last);
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("12/05/2004 #3"));
}

TEST_F(BrowserView, RemovingTheVisitDateRemovesTheEntry) {
    ASSERT_TRUE(OpenLog({kLogHeader,
                         "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001\\"
                         "100000\\100001\\0\\"}));
    Choose(QStringLiteral("Ashby - St Mary"));
    EXPECT_FALSE(Text("visitDateField").isEmpty());
    EXPECT_FALSE(Text("quarterDateField").isEmpty());
    AnswerSetDate({kRemoveDate, QDate(), QString()});
    Click("visitDateField");
    EXPECT_EQ(Text("visitDateField"), QString());
    EXPECT_EQ(Text("quarterDateField"), QString());
    EXPECT_EQ(doc->EntryCount(), 0);
    EXPECT_EQ(view->LastDateEntered(), kNoDate);
    // Under All Dove the list is not refilled: the tower stays selected.
    EXPECT_EQ(view->TowerList()->ItemText(view->TowerList()->CurrentRow()),
              QStringLiteral("Ashby - St Mary"));
    EXPECT_EQ(doc->CurrentTower(), 0);
}

TEST_F(BrowserView, CommentsNeedAVisitAndSurviveSavingAndReopening) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    Choose(QStringLiteral("Zennor - St Senara"));
    {
        NoDialogGuard guard;
        Click("commentField");
        EXPECT_FALSE(guard.opened);
    }
    AnswerSetDate({kRecordUnknownDate, QDate(), QString()});
    Click("visitDateField");
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("- Yes -"));

    OnNextModal(QStringLiteral("commentsDialog"), [](QWidget* dialog) {
        auto* edit = dialog->findChild<QPlainTextEdit*>(QStringLiteral("commentEdit"));
        edit->setPlainText(QStringLiteral("Back six only\nTea at the pub, caf\u00e9 shut"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
    Click("commentField");
    EXPECT_EQ(Text("commentField"),
              QStringLiteral("Back six only\nTea at the pub, caf\u00e9 shut"));
    EXPECT_EQ(doc->EntryComment(), "Back six only\r\nTea at the pub, caf\xE9 shut");

    // OK on an unchanged comment still stores it.
    ASSERT_TRUE(doc->Save());
    EXPECT_FALSE(doc->IsModified());
    OnNextModal(QStringLiteral("commentsDialog"), [](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
    Click("commentField");
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->Save());

    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(logPath, user));
    Choose(QStringLiteral("Zennor - St Senara"));
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("- Yes -"));
    EXPECT_EQ(Text("commentField"),
              QStringLiteral("Back six only\nTea at the pub, caf\u00e9 shut"));
}

TEST_F(BrowserView, ReadOnlyLogRefusesEveryEditAndShowsYellow) {
    ASSERT_TRUE(OpenLog(
        {kLogHeader, "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001\\100000\\0\\0\\",
         "Newtown\\St John\\Powys\\\\\\\\6\\0\\999999\\100000\\0\\0\\"},
        ""));
    EXPECT_TRUE(doc->IsReadOnly());
    EXPECT_EQ(Text("userNameField"), QStringLiteral("RINGER1.CBL"));
    for (const char* field : kRecordFields)
        EXPECT_EQ(Field(field)->Background(), QColor(255, 255, 204)) << field;
    EXPECT_EQ(Field("locationField")->Background(), QColor(255, 255, 255));

    Choose(QStringLiteral("Ashby - St Mary"));
    NoDialogGuard guard;
    for (const char* field : kDateAndCommentFields) {
        prompter.Clear();
        Click(field);
        EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8008}) << field;
    }
    // The details of an additional tower are refused too; a database tower's are ignored.
    prompter.Clear();
    Click("locationField");
    EXPECT_TRUE(prompter.Silent());
    Choose(QStringLiteral("Newtown - St John"));
    EXPECT_EQ(Field("locationField")->TextColour(), QColor(0, 0, 255));
    Click("countyField");
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8008});
    prompter.Clear();
    Click("userNameField");
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8000});
    EXPECT_EQ(prompter.notices[0].text,
              "To change the current user. Use the Menu option:\r\nFile Open Visit Logfile...");
    EXPECT_FALSE(guard.opened);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(BrowserView, ColoursFollowTheLogState) {
    // No log: the records keep the form's colours, the details are white.
    for (const char* field : kRecordFields) EXPECT_FALSE(Field(field)->Background().isValid());
    EXPECT_EQ(Field("locationField")->Background(), QColor(255, 255, 255));
    EXPECT_TRUE(Field("locationField")->autoFillBackground());
    EXPECT_EQ(Text("userNameField"), QStringLiteral("No Log File Open"));
    ASSERT_TRUE(OpenLog({kLogHeader}));
    for (const char* field : kRecordFields)
        EXPECT_EQ(Field(field)->Background(), QColor(255, 255, 255));
    EXPECT_FALSE(Field("locationField")->TextColour().isValid());
    doc->CloseLog();
    EXPECT_EQ(Text("userNameField"), QStringLiteral("No Log File Open"));
    for (const char* field : kRecordFields) EXPECT_FALSE(Field(field)->Background().isValid());
}

TEST_F(BrowserView, FiltersOrdersStatusPaneAndMap) {
    // Without a log only All Dove is available; the pane shows the Dove identity.
    EXPECT_FALSE(view->Control(kFilterVisited)->isEnabled());
    EXPECT_FALSE(view->Control(kOrderDate)->isEnabled());
    EXPECT_TRUE(view->Control(kFilterAllTowers)->isEnabled());
    EXPECT_EQ(view->StatusPaneText(), QStringLiteral("Dove Id= 1001"));
    EXPECT_EQ(Items().size(), 6);

    ASSERT_TRUE(OpenLog({kLogHeader,
                         "Zennor\\St Senara\\Cornwall\\SW454384\\\\\\3\\300\\1004\\" +
                             std::to_string(MakePackedDate(1, 6, 2001)) + "\\0\\0\\",
                         "Ashby\\St Mary\\Leics\\SK359167\\\\\\8\\1456\\1001\\" +
                             std::to_string(MakePackedDate(1, 6, 2003)) + "\\0\\0\\",
                         "Rock\\x\\x\\\\\\\\5\\\\1006\\" +
                             std::to_string(MakePackedDate(1, 6, 2002)) + "\\0\\0\\"}));
    EXPECT_TRUE(view->Control(kFilterVisited)->isEnabled());

    QTest::mouseClick(view->Control(kFilterVisited), Qt::LeftButton);
    EXPECT_EQ(Items(),
              (QStringList{"Ashby - St Mary", "Rock & Roll - St Cuthbert", "Zennor - St Senara"}));
    EXPECT_EQ(view->StatusPaneText(), QStringLiteral("Rec 1 of 3"));
    // Every tower of the list with a grid reference is marked: Rock & Roll has none.
    EXPECT_EQ(view->MapPanel()->Pixels().size(), 2u);

    Choose(QStringLiteral("Zennor - St Senara"));
    EXPECT_EQ(view->StatusPaneText(), QStringLiteral("Rec 3 of 3"));
    EXPECT_EQ(view->MapPanel()->Pixels().size(), 1u);

    QTest::mouseClick(view->Control(kOrderDate), Qt::LeftButton);
    EXPECT_EQ(Items(),
              (QStringList{"Zennor - St Senara", "Rock & Roll - St Cuthbert", "Ashby - St Mary"}));
    EXPECT_EQ(view->CurrentIndex(), 0);

    // An empty list: nothing selected, empty fields, no markers.
    QTest::mouseClick(view->Control(kFilterPealed), Qt::LeftButton);
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_EQ(view->TowerList()->CurrentRow(), -1);
    EXPECT_EQ(view->StatusPaneText(), QStringLiteral("No Items Listed"));
    for (const char* field : {"locationField", "dedicationField", "countyField", "weightField",
                              "bellsField", "osRefField", "latitudeField", "longitudeField"})
        EXPECT_EQ(Text(field), QString()) << field;
    for (const char* field : kDateAndCommentFields) EXPECT_EQ(Text(field), QString()) << field;
    EXPECT_TRUE(view->MapPanel()->Pixels().empty());
    // With no tower selected the date fields offer no dialog: a date would belong to nothing.
    prompter.Clear();
    {
        NoDialogGuard guard;
        for (const char* field : kDateAndCommentFields) Click(field);
        EXPECT_FALSE(guard.opened);
    }
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(prompter.Silent());

    // A full update puts the form back on All Dove in alphabetical order.
    doc->UpdateAllViews(kHintContentsChanged);
    EXPECT_TRUE(static_cast<QAbstractButton*>(view->Control(kFilterAllTowers))->isChecked());
    EXPECT_TRUE(static_cast<QAbstractButton*>(view->Control(kOrderAlphabetical))->isChecked());
    EXPECT_EQ(doc->GetFilter(), kFilterAllTowers);
}

TEST_F(BrowserView, DateChangeUnderDateOrderRefillsTheList) {
    ASSERT_TRUE(OpenLog({kLogHeader,
                         "Zennor\\St Senara\\Cornwall\\SW454384\\\\\\3\\300\\1004\\" +
                             std::to_string(MakePackedDate(1, 6, 2001)) + "\\0\\0\\",
                         "Ashby\\St Mary\\Leics\\SK359167\\\\\\8\\1456\\1001\\" +
                             std::to_string(MakePackedDate(1, 6, 2003)) + "\\0\\0\\"}));
    QTest::mouseClick(view->Control(kFilterVisited), Qt::LeftButton);
    QTest::mouseClick(view->Control(kOrderDate), Qt::LeftButton);
    EXPECT_EQ(Items(), (QStringList{"Zennor - St Senara", "Ashby - St Mary"}));
    Choose(QStringLiteral("Ashby - St Mary"));
    AnswerSetDate({kRecordFullDate, QDate(1999, 1, 1), QStringLiteral("0")});
    Click("visitDateField");
    // The document rebuilt its list and the form refilled it, selecting the first item.
    EXPECT_EQ(Items(), (QStringList{"Ashby - St Mary", "Zennor - St Senara"}));
    EXPECT_EQ(view->TowerList()->CurrentRow(), 0);
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("01/01/1999"));
}

TEST_F(BrowserView, ToolTipsTypingAndKilograms) {
    Choose(QStringLiteral("Rock & Roll - St Cuthbert"));
    EXPECT_EQ(Field("locationField")->toolTip(), QStringLiteral("Rock & Roll"));
    EXPECT_EQ(Field("countyField")->toolTip(), QStringLiteral("County, State or Country"));
    EXPECT_EQ(view->StatusPaneText(), QStringLiteral("Dove Id= 1006"));

    // Typing the start of a name selects the first tower with it, whatever the case.
    QLineEdit* edit = view->TowerList()->Edit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("ash"));
    EXPECT_EQ(doc->CurrentTower(), 0);
    QTest::keyClicks(edit, QStringLiteral("w"));
    EXPECT_EQ(doc->CurrentTower(), 2);
    EXPECT_EQ(Text("locationField"), QStringLiteral("Ashwell"));
    EXPECT_EQ(edit->text(), QStringLiteral("ashw"));
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(doc->CurrentTower(), 3);
    EXPECT_EQ(edit->text(), QStringLiteral("Zennor - St Senara"));

    // Kilograms show from the next tower shown on.
    Choose(QStringLiteral("Ashby - St Mary"));
    EXPECT_EQ(Text("weightField"), QStringLiteral("13-0-0"));
    doc->ToggleKilograms();
    EXPECT_EQ(Text("weightField"), QStringLiteral("13-0-0"));
    Choose(QStringLiteral("Bampton - St Michael"));
    EXPECT_EQ(Text("weightField"), QStringLiteral("381 Kg"));
}
