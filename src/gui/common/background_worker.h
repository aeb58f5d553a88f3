#pragma once
// A thread of its own for the window's long computations (a procedure, its
// coverage by every standard, the grid's marks), so that the window's
// thread never waits for one. A job works on copies only (a snapshot of the
// document); what it returns runs on the window's thread with its result.
//
// Only the newest job counts: a job posted while another waits replaces
// it, and a result that arrives after a newer job was posted is dropped.
// Each job carries the number it was posted with (its generation), and
// the results come back through a queued call, so a worker deleted with
// its owner hands nothing to a widget that is gone.
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <functional>
#include <optional>

class QThread;

namespace kestrel::gui {

class BackgroundWorker : public QObject {
    Q_OBJECT
public:
    // What runs on the window's thread with a job's result.
    using Delivery = std::function<void()>;
    // Runs on the worker's thread; it must read nothing but what it holds.
    using Job = std::function<Delivery()>;

    explicit BackgroundWorker(QObject* parent = nullptr);
    // Waits for the job that is running, if any; a waiting job is dropped.
    ~BackgroundWorker() override;

    // The job replaces any job not started yet; its result makes every
    // older result stale.
    void post(Job job);
    // Whether the newest job's result has been handed over (or no job was
    // ever posted).
    bool idle() const { return handled_ == posted_; }

    // For tests and benchmarks: processes events until every worker of the
    // program is idle, or the time is up. Returns whether they all are.
    static bool waitForAll(int timeoutMilliseconds = 60000);

private:
    struct Waiting {
        quint64 generation;
        Job job;
    };

    void run();
    void arrived(quint64 generation, const Delivery& delivery);

    QThread* thread_;
    QMutex mutex_;
    QWaitCondition wake_;
    std::optional<Waiting> waiting_; // guarded by mutex_
    bool stopping_ = false;          // guarded by mutex_
    // The window's thread alone reads and writes these.
    quint64 posted_ = 0;
    quint64 handled_ = 0;
};

} // namespace kestrel::gui
