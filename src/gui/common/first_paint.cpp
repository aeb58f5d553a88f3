#include "gui/common/first_paint.h"

#include "gui/common/file_paths.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <chrono>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace kestrel::gui {
namespace {

// Watches a window for its first expose that shows it. The expose paints
// the widgets and flushes them to the screen before it returns, so the
// watcher lets the window handle it and then calls back, in the order the
// calls were asked for. One watcher a window.
// No Q_OBJECT: the benchmark's bare window compiles this file on its own.
class FirstExposeWatcher : public QObject {
public:
    using QObject::QObject;

    static void add(QWidget& window, std::function<void()> painted)
    {
        QWindow* handle = window.windowHandle();
        if (!handle)
            return;
        FirstExposeWatcher* watcher = nullptr;
        for (QObject* child : window.children())
            if (auto* found = dynamic_cast<FirstExposeWatcher*>(child))
                watcher = found;
        if (!watcher) {
            watcher = new FirstExposeWatcher(&window);
            handle->installEventFilter(watcher);
        }
        watcher->painted_.push_back(std::move(painted));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !window || !window->isExposed())
            return false;
        window->removeEventFilter(this);
        static_cast<QObject*>(window)->event(event);
        for (const auto& painted : painted_)
            painted();
        deleteLater();
        return true;
    }

private:
    std::vector<std::function<void()>> painted_;
};

} // namespace

void afterFirstPaint(QWidget& window, std::function<void()> work)
{
    // Queued: the first paint's own work finishes first.
    FirstExposeWatcher::add(
        window, [&window, work = std::move(work)] { QMetaObject::invokeMethod(&window, work, Qt::QueuedConnection); });
}

void reportFirstPaintIfAsked(QWidget& window)
{
    const QString file = qEnvironmentVariable(kFirstPaintFileVariable);
    if (file.isEmpty())
        return;
    FirstExposeWatcher::add(window, [file = filesystemPath(file)] {
        const auto wall = std::chrono::steady_clock::now().time_since_epoch();
        const double cpuSeconds = static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
        std::ofstream(file) << std::chrono::duration_cast<std::chrono::nanoseconds>(wall).count() << ' '
                            << static_cast<long long>(cpuSeconds * 1e9) << '\n';
        QCoreApplication::exit(0);
    });
}

} // namespace kestrel::gui
