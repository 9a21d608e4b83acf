// The browser form over a small database, with a scripted prompter.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QListView>
#include <QTest>
#include <memory>

#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/view/GuiSupport.h"
#include "view/CChimesetView.h"
#include "view/FieldLabel.h"
#include "view/TowerListBox.h"
#include "visits/CChimesetDoc.h"

namespace chimeset::testing {

class ViewFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDatabase(dir);
        settings.WriteString("Users", "RINGER1", "Ringer One");
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [this] {
            return LocalDate{2026, 12, 7};
        });
        view = std::make_unique<CChimesetView>(
            *doc, prompter, [this](std::uint32_t c) { helpRequests.push_back(c); });
        view->OnInitialUpdate();
    }

    void TearDown() override {
        view.reset();
        doc.reset();
    }

    // Opens a log as RINGER1 (editable) or, with an empty user, read-only.
    bool OpenLog(const std::vector<std::string>& lines, std::string user = "RINGER1") {
        logPath = dir.WriteLines("RINGER1.CBL", lines);
        return doc->OpenLog(logPath, user);
    }

    FieldLabel* Field(const char* name) const {
        return FindControl<FieldLabel>(*view, QString::fromLatin1(name));
    }
    QString Text(const char* name) const {
        const FieldLabel* field = Field(name);
        return field ? field->text() : QStringLiteral("<missing>");
    }

    // A click on a form control, as the mouse gives it.
    void Click(const char* name) { QTest::mouseClick(Field(name), Qt::LeftButton); }

    // Chooses the list row with the text, as a click in the list does.
    void Choose(const QString& itemText) {
        TowerListBox* list = view->TowerList();
        for (int row = 0; row < list->Count(); ++row) {
            if (list->ItemText(row) == itemText) {
                list->List()->setCurrentIndex(list->List()->model()->index(row, 0));
                return;
            }
        }
        ADD_FAILURE() << "not listed: " << itemText.toStdString();
    }

    QStringList Items() const {
        QStringList items;
        for (int row = 0; row < view->TowerList()->Count(); ++row)
            items << view->TowerList()->ItemText(row);
        return items;
    }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::vector<std::uint32_t> helpRequests;
    std::string logPath;
    std::unique_ptr<CChimesetDoc> doc;
    std::unique_ptr<CChimesetView> view;
};

}  // namespace chimeset::testing
