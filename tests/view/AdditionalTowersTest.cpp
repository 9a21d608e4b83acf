// Adding and changing towers that the database lacks, through the Additional Towers and
// Add Tower dialogs.
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include "tests/view/ViewFixture.h"
#include "view/AddTowerDlg.h"
#include "view/AdditionalTowersDlg.h"
#include "view/FieldLabel.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

QLineEdit* EditOf(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void PressOk(QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
}

}  // namespace

using AdditionalTowers = ViewFixture;

TEST_F(AdditionalTowers, AddingATowerRecordsAnUnknownVisitAndEditingKeepsItsNumber) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    const std::int32_t expectedId = MakePackedDate(7, 12, 2026) + 1;
    QString proposedId;
    OnNextModal(QStringLiteral("additionalTowersDialog"), [&](QWidget* dialog) {
        proposedId = EditOf(dialog, "tbNumberEdit")->text();
        EXPECT_TRUE(EditOf(dialog, "tbNumberEdit")->isReadOnly());
        QTest::keyClicks(EditOf(dialog, "locationEdit"), QStringLiteral("Newtown"));
        QTest::keyClicks(EditOf(dialog, "dedicationEdit"), QStringLiteral("St John"));
        QTest::keyClicks(EditOf(dialog, "bellsEdit"), QStringLiteral("6"));
        QTest::keyClicks(EditOf(dialog, "osRefEdit"), QStringLiteral("SO 123 456"));
        // The weight through the Add Tower dialog.
        OnNextModal(QStringLiteral("addTowerDialog"), [](QWidget* weight) {
            EXPECT_EQ(EditOf(weight, "cwtEdit")->text(), QStringLiteral("0"));
            EditOf(weight, "cwtEdit")->setText(QStringLiteral("10"));
            EditOf(weight, "qtrEdit")->setText(QStringLiteral("2"));
            EditOf(weight, "lbsEdit")->setText(QStringLiteral("5"));
            PressOk(weight);
        });
        QTest::mouseClick(dialog->findChild<QWidget*>(QStringLiteral("weightText")),
                          Qt::LeftButton);
        EXPECT_EQ(dialog->findChild<FieldLabel*>(QStringLiteral("weightText"))->text(),
                  QStringLiteral("10-2-5"));
        PressOk(dialog);
    });
    ASSERT_TRUE(view->EditAdditionalTower(-1));
    EXPECT_EQ(proposedId, QString::number(expectedId));
    EXPECT_TRUE(doc->IsModified());

    // The all-towers list is now sorted by name, the new tower with it; it has a visit.
    EXPECT_EQ(Items().indexOf(QStringLiteral("Newtown - St John")), 4);
    EXPECT_EQ(Items().first(), QStringLiteral("Ashby - St Mary"));
    Choose(QStringLiteral("Newtown - St John"));
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("- Yes -"));
    EXPECT_EQ(Text("weightField"), QStringLiteral("10-2-5"));
    EXPECT_EQ(Text("osRefField"), QStringLiteral("SO123456"));
    EXPECT_EQ(Field("locationField")->TextColour(), QColor(0, 0, 255));
    EXPECT_EQ(doc->CurrentIndexNo(), expectedId);
    EXPECT_EQ(doc->Database().GetTowerField(doc->CurrentTower(), kWt),
              std::to_string(10 * 112 + 2 * 28 + 5));

    // A click on its details changes it; kilograms show in the dialog, pounds are kept.
    doc->ToggleKilograms();
    QString weightShown;
    OnNextModal(QStringLiteral("additionalTowersDialog"), [&](QWidget* dialog) {
        EXPECT_EQ(EditOf(dialog, "locationEdit")->text(), QStringLiteral("Newtown"));
        weightShown = dialog->findChild<FieldLabel*>(QStringLiteral("weightText"))->text();
        EditOf(dialog, "dedicationEdit")->setText(QStringLiteral("St John the Baptist"));
        PressOk(dialog);
    });
    Click("dedicationField");
    EXPECT_EQ(weightShown, QStringLiteral("535 Kg"));
    doc->SetFilter(kFilterAllTowers);
    Choose(QStringLiteral("Newtown - St John the Baptist"));
    EXPECT_EQ(doc->CurrentIndexNo(), expectedId);
    EXPECT_EQ(doc->Database().GetTowerField(doc->CurrentTower(), kWt), "1181");

    // Saved and read again, the tower comes back from the log.
    ASSERT_TRUE(doc->Save());
    std::string user = "RINGER1";
    ASSERT_TRUE(doc->OpenLog(logPath, user));
    EXPECT_TRUE(Items().contains(QStringLiteral("Newtown - St John the Baptist")));

    // A second tower in the same run proposes the next number.
    OnNextModal(QStringLiteral("additionalTowersDialog"), [&](QWidget* dialog) {
        proposedId = EditOf(dialog, "tbNumberEdit")->text();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cancelButton")),
                          Qt::LeftButton);
    });
    doc->SetModifiedFlag(false);
    EXPECT_FALSE(view->EditAdditionalTower(-1));
    EXPECT_EQ(proposedId, QString::number(expectedId + 1));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(AdditionalTowers, TheTowerAddedOrChangedStaysSelected) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    Choose(QStringLiteral("Zennor - St Senara"));
    OnNextModal(QStringLiteral("additionalTowersDialog"), [&](QWidget* dialog) {
        QTest::keyClicks(EditOf(dialog, "locationEdit"), QStringLiteral("Newtown"));
        QTest::keyClicks(EditOf(dialog, "dedicationEdit"), QStringLiteral("St John"));
        QTest::keyClicks(EditOf(dialog, "bellsEdit"), QStringLiteral("6"));
        PressOk(dialog);
    });
    ASSERT_TRUE(view->EditAdditionalTower(-1));
    const int added = Items().indexOf(QStringLiteral("Newtown - St John"));
    ASSERT_GT(added, 0);
    EXPECT_EQ(view->TowerList()->CurrentRow(), added);
    EXPECT_EQ(view->CurrentIndex(), added);
    EXPECT_EQ(view->TowerList()->Edit()->text(), QStringLiteral("Newtown - St John"));
    EXPECT_EQ(doc->CurrentTower(), doc->Database().GetTowerCount() - 1);
    EXPECT_EQ(Text("locationField"), QStringLiteral("Newtown"));
    EXPECT_EQ(Text("visitDateField"), QStringLiteral("- Yes -"));
    EXPECT_EQ(view->StatusPaneText(), QStringLiteral("Dove Id= %1").arg(doc->CurrentIndexNo()));

    // Renamed, it moves in the list, and the selection goes with it.
    OnNextModal(QStringLiteral("additionalTowersDialog"), [&](QWidget* dialog) {
        EditOf(dialog, "locationEdit")->setText(QStringLiteral("Wells"));
        PressOk(dialog);
    });
    Click("locationField");
    const int renamed = Items().indexOf(QStringLiteral("Wells - St John"));
    ASSERT_GT(renamed, added);
    EXPECT_EQ(view->TowerList()->CurrentRow(), renamed);
    EXPECT_EQ(view->CurrentIndex(), renamed);
    EXPECT_EQ(Text("locationField"), QStringLiteral("Wells"));
    EXPECT_EQ(doc->CurrentTower(), doc->Database().GetTowerCount() - 1);
}

