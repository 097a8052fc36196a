#include "ui/pass_search_worker.hpp"

#include <chrono>
#include <system_error>

#include "orbit/current_satellite.hpp"

namespace vantrek {

std::unique_ptr<PassSearchJob> MakePassSearchJob(const AppState& state,
                                                 const PassSearchOptions& options) {
    auto job = std::make_unique<PassSearchJob>();
    *job->catalog = state.catalog;
    job->observer = state.observer;
    job->options = options;
    return job;
}

void RunPassSearchJob(PassSearchJob& job, const PassSearchProgressFn& progress,
                      const std::atomic<bool>* cancel) {
    const auto began = std::chrono::steady_clock::now();
    job.passes = RunPassSearchOnThreads(*job.catalog, job.observer, job.options, *job.results,
                                        job.threads, progress, cancel);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - began;
    job.seconds = elapsed.count();
    // On the job's own copies too; a full list takes a few milliseconds, so
    // the rows of a stopped search get theirs as well.
    ComputePassDetails(*job.catalog, job.observer, job.options, *job.results, job.details, job.threads);
}

void TakePassSearchRows(const PassSearchJob& job, AppState& state) {
    state.predictions = *job.results;
    state.passDetails = job.details;
}

PassSearchWorker::~PassSearchWorker() {
    StopPassSearch(*this);
    if (thread.joinable()) thread.join();
}

bool StartPassSearch(PassSearchWorker& worker, std::unique_ptr<PassSearchJob> job) {
    if (!job || PassSearchRunning(worker)) return false;
    if (worker.thread.joinable()) worker.thread.join();
    worker.cancel = false;
    worker.done = false;
    worker.satellitesDone = 0;
    worker.satelliteCount = loadedSatelliteCount(*job->catalog);
    worker.tenthsDone = 0;
    worker.job = std::move(job);
    PassSearchJob* running = worker.job.get();
    const auto work = [&worker, running] {
        RunPassSearchJob(*running,
                         [&worker](const PassSearchProgress& p) {
                             worker.satellitesDone.store(p.satellitesDone, std::memory_order_relaxed);
                             worker.satelliteCount.store(p.satelliteCount, std::memory_order_relaxed);
                             worker.tenthsDone.store(p.tenthsDone, std::memory_order_relaxed);
                         },
                         &worker.cancel);
        worker.done.store(true, std::memory_order_release);
    };
    try {
        worker.thread = std::thread(work);
    } catch (const std::system_error&) {
        work();
    }
    return true;
}

bool PassSearchRunning(const PassSearchWorker& worker) { return worker.job != nullptr; }

bool PassSearchFinished(const PassSearchWorker& worker) {
    return worker.job != nullptr && worker.done.load(std::memory_order_acquire);
}

PassSearchProgress PassSearchProgressOf(const PassSearchWorker& worker) {
    PassSearchProgress progress;
    progress.satellitesDone = worker.satellitesDone.load(std::memory_order_relaxed);
    progress.satelliteCount = worker.satelliteCount.load(std::memory_order_relaxed);
    progress.tenthsDone = worker.tenthsDone.load(std::memory_order_relaxed);
    return progress;
}

void StopPassSearch(PassSearchWorker& worker) { worker.cancel = true; }

std::unique_ptr<PassSearchJob> TakePassSearch(PassSearchWorker& worker) {
    if (worker.thread.joinable()) worker.thread.join();
    return std::move(worker.job);
}

}  // namespace vantrek
