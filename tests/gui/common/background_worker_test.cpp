// The window's worker thread: only the newest job's result is handed over,
// on the window's thread; jobs replaced before they start never run; a
// result that arrives after a newer job was posted is dropped; a worker
// deleted while a job runs hands nothing over.
#include "gui/common/background_worker.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kestrel {
namespace {

using gui::BackgroundWorker;

// A job that waits until it is let go, so the test decides what runs when.
struct Gate {
    std::atomic<bool> entered{false};
    std::atomic<bool> open{false};
    void pass()
    {
        entered = true;
        while (!open)
            QThread::msleep(1);
    }
    void waitUntilEntered() const
    {
        while (!entered)
            QThread::msleep(1);
    }
};

TEST(BackgroundWorker, OnlyTheNewestResultIsHandedOverOnTheWindowsThread)
{
    BackgroundWorker worker;
    EXPECT_TRUE(worker.idle());
    Gate gate;
    std::atomic<int> ran{0};
    std::vector<int> handed;
    const auto job = [&](int number, Gate* wait) {
        return [&, number, wait]() -> BackgroundWorker::Delivery {
            if (wait)
                wait->pass();
            EXPECT_NE(QThread::currentThread(), QCoreApplication::instance()->thread());
            ++ran;
            return [&, number] {
                EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
                handed.push_back(number);
            };
        };
    };
    // Job 1 runs and is held; jobs 2 and 3 wait in turn, 3 replacing 2.
    worker.post(job(1, &gate));
    gate.waitUntilEntered();
    worker.post(job(2, nullptr));
    worker.post(job(3, nullptr));
    EXPECT_FALSE(worker.idle());
    gate.open = true;
    ASSERT_TRUE(BackgroundWorker::waitForAll(10000));
    EXPECT_TRUE(worker.idle());
    EXPECT_EQ(ran, 2);                      // 1 and 3: 2 was replaced before it started
    EXPECT_EQ(handed, std::vector<int>{3}); // 1's result was stale when it came

    // A result that comes back before the next job is posted is handed over.
    worker.post(job(4, nullptr));
    ASSERT_TRUE(BackgroundWorker::waitForAll(10000));
    EXPECT_EQ(handed, (std::vector<int>{3, 4}));
}

TEST(BackgroundWorker, AJobThatThrowsCountsAsAnsweredWithNothingToShow)
{
    BackgroundWorker worker;
    worker.post([]() -> BackgroundWorker::Delivery { throw std::runtime_error("no procedure"); });
    EXPECT_TRUE(BackgroundWorker::waitForAll(10000));
    EXPECT_TRUE(worker.idle());
}

TEST(BackgroundWorker, AWorkerDeletedWhileAJobRunsHandsNothingOver)
{
    auto worker = std::make_unique<BackgroundWorker>();
    Gate gate;
    bool handed = false;
    worker->post([&]() -> BackgroundWorker::Delivery {
        gate.pass();
        return [&] { handed = true; };
    });
    gate.waitUntilEntered();
    std::thread letGo([&] {
        QThread::msleep(20);
        gate.open = true;
    });
    worker.reset(); // waits for the running job
    letGo.join();
    QCoreApplication::processEvents();
    EXPECT_FALSE(handed);
    EXPECT_TRUE(BackgroundWorker::waitForAll(1000));
}

} // namespace
} // namespace kestrel
