// The program's style draws what its base style reads from pictures, and draws it alike.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QVBoxLayout>
#include <memory>

#include "tests/view/Pictures.h"
#include "view/ProgramStyle.h"

using namespace chimeset;
using chimeset::testing::LargestDifference;
using chimeset::testing::Rendered;

namespace {

// A group box of the form's kind, drawn in `style`.
QImage GroupBoxIn(QStyle& style, const QString& title) {
    QWidget window;
    window.setStyle(&style);
    window.setPalette(style.standardPalette());
    window.resize(240, 160);
    auto* box = new QGroupBox(title, &window);
    box->setStyle(&style);
    box->setGeometry(8, 8, 224, 144);
    auto* label = new QLabel(QStringLiteral("Visited"), box);
    label->setStyle(&style);
    (new QVBoxLayout(box))->addWidget(label);
    return Rendered(window);
}

int PaintedPixels(const QImage& image) {
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 128;
    return painted;
}

}  // namespace

TEST(ProgramStyle, DrawsTheGroupBoxFrameAsFusionDoes) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QString& title : {QStringLiteral("Visitor Records"), QString()}) {
        const QImage expected = GroupBoxIn(*fusion, title);
        const QImage drawn = GroupBoxIn(program, title);
        ASSERT_EQ(expected.size(), drawn.size());
        // A step of one in the faint tint is rounding; a frame a pixel out of place differs by
        // fifty or more where the line falls.
        EXPECT_LE(LargestDifference(expected, drawn), 3) << "title: " << title.toStdString();
    }
}

TEST(ProgramStyle, DrawsTheMenuBarsOverflowArrowsForEitherDirection) {
    ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption leftToRight;
    leftToRight.direction = Qt::LeftToRight;
    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    const QImage right =
        program.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &leftToRight)
            .pixmap(QSize(16, 10))
            .toImage();
    const QImage left =
        program.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &rightToLeft)
            .pixmap(QSize(16, 10))
            .toImage();
    const QImage down = program.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton)
                            .pixmap(QSize(10, 16))
                            .toImage();
    EXPECT_EQ(right.size(), QSize(16, 10));
    EXPECT_EQ(down.size(), QSize(10, 16));
    EXPECT_GT(PaintedPixels(right), 12);
    EXPECT_GT(PaintedPixels(down), 12);
    // The arrow for right-to-left text is the other one turned round.
    EXPECT_GT(LargestDifference(left, right), 128);
    EXPECT_LE(LargestDifference(left, right.mirrored(true, true)), 16);
    // Larger screens get the larger drawing rather than a blown-up small one.
    EXPECT_EQ(program.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &leftToRight)
                  .availableSizes()
                  .size(),
              2);
}

TEST(ProgramStyle, LeavesEveryOtherPictureToItsBase) {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ProgramStyle program(QStyleFactory::create(QStringLiteral("Fusion")));
    EXPECT_EQ(program.standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32).toImage(),
              fusion->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32).toImage());
}