TEST_F(AdditionalTowers, DialogChecksItsFieldsInOrderAndRefusesBackslashes) {
    AdditionalTowersDlg dialog(prompter, [this](std::uint32_t c) { helpRequests.push_back(c); });
    AdditionalTowerFields start;
    start.tbNumber = 5;
    dialog.SetFields(start, "");
    dialog.show();

    // A backslash would split the stored tower line: no field takes one.
    for (const int id : {1002, 1003, 1004, 1007, 1008, 1009}) {
        dialog.Edit(id)->clear();
        QTest::keyClicks(dialog.Edit(id), QStringLiteral("a\\b"));
        EXPECT_EQ(dialog.Edit(id)->text(), QStringLiteral("ab")) << id;
        dialog.Edit(id)->clear();
    }
    QTest::keyClicks(dialog.Edit(1006), QStringLiteral("1x2"));
    EXPECT_EQ(dialog.Edit(1006)->text(), QStringLiteral("12"));

    const auto refusalFor = [&](const char* expected, QWidget* focused) {
        prompter.Clear();
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(prompter.notices.size(), 1u);
        EXPECT_EQ(prompter.notices[0].text, expected);
        EXPECT_EQ(dialog.focusWidget(), focused);
    };
    dialog.Edit(1006)->setText(QStringLiteral("100"));
    refusalFor("Please enter an integer between 1 and 99.", dialog.Edit(1006));
    dialog.Edit(1006)->setText(QString());
    refusalFor("Please enter an integer.", dialog.Edit(1006));
    dialog.Edit(1006)->setText(QStringLiteral("8"));
    refusalFor("Item must be completed", dialog.Edit(1002));
    EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Exclamation);
    dialog.Edit(1002)->setText(QStringLiteral("  "));  // blanks count as text
    refusalFor("Item must be completed", dialog.Edit(1003));
    dialog.Edit(1003)->setText(QStringLiteral("St Mary"));
    dialog.Edit(1063)->setText(QStringLiteral("12x"));
    refusalFor("Please enter an integer.", dialog.Edit(1063));
    dialog.Edit(1063)->setText(QStringLiteral("5"));

    prompter.Clear();
    dialog.accept();
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Fields().bells, 8);
    EXPECT_EQ(dialog.Fields().location, "  ");
}

