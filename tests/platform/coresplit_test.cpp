#include "coresplit.h"

#include <future>
#include <gtest/gtest.h>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace {

cpu_set_t processorsOf(pid_t thread) {
    cpu_set_t set;
    CPU_ZERO(&set);
    EXPECT_EQ(sched_getaffinity(thread, sizeof set, &set), 0);
    return set;
}

// The main thread, and what it starts, keep off the processor set aside for the picture
// thread until End, which gives every thread all of them again, those started meanwhile too.
TEST(CoreSplit, KeepsThePictureThreadApartUntilEnd) {
    const cpu_set_t all = processorsOf(0);
    if (CPU_COUNT(&all) < 2)
        GTEST_SKIP() << "a single processor: nothing to split";
    CoreSplit::Begin();
    const cpu_set_t main = processorsOf(0);
    if (CPU_EQUAL(&main, &all))
        GTEST_SKIP() << "the system does not let a thread choose its processors";
    EXPECT_EQ(CPU_COUNT(&main), CPU_COUNT(&all) - 1);

    std::promise<pid_t> started;
    std::promise<void> release;
    cpu_set_t inherited{}, worker{}, later{};
    std::thread thread([&] {
        inherited = processorsOf(0);
        CoreSplit::EnterWorker();
        worker = processorsOf(0);
        started.set_value(gettid());
        release.get_future().wait();
    });
    const pid_t id = started.get_future().get();
    EXPECT_TRUE(CPU_EQUAL(&inherited, &main));
    ASSERT_EQ(CPU_COUNT(&worker), 1);
    cpu_set_t both;
    CPU_AND(&both, &worker, &main);
    EXPECT_EQ(CPU_COUNT(&both), 0) << "the picture thread shares the main thread's processor";

    CoreSplit::End();
    const cpu_set_t mainAfter = processorsOf(0);
    const cpu_set_t threadAfter = processorsOf(id);
    EXPECT_TRUE(CPU_EQUAL(&mainAfter, &all));
    EXPECT_TRUE(CPU_EQUAL(&threadAfter, &all));
    release.set_value();
    thread.join();

    // A picture thread after the start keeps to none.
    std::thread([&] {
        CoreSplit::EnterWorker();
        later = processorsOf(0);
    }).join();
    EXPECT_TRUE(CPU_EQUAL(&later, &all));
}

} // namespace
