// The details a ringer checks before going, on the browser form: the mark in the tower
// group's title row, its tip and its open details, and the line that the window shows once it
// is taller than it starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <map>
#include <memory>

#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "tests/view/GuiSupport.h"
#include "view/CChimesetView.h"
#include "view/TowerDetailsDisplay.h"
#include "view/TowerListBox.h"
#include "visits/CChimesetDoc.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

const std::string kLongRemark = "Captain: " + std::string(9991, 'x');

class TowerDetailsView : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string header =
            std::string(kTowerFieldNames) + "\\" + std::string(kTowerDetailNames);
        dir.WriteLines(
            "DoveData.CB0",
            {header,
             "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001\\Y\\Tue (2nd & "
             "4th)\\Y\\Y\\N\\F#\\LE65 1AA\\www.ashbybells.example.org\\Anticlockwise.",
             "Bampton\\St Michael\\Devon\\SS956222\\50.99\\-3.48\\6\\840\\1002\\N\\\\N\\N\\N\\Bb"
             "\\EX16 9XX\\\\Unringable; bells hung dead.",
             "Cambridge\\Great St Mary\\Cambs\\TL449584\\52.21\\0.12\\12\\3000\\1005",
             "Long\\St Odd\\Kent\\TQ100100\\51.3\\0.1\\6\\600\\1007\\Y\\Thu <b>late</b>\\\\\\\\\\"
             "NOT A POSTCODE\\javascript:alert(1)\\" +
                 kLongRemark});
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        view = std::make_unique<CChimesetView>(*doc, prompter, [](std::uint32_t) {});
        view->OnInitialUpdate();
        startSize = view->sizeHint();
        view->resize(startSize);
        view->show();
        Settle();
    }

    void Settle() {
        for (QWidget* w : view->findChildren<QWidget*>())
            if (w->layout()) w->layout()->activate();
        if (view->layout()) view->layout()->activate();
        QApplication::processEvents();
    }

    void Choose(const QString& location) {
        TowerListBox* list = view->TowerList();
        for (int row = 0; row < list->Count(); ++row) {
            if (list->ItemText(row).startsWith(location + QStringLiteral(" - "))) {
                list->SetCurrentRow(row);
                view->OnSelectionChange(row);
                Settle();
                return;
            }
        }
        ADD_FAILURE() << "not listed: " << location.toStdString();
    }

    // Where every control of the form stands, by its identifier.
    std::map<int, QRect> Places() const {
        std::map<int, QRect> places;
        for (int id = 1000; id <= 1027; ++id) {
            if (const QWidget* control = view->Control(id))
                places[id] = QRect(control->mapTo(view.get(), QPoint(0, 0)), control->size());
        }
        return places;
    }

    TowerDetailsDisplay& Display() const { return *view->DetailsDisplay(); }
    bool Shown(const QWidget* widget) const { return widget->isVisibleTo(view.get()); }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
    std::unique_ptr<CChimesetView> view;
    QSize startSize;
};

}  // namespace

