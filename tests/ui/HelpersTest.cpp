// Plain functions of the window: text conversion, field geometry, the
// points field's rule and the icons drawn at run time.
#include "UiFixtures.h"

#include "Icons.h"
#include "NationBar.h"
#include "Win1252.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace ovra;

namespace {

TEST(Win1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToWin1252(FromWin1252(all)), all);
    EXPECT_EQ(FromWin1252("\x80\xC4\x9F"), QString::fromUtf8("\u20AC\u00C4\u0178"));
    EXPECT_EQ(ToWin1252(QString::fromUtf8("a\u4E2D\u00E9")), std::string("a?\xE9"));
    EXPECT_EQ(FromWin1252Lines("one\r\ntwo"), QStringLiteral("one\ntwo"));
}

TEST(PointsField, OnlyDigitsStayAndTheCaretKeepsItsPlace) {
    // "1" then "a" typed: the caret was after the "a".
    PointsEditResult typed = CleanPointsText(QStringLiteral("1a"), 2, 2);
    EXPECT_EQ(typed.text, QStringLiteral("1"));
    EXPECT_EQ(typed.selectionEnd, 1);

    PointsEditResult pasted = CleanPointsText(QStringLiteral("2x5y0"), 5, 5);
    EXPECT_EQ(pasted.text, QStringLiteral("250"));

    PointsEditResult middle = CleanPointsText(QStringLiteral("20b00"), 3, 3);
    EXPECT_EQ(middle.text, QStringLiteral("2000"));
    EXPECT_EQ(middle.selectionStart, 2) << "the caret stays where the letter was typed";

    PointsEditResult empty = CleanPointsText(QString(), 0, 0);
    EXPECT_EQ(empty.text, QStringLiteral("0"));
    EXPECT_TRUE(empty.selectAll);
    EXPECT_EQ(CleanPointsText(QStringLiteral("x"), 1, 1).text, QStringLiteral("0"));
}

TEST(DrawnIcons, EachSizeIsDrawnForItselfNeverScaledUpAndGreyedWhenDisabled) {
    test::EnsureApplication();
    const QIcon icon = NewUnitIcon();
    EXPECT_EQ(icon.availableSizes(), QList<QSize>({{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    EXPECT_EQ(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
    EXPECT_EQ(icon.pixmap(QSize(20, 20), 1.0).size(), QSize(20, 20));
    EXPECT_EQ(icon.actualSize(QSize(100, 100)), QSize(48, 48));
    EXPECT_EQ(icon.pixmap(QSize(100, 100), 1.0).size(), QSize(48, 48));
    const QImage large = icon.pixmap(QSize(48, 48), 1.0).toImage();
    const QImage small = icon.pixmap(QSize(16, 16), 1.0).toImage();
    EXPECT_NE(large, small.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(large.format()));
    EXPECT_NE(icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage(), small);
}

} // namespace