TEST_F(AdditionalTowers, FieldsTakeNoLineBreaksAndAskBeforeFoldingLetters) {
    AdditionalTowersDlg dialog(prompter, nullptr);
    AdditionalTowerFields start;
    start.tbNumber = 5;
    start.county = "Gwynedd\tNorth";  // a tab from an older log is shown as a blank
    dialog.SetFields(start, "");
    dialog.show();
    EXPECT_EQ(dialog.Edit(1004)->text(), QStringLiteral("Gwynedd North"));

    // A line break pasted into any text field would split the stored tower over two lines.
    QGuiApplication::clipboard()->setText(QStringLiteral("Two\r\nLines\tand\x01more"));
    for (const int id : {1002, 1003, 1004, 1007, 1008, 1009}) {
        dialog.Edit(id)->clear();
        dialog.Edit(id)->setFocus();
        QTest::keyClick(dialog.Edit(id), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(dialog.Edit(id)->text(), QStringLiteral("Two Lines and more")) << id;
    }

    // Welsh y-circumflex in the location: No goes back to the field with the text as typed.
    const QString typed = QString::fromUtf8("Llan\u0177n Caerw\u0175s");
    dialog.Edit(1002)->setText(typed);
    dialog.Edit(1006)->setText(QStringLiteral("6"));
    dialog.Edit(1004)->setText(QStringLiteral("Gwynedd"));
    prompter.Clear();
    prompter.QueueAnswer(Answer::No);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);
    EXPECT_NE(prompter.notices[0].text.find("\xC5\xB7 (becomes y), \xC5\xB5 (becomes w)"),
              std::string::npos);
    EXPECT_NE(prompter.notices[0].text.find("Llanyn Caerwws"), std::string::npos);
    EXPECT_EQ(dialog.Edit(1002)->text(), typed);
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit(1002));

    // Yes stores the plain letters, never a "?"; the other fields ask nothing.
    prompter.Clear();
    prompter.QueueAnswer(Answer::Yes);
    dialog.accept();
    EXPECT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Fields().location, "Llanyn Caerwws");
    EXPECT_EQ(dialog.Fields().dedication, "Two Lines and more");
    EXPECT_EQ(dialog.Fields().county, "Gwynedd");
}