TEST_F(TowerDetailsView, AtTheStartingSizeTheFormIsAsItWasAndTheMarkSaysWhatMatters) {
    Choose(QStringLiteral("Ashby"));
    const QLabel* mark = Display().Mark();
    ASSERT_TRUE(Shown(mark));
    EXPECT_FALSE(Shown(Display().Line()));
    EXPECT_TRUE(mark->text().contains(QStringLiteral("Details")));
    const QString tip = mark->toolTip();
    for (const char* shown :
         {"Practice Tue (2nd &amp; 4th)", "Ground floor", "Toilet", "Tenor in F#", "LE65 1AA",
          "www.ashbybells.example.org", "Anticlockwise."})
        EXPECT_TRUE(tip.contains(QString::fromLatin1(shown)))
            << shown << " in " << tip.toStdString();
    EXPECT_FALSE(tip.contains(QStringLiteral("Simulator")));  // known not to have one

    // The mark sits in the title row, clear of the title and above the list.
    auto* group = view->findChild<QGroupBox*>(QStringLiteral("detailsGroup"));
    ASSERT_TRUE(group);
    const int titleWidth = group->fontMetrics().horizontalAdvance(group->title());
    EXPECT_GT(mark->x(), titleWidth);
    EXPECT_LE(mark->geometry().right(), group->width());
    EXPECT_LT(mark->geometry().bottom(), view->TowerList()->mapTo(group, QPoint(0, 0)).y());

    // The line waiting in the layout takes no room: taken out, nothing moves.
    const std::map<int, QRect> places = Places();
    auto* grid = qobject_cast<QGridLayout*>(group->layout());
    ASSERT_TRUE(grid);
    grid->removeWidget(Display().Line());
    Settle();
    EXPECT_EQ(Places(), places);
    EXPECT_EQ(view->sizeHint(), startSize);

    // Unringable stands out; a tower nothing is known of has no mark.
    Choose(QStringLiteral("Bampton"));
    ASSERT_TRUE(Shown(mark));
    EXPECT_TRUE(mark->text().contains(QStringLiteral("Unringable")));
    EXPECT_TRUE(mark->text().contains(QStringLiteral("#c00000")));
    EXPECT_TRUE(mark->toolTip().startsWith(QStringLiteral("<b style='color:#c00000'>Unringable")));
    Choose(QStringLiteral("Cambridge"));
    EXPECT_FALSE(Shown(mark));
    EXPECT_FALSE(Shown(Display().Line()));
}

TEST_F(TowerDetailsView, ATallerWindowShowsTheLineWithTheWebPageAsALink) {
    Choose(QStringLiteral("Ashby"));
    const std::map<int, QRect> startPlaces = Places();
    view->resize(startSize + QSize(0, 200));
    Settle();
    const QLabel* line = Display().Line();
    ASSERT_TRUE(Shown(line));
    EXPECT_TRUE(line->text().contains(QStringLiteral(
        "<a href='http://www.ashbybells.example.org'>www.ashbybells.example.org</a>")))
        << line->text().toStdString();
    EXPECT_TRUE(line->openExternalLinks());
    // Under the tower's fields, inside the group.
    EXPECT_GT(line->mapTo(view.get(), QPoint(0, 0)).y(), startPlaces.at(1009).bottom());

    // Odd values show as they are, markup as text, a long remark cut; no link for what is no
    // web address.
    Choose(QStringLiteral("Long"));
    ASSERT_TRUE(Shown(line));
    EXPECT_TRUE(line->text().contains(QStringLiteral("Practice Thu &lt;b&gt;late&lt;/b&gt;")));
    EXPECT_TRUE(line->text().contains(QStringLiteral("NOT A POSTCODE")));
    EXPECT_TRUE(line->text().contains(QStringLiteral("javascript:alert(1)")));
    EXPECT_FALSE(line->text().contains(QStringLiteral("<a ")));
    EXPECT_LT(line->text().size(), 400);
    EXPECT_TRUE(line->text().contains(QStringLiteral("...")));
    // ... while the database keeps the remark whole.
    EXPECT_EQ(doc->Database().DetailsOf(doc->CurrentTower()).remarks, kLongRemark);

    // Back to the starting size: the line goes and everything stands where it stood.
    Choose(QStringLiteral("Ashby"));
    view->resize(startSize);
    Settle();
    EXPECT_FALSE(Shown(line));
    EXPECT_EQ(Places(), startPlaces);
}

TEST_F(TowerDetailsView, TheMarkOpensTheDetailsWithTheLinkToFollow) {
    Choose(QStringLiteral("Ashby"));
    emit Display().Mark()->linkActivated(QStringLiteral("#details"));
    QFrame* popup = Display().Popup();
    ASSERT_TRUE(popup);
    EXPECT_TRUE(popup->isVisible());
    auto* text = popup->findChild<QLabel*>(QStringLiteral("towerDetailsPopupText"));
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->text().contains(QStringLiteral("href='http://www.ashbybells.example.org'")));
    EXPECT_TRUE(text->openExternalLinks());

    // Another tower closes it; opened again it tells of that tower, its remark cut longer.
    Choose(QStringLiteral("Long"));
    EXPECT_FALSE(popup->isVisible());
    Display().OpenPopup();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(text->text().contains(QStringLiteral("ashbybells")));
    EXPECT_GT(text->text().size(), 500);
    EXPECT_LT(text->text().size(), 1000);
    popup->close();
}
