// The pictures built in as plain pixels must be the PNG files they were made from: a redrawn
// icon or map whose pixels were not written again would show the old picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QResource>
#include <QSysInfo>

#include "tests/view/Pictures.h"
#include "view/BuiltInImages.h"
#include "view/CMapPanel.h"

using namespace chimeset;
using chimeset::testing::LargestDifference;

namespace {

QString Source(const char* path) {
    return QDir(QStringLiteral(CHIMESET_RESOURCES_DIR)).filePath(QString::fromLatin1(path));
}

}  // namespace

TEST(BuiltInImages, MatchTheirPngFiles) {
    for (const int side : {16, 32, 48, 64}) {
        const QImage png(Source("icons/chimeset-%1.png").arg(side));
        ASSERT_FALSE(png.isNull()) << side;
        const QImage built =
            BuiltInImage(QStringLiteral(":/chimeset/icon-%1.rgba").arg(side), QSize(side, side));
        ASSERT_EQ(built.size(), png.size()) << side;
        // Sixteen-bit PNG channels may round either way to eight bits.
        EXPECT_LE(LargestDifference(built, png), 1) << side;
    }
    const QImage map(Source("map/britain.png"));
    ASSERT_FALSE(map.isNull());
    const QImage built = BuiltInMapImage();
    ASSERT_EQ(built.size(), QSize(CMapPanel::kImageWidth, CMapPanel::kImageHeight));
    ASSERT_EQ(built.size(), map.size());
    EXPECT_EQ(LargestDifference(built, map), 0);
    // The map is painted as it lies in the program, with neither a conversion nor a copy.
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        EXPECT_EQ(built.format(), QImage::Format_RGB32);
        EXPECT_EQ(built.constBits(), QResource(QStringLiteral(":/chimeset/map.bgra")).data());
    }
}

TEST(BuiltInImages, TheIconHasEveryWindowSizeAndAWrongSizeReadsAsNone) {
    const QIcon icon = ProgramIcon();
    EXPECT_EQ(icon.availableSizes(),
              (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}));
    EXPECT_TRUE(BuiltInImage(QStringLiteral(":/chimeset/icon-16.rgba"), QSize(32, 32)).isNull());
    EXPECT_TRUE(BuiltInImage(QStringLiteral(":/chimeset/nothing.rgba"), QSize(1, 1)).isNull());
}
