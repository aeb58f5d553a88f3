// The pictures drawn at build time: every picture the window shows is there
// at the size it is drawn and at twice that size, and an icon gives the
// sharp one for the screen's pixel ratio instead of scaling a blurred one.
#include "gui/common/picture_icon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(PictureIcon, EveryPictureAtItsSizesAndTwice)
{
    struct Case {
        const char* name;
        QSize drawn;
    };
    for (const Case& c : {Case{"header_both", {16, 16}}, Case{"insert_column", {20, 20}}, Case{"help", {16, 16}},
             Case{"help", {20, 20}}, Case{"copy", {20, 20}}, Case{"table_import", {20, 20}}, Case{"kestrel", {64, 64}},
             Case{"kestrel", {256, 256}}, Case{"connectors", {148, 36}}}) {
        SCOPED_TRACE(c.name);
        const QIcon icon = gui::pictureIcon(QString::fromLatin1(c.name));
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(c.drawn));
        EXPECT_TRUE(icon.availableSizes().contains(c.drawn * 2));
        // A drawn picture, not an empty square.
        const QImage image = icon.pixmap(c.drawn).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), c.drawn);
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y)
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) != 0;
        EXPECT_TRUE(painted);
    }
    EXPECT_TRUE(gui::pictureIcon(QStringLiteral("no such picture")).isNull());
}

TEST(PictureIcon, AWidePictureKeepsItsProportions)
{
    EXPECT_EQ(gui::pictureIcon(QStringLiteral("connectors")).actualSize(QSize(74, 74)), QSize(74, 18));
}

} // namespace
} // namespace kestrel
