#include "gui/svg_icon.h"

#include "gui/resources.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace kestrel::gui {
namespace {

// One picture file: read at the first need, its pixmaps kept by size and mode.
class SvgPicture {
public:
    explicit SvgPicture(QString path) : path_(std::move(path)) {}

    // The size the picture takes in a box of that size (its proportions kept).
    QSize fittedSize(const QSize& box) { return renderer().defaultSize().scaled(box, Qt::KeepAspectRatio); }

    QPixmap pixmap(const QSize& box, QIcon::Mode mode)
    {
        const QSize size = fittedSize(box);
        if (size.isEmpty())
            return {};
        const Key key{size.width(), size.height(), mode};
        if (const auto found = pixmaps_.constFind(key); found != pixmaps_.cend())
            return *found;
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer().render(&painter);
        painter.end();
        QPixmap pixmap = QPixmap::fromImage(image);
        // Disabled and selected looks come from the style, as for any icon.
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
            if (!generated.isNull())
                pixmap = generated;
        }
        pixmaps_.insert(key, pixmap);
        return pixmap;
    }

private:
    struct Key {
        int width;
        int height;
        QIcon::Mode mode;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0) { return qHashMulti(seed, key.width, key.height, key.mode); }
    };

    QSvgRenderer& renderer()
    {
        if (!renderer_)
            renderer_ = std::make_unique<QSvgRenderer>(path_);
        return *renderer_;
    }

    QString path_;
    std::unique_ptr<QSvgRenderer> renderer_;
    QHash<Key, QPixmap> pixmaps_;
};

class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(SvgPicture& picture) : picture_(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap pixmap = picture_.pixmap(rect.size() * ratio, mode);
        pixmap.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pixmap);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return picture_.fittedSize(size); }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override { return picture_.pixmap(size, mode); }
    QIconEngine* clone() const override { return new SvgIconEngine(picture_); }
    QString key() const override { return QStringLiteral("KestrelSvg"); }
    bool isNull() override { return false; }

private:
    SvgPicture& picture_;
};

} // namespace

QIcon svgIcon(const QString& name)
{
    // The pictures live as long as the program: icons may be copied anywhere.
    static auto* pictures = new QHash<QString, SvgPicture*>;
    registerResources();
    SvgPicture*& picture = (*pictures)[name];
    if (!picture)
        picture = new SvgPicture(QStringLiteral(":/icons/") + name);
    return QIcon(new SvgIconEngine(*picture));
}

} // namespace kestrel::gui
