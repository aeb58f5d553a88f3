#include "gui/common/background_worker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

namespace kestrel::gui {
namespace {

// The worker's loop on a thread of its own (a subclass rather than
// QThread::create, which some Qt builds leave out).
class WorkerThread : public QThread {
public:
    explicit WorkerThread(std::function<void()> loop) : loop_(std::move(loop)) { }

protected:
    void run() override { loop_(); }

private:
    std::function<void()> loop_;
};

// Every worker alive, for waitForAll (the window's thread alone uses it).
std::vector<BackgroundWorker*>& allWorkers()
{
    static std::vector<BackgroundWorker*> workers;
    return workers;
}

} // namespace

BackgroundWorker::BackgroundWorker(QObject* parent) : QObject(parent)
{
    thread_ = new WorkerThread([this] { run(); });
    thread_->setObjectName(QStringLiteral("BackgroundWorker"));
    thread_->start(QThread::LowPriority);
    allWorkers().push_back(this);
}

BackgroundWorker::~BackgroundWorker()
{
    allWorkers().erase(std::remove(allWorkers().begin(), allWorkers().end(), this), allWorkers().end());
    {
        const QMutexLocker lock(&mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.wakeAll();
    thread_->wait();
    delete thread_;
}

void BackgroundWorker::post(Job job)
{
    {
        const QMutexLocker lock(&mutex_);
        waiting_ = Waiting{++posted_, std::move(job)};
    }
    wake_.wakeAll();
}

void BackgroundWorker::run()
{
    for (;;) {
        Waiting next;
        {
            QMutexLocker lock(&mutex_);
            while (!waiting_ && !stopping_)
                wake_.wait(&mutex_);
            if (stopping_)
                return;
            next = std::move(*waiting_);
            waiting_.reset();
        }
        Delivery delivery;
        try {
            delivery = next.job();
        } catch (const std::exception&) {
            // A job says its own failures in its result; one that throws
            // still counts as answered, with nothing to show.
        }
        const quint64 generation = next.generation;
        // Queued to this object: dropped by Qt when the worker is gone.
        QMetaObject::invokeMethod(
            this, [this, generation, delivery] { arrived(generation, delivery); }, Qt::QueuedConnection);
    }
}

void BackgroundWorker::arrived(quint64 generation, const Delivery& delivery)
{
    // A newer job is on its way: this result describes a document that no
    // longer exists.
    if (generation != posted_)
        return;
    handled_ = generation;
    if (delivery)
        delivery();
}

bool BackgroundWorker::waitForAll(int timeoutMilliseconds)
{
    const QDeadlineTimer deadline(timeoutMilliseconds);
    for (;;) {
        QCoreApplication::processEvents();
        const std::vector<BackgroundWorker*>& workers = allWorkers();
        if (std::all_of(workers.begin(), workers.end(), [](const BackgroundWorker* w) { return w->idle(); }))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(1);
    }
}

} // namespace kestrel::gui
