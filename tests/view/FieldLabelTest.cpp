// A form field looks and sizes as the plain-text, sunken-panel label it stands in for.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "tests/view/Pictures.h"
#include "view/FieldLabel.h"

using namespace chimeset;
using chimeset::testing::Rendered;

namespace {

struct Look {
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    int margin = 0;
    QSize size;  // empty: the widget's own size hint
    QColor background;
};

template <typename Field>
void Dress(Field& field, const Look& look) {
    field.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A label that never had a text sizes as a picture label: set one first, as the form does.
    field.setText(QStringLiteral("x"));
    field.setText(look.text);
    field.setAlignment(look.alignment);
    field.setWordWrap(look.wordWrap);
    field.setMargin(look.margin);
    if (look.background.isValid()) {
        QPalette colours = field.palette();
        colours.setColor(QPalette::Window, look.background);
        field.setPalette(colours);
        field.setAutoFillBackground(true);
    }
    field.resize(look.size.isEmpty() ? field.sizeHint() : look.size);
}

const Look kLooks[] = {
    {QStringLiteral("Ab Kettleby"), Qt::AlignLeft | Qt::AlignVCenter, false, 0, QSize(220, 22),
     QColor()},
    {QStringLiteral("01/01/1990"), Qt::AlignCenter, false, 0, QSize(110, 22),
     QColor(255, 255, 204)},
    {QStringLiteral("Rang the back six with the local band; a fine peal of bells, and a long "
                    "climb up the tower on a very narrow stair."),
     Qt::AlignLeft | Qt::AlignTop, true, 3, QSize(190, 140), QColor()},
    {QStringLiteral("R & B"), Qt::AlignLeft | Qt::AlignVCenter, false, 0, QSize(), QColor()},
    {QString(), Qt::AlignLeft | Qt::AlignVCenter, false, 0, QSize(), QColor()},
    {QStringLiteral("Kettleby and its neighbours round about the Wolds"),
     Qt::AlignLeft | Qt::AlignTop, true, 0, QSize(), QColor()},
};

}  // namespace

TEST(FieldLabel, LooksAndSizesAsAPlainLabel) {
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.text.toStdString());
        QLabel label;
        label.setTextFormat(Qt::PlainText);
        Dress(label, look);
        FieldLabel field(QStringLiteral("field"));
        Dress(field, look);
        EXPECT_EQ(field.sizeHint(), label.sizeHint());
        ASSERT_EQ(field.size(), label.size());
        EXPECT_EQ(Rendered(field), Rendered(label));
    }
}

TEST(FieldLabel, TheFormsSizeOutweighsTheText) {
    FieldLabel field(QStringLiteral("field"));
    field.setMinimumSize(120, 20);
    field.setText(QStringLiteral("A tower name far longer than the field is wide, and then some"));
    EXPECT_EQ(field.sizeHint(), QSize(120, 20));
    EXPECT_EQ(field.minimumSizeHint(), QSize(120, 20));
}

TEST(FieldLabel, ClicksFromMouseAndKeyboard) {
    FieldLabel field(QStringLiteral("field"));
    field.resize(100, 20);
    field.setFocusPolicy(Qt::StrongFocus);
    QSignalSpy clicks(&field, &FieldLabel::clicked);
    QTest::mouseClick(&field, Qt::LeftButton);
    QTest::mouseClick(&field, Qt::RightButton);
    QTest::keyClick(&field, Qt::Key_Space);
    QTest::keyClick(&field, Qt::Key_Return);
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 3);
    // A press here and a release elsewhere is no click.
    QTest::mousePress(&field, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&field, Qt::LeftButton, {}, QPoint(150, 5));
    EXPECT_EQ(clicks.count(), 3);
    field.setText(QStringLiteral("Visited"));
    EXPECT_EQ(field.accessibleName(), QStringLiteral("Visited"));
}