TEST_F(AdditionalTowers, AFieldLeftEmptyByFoldingIsStillRefused) {
    AdditionalTowersDlg dialog(prompter, nullptr);
    dialog.show();
    dialog.Edit(1002)->setText(QStringLiteral("Ashby"));
    dialog.Edit(1003)->setText(QString::fromUtf8("\U0001F514"));
    dialog.Edit(1006)->setText(QStringLiteral("6"));
    dialog.Edit(1063)->setText(QStringLiteral("5"));
    prompter.QueueAnswer(Answer::Yes);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompter.notices.size(), 2u);
    EXPECT_EQ(prompter.notices[1].text, "Item must be completed");
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit(1003));
}

TEST_F(AdditionalTowers, TabFollowsTheFieldsAsTheyStandOnTheForm) {
    AdditionalTowersDlg dialog(prompter, nullptr);
    dialog.show();
    QStringList order;
    QWidget* widget = dialog.Edit(1002);
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty())
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != dialog.Edit(1002));
    EXPECT_EQ(order.mid(0, 10),
              (QStringList{"locationEdit", "dedicationEdit", "bellsEdit", "countyEdit",
                           "weightText", "osRefEdit", "latitudeEdit", "longitudeEdit",
                           "tbNumberEdit", "modifyButton"}));
}

TEST_F(AdditionalTowers, ModifyAsksBeforeTheNumberCanBeChangedAndDuplicatesAreQuestioned) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    OnNextModal(QStringLiteral("additionalTowersDialog"), [&](QWidget* widget) {
        auto* dialog = static_cast<AdditionalTowersDlg*>(widget);
        prompter.QueueAnswer(Answer::No);
        QTest::mouseClick(dialog->ModifyButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog->Edit(1063)->isReadOnly());
        EXPECT_TRUE(dialog->ModifyButton()->isEnabled());
        ASSERT_EQ(prompter.notices.size(), 1u);
        EXPECT_EQ(prompter.notices[0].id, 0x8010u);
        EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);
        EXPECT_EQ(prompter.notices[0].helpContext, 0x38010u);

        prompter.QueueAnswer(Answer::Yes);
        QTest::mouseClick(dialog->ModifyButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->Edit(1063)->isReadOnly());
        EXPECT_FALSE(dialog->ModifyButton()->isEnabled());
        dialog->Edit(1063)->setText(QStringLiteral("1003"));  // Ashwell's number
        dialog->Edit(1002)->setText(QStringLiteral("Copy"));
        dialog->Edit(1003)->setText(QStringLiteral("St Mary"));
        dialog->Edit(1006)->setText(QStringLiteral("8"));
        prompter.Clear();
        prompter.QueueAnswer(Answer::No);  // the duplicate question
        PressOk(dialog);
    });
    EXPECT_FALSE(view->EditAdditionalTower(-1));
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].buttons, NoticeButtons::YesNo);
    EXPECT_NE(prompter.notices[0].text.find("same Identity number"), std::string::npos);
    EXPECT_EQ(doc->Database().GetAdditionalCount(), 0);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(AdditionalTowers, AddTowerDialogSplitsAndChecksTheWeight) {
    AddTowerDlg dialog(prompter, [this](std::uint32_t c) { helpRequests.push_back(c); });
    dialog.SetWeight(1259);
    EXPECT_EQ(dialog.CwtEdit()->text(), QStringLiteral("11"));
    EXPECT_EQ(dialog.QtrEdit()->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.LbsEdit()->text(), QStringLiteral("27"));
    dialog.show();
    dialog.QtrEdit()->setText(QStringLiteral("4"));
    dialog.accept();
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].text, "Please enter an integer between 0 and 3.");
    dialog.QtrEdit()->setText(QStringLiteral("3"));
    dialog.CwtEdit()->setText(QStringLiteral("201"));
    dialog.accept();
    EXPECT_EQ(prompter.notices.back().text, "Please enter an integer between 0 and 200.");
    dialog.CwtEdit()->setText(QStringLiteral("200"));
    dialog.LbsEdit()->setText(QStringLiteral("27"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(PoundsOf(dialog.Parts()), 22511);
    // Shortcuts reach the shown, active window only.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(helpRequests, std::vector<std::uint32_t>{0x20000 + 138});
}
