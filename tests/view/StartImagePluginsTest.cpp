// Showing the main form reads no picture through Qt's image plugins: the first such read loads
// every plugin with its libraries, which cost a start as much as reading the tower database.
// A program of its own, so that no earlier test has loaded them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMainWindow>
#include <QMenuBar>
#include <memory>

#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/view/GuiSupport.h"
#include "view/BuiltInImages.h"
#include "view/CChimesetView.h"
#include "view/ProgramStyle.h"
#include "visits/CChimesetDoc.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

bool ImagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains("/imageformats/");
}

}  // namespace

TEST(StartImagePlugins, ShowingTheFormAndItsMenusLoadsNone) {
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        GTEST_SKIP() << "the loaded libraries are read from /proc";
    ASSERT_FALSE(ImagePluginLoaded()) << "loaded before the test";

    QApplication::setStyle(new ProgramStyle(QApplication::style()));
    QApplication::setWindowIcon(ProgramIcon());
    TempDir dir;
    WriteTestDatabase(dir);
    FakePrompter prompter;
    MemorySettings settings;
    CChimesetDoc doc(dir.Path(), prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    QMainWindow window;
    auto* view = new CChimesetView(
        doc, prompter, [](std::uint32_t) {}, &window);
    window.setCentralWidget(view);
    view->OnInitialUpdate();
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.show();
    window.grab();
    EXPECT_FALSE(ImagePluginLoaded());

    // The check can see a load: reading a PNG by its name, with the plugins installed, makes it.
    const bool pluginsInstalled = QImageReader::supportedImageFormats().contains("jpeg");
    QImage picture(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    EXPECT_FALSE(picture.isNull());
    if (pluginsInstalled) {
        EXPECT_TRUE(ImagePluginLoaded());
    }
}
