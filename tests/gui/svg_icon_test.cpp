// Kestrel's SVG icons draw what Qt's own SVG icons draw, in every mode and
// at every size, a wide picture keeping its proportions.
#include "gui/resources.h"
#include "gui/svg_icon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(SvgIcon, DrawsAsQtsOwnSvgIconDoes)
{
    gui::registerResources();
    for (const char* name : {"help.svg", "multiply_column.svg", "kestrel.svg", "connectors.svg"}) {
        const QString file = QStringLiteral(":/icons/") + QString::fromLatin1(name);
        const QIcon qtIcon(file);
        if (qtIcon.pixmap(16, 16).isNull())
            GTEST_SKIP() << "Qt's SVG icon engine plug-in (iconengines/libqsvgicon) is not installed";
        const QIcon icon = gui::svgIcon(QString::fromLatin1(name));
        for (const int size : {16, 20, 64})
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Selected}) {
                SCOPED_TRACE(testing::Message() << name << " at " << size << " in mode " << mode);
                EXPECT_EQ(icon.actualSize(QSize(size, size), mode), qtIcon.actualSize(QSize(size, size), mode));
                // Drawn twice: the second comes from the picture's kept pixmaps.
                for (int drawing = 0; drawing < 2; ++drawing)
                    EXPECT_EQ(icon.pixmap(size, size, mode).toImage().convertToFormat(QImage::Format_ARGB32),
                              qtIcon.pixmap(size, size, mode).toImage().convertToFormat(QImage::Format_ARGB32));
            }
    }
    EXPECT_EQ(gui::svgIcon(QStringLiteral("connectors.svg")).actualSize(QSize(74, 74)), QSize(74, 18));
}

} // namespace
} // namespace kestrel
