#include "coresplit.h"

#include <QDir>
#include <QStringList>
#include <mutex>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

#ifdef __linux__

struct Split {
    std::mutex mutex;
    bool active = false;
    cpu_set_t all{};    // the processors the program had
    int workerCpu = -1; // the one set aside
};

Split& split() {
    static Split instance;
    return instance;
}

#endif

} // namespace

void CoreSplit::Begin() {
#ifdef __linux__
    Split& s = split();
    const std::lock_guard lock(s.mutex);
    if (s.active)
        return;
    cpu_set_t all;
    if (sched_getaffinity(0, sizeof all, &all) != 0 || CPU_COUNT(&all) < 2)
        return;
    // The main thread stays where it runs; the last other processor is set aside.
    const int current = sched_getcpu();
    int worker = -1;
    for (int cpu = CPU_SETSIZE - 1; cpu >= 0 && worker < 0; --cpu)
        if (CPU_ISSET(cpu, &all) && cpu != current)
            worker = cpu;
    if (worker < 0)
        return;
    cpu_set_t rest = all;
    CPU_CLR(worker, &rest);
    if (sched_setaffinity(0, sizeof rest, &rest) != 0)
        return;
    s.all = all;
    s.workerCpu = worker;
    s.active = true;
#endif
}

void CoreSplit::EnterWorker() {
#ifdef __linux__
    Split& s = split();
    const std::lock_guard lock(s.mutex);
    if (!s.active)
        return;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(s.workerCpu, &one);
    pthread_setaffinity_np(pthread_self(), sizeof one, &one);
#endif
}

void CoreSplit::EnterHelper() {
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    Split& s = split();
    const std::lock_guard lock(s.mutex);
    if (!s.active)
        return;
    cpu_set_t rest = s.all;
    CPU_CLR(s.workerCpu, &rest);
    pthread_setaffinity_np(pthread_self(), sizeof rest, &rest);
#endif
}

void CoreSplit::End() {
#ifdef __linux__
    Split& s = split();
    const std::lock_guard lock(s.mutex);
    if (!s.active)
        return;
    s.active = false;
    // Threads started meanwhile (the toolkit's own among them) took the main thread's set.
    const QStringList threads =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& thread : threads) {
        bool number = false;
        const pid_t id = static_cast<pid_t>(thread.toInt(&number));
        if (number)
            sched_setaffinity(id, sizeof s.all, &s.all);
    }
#endif
}
