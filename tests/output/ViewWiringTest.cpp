// The output commands as the browser form runs them.
#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

#include "tests/output/OutputFixture.h"
#include "tests/support/qt/Controls.h"
#include "view/CChimesetView.h"
#include "view/CommandIds.h"
#include "view/FieldLabel.h"
#include "view/TowerListBox.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class ViewWiringTest : public OutputFixture {
  protected:
    void SetUp() override {
        OutputFixture::SetUp();
        view = std::make_unique<CChimesetView>(*doc, prompter, ShowHelp{});
        view->SetPrintSettingsStore(settings);
        view->OnInitialUpdate();
    }
    void TearDown() override { view.reset(); }
    template <typename Button>
    bool Checked(Button button) {
        return static_cast<QAbstractButton*>(view->Control(button))->isChecked();
    }

    std::unique_ptr<CChimesetView> view;
};

}  // namespace

TEST_F(ViewWiringTest, ReadOnlyPrintSwitchesTheFormToMyVisits) {
    ASSERT_TRUE(OpenLog(StandardLog(), ""));
    ASSERT_EQ(doc->GetFilter(), kFilterAllTowers);
    view->SelectPosition(3);
    ASSERT_TRUE(view->Printing() != nullptr);
    EXPECT_TRUE(view->OutputCommandBuilt(kCmdFilePrintPreview));
    EXPECT_EQ(view->Printing()->Settings().pageHeader, "Ringing Records for RINGER1.CBL");

    ASSERT_TRUE(view->Printing()->Prepare());
    EXPECT_TRUE(Checked(kFilterVisited));
    EXPECT_TRUE(Checked(kOrderAlphabetical));
    EXPECT_EQ(view->ListCount(), 3);
    EXPECT_EQ(view->TowerList()->ItemText(0).left(5), "Aston");
    EXPECT_EQ(view->CurrentIndex(), 0);
    EXPECT_EQ(doc->CurrentLocation(), "Aston");
}

TEST_F(ViewWiringTest, CopyAndFindNextFromTheForm) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    view->OnFilterButton(kFilterVisited);
    view->SelectPosition(2);
    view->OnCopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QStringLiteral("\r\n")), 3);
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800E}));
    EXPECT_EQ(doc->CurrentLocation(), "Zeal");  // the form's selection stands

    view->Search().Start("LUCY");
    view->OnFindNext();
    EXPECT_EQ(view->CurrentIndex(), 1);
    EXPECT_EQ(view->TowerList()->CurrentRow(), 1);
    EXPECT_EQ(FindControl<FieldLabel>(*view, QStringLiteral("locationField"))->text(),
              "Hampton Lucy");
    view->OnFindNext();  // no more: the message, the selection stays
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800E, 0x800A}));
    EXPECT_EQ(view->CurrentIndex(), 1);
    EXPECT_EQ(doc->CurrentLocation(), "Hampton Lucy");

    // A refill starts the search at the top again.
    view->Search().Start("a");
    view->OnFindNext();
    view->OnFindNext();
    EXPECT_EQ(view->Search().FindStartIndex(), 2);
    view->OnOrderButton(kOrderDate);
    EXPECT_EQ(view->Search().FindStartIndex(), 0);
}
