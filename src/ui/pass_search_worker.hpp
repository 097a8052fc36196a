#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "observe/pass_details.hpp"
#include "observe/pass_search.hpp"
#include "ui/app_state.hpp"

namespace vantrek {

// A pass search's own copies of everything it reads and writes. The views
// keep painting with the shared model state while it runs, so it has its
// own catalogue, observer and options; each of its threads has its own model
// state and working set.
struct PassSearchJob {
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    std::unique_ptr<PredictionResults> results = std::make_unique<PredictionResults>();
    Observer observer;
    PassSearchOptions options;
    int threads = PassSearchThreadCount();
    std::vector<PassDetails> details;  // the pass of each row, worked out after the search
    int32_t passes = 0;
    double seconds = 0.0;  // wall-clock time of the whole search
};

// The copies for a search of the program's catalogue from its observer.
std::unique_ptr<PassSearchJob> MakePassSearchJob(const AppState& state,
                                                 const PassSearchOptions& options);

// Runs the search on the job's copies and times it, then works out the
// rows' pass details.
void RunPassSearchJob(PassSearchJob& job, const PassSearchProgressFn& progress,
                      const std::atomic<bool>* cancel);

// The rows a search found, and their passes, become the program's stored rows.
void TakePassSearchRows(const PassSearchJob& job, AppState& state);

// One search at a time on a thread of its own. The interface thread starts
// it, reads the progress and polls `finished`, then takes the job back; Stop
// sets the cancel flag, and the search ends at its next step with the rows
// found so far.
struct PassSearchWorker {
    PassSearchWorker() = default;
    ~PassSearchWorker();  // stops a running search and waits for it
    PassSearchWorker(const PassSearchWorker&) = delete;
    PassSearchWorker& operator=(const PassSearchWorker&) = delete;

    std::unique_ptr<PassSearchJob> job;  // the worker's alone while it runs
    std::thread thread;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    std::atomic<int32_t> satellitesDone{0};
    std::atomic<int32_t> satelliteCount{0};
    std::atomic<int32_t> tenthsDone{0};
};

// False (and nothing started) when a search is already running. Without a
// thread to be had the job runs here, on the caller's thread, and is finished
// on return.
bool StartPassSearch(PassSearchWorker& worker, std::unique_ptr<PassSearchJob> job);

// A search has been started and not yet taken back.
bool PassSearchRunning(const PassSearchWorker& worker);

// The search has ended by itself or by Stop; TakePassSearch will not wait.
bool PassSearchFinished(const PassSearchWorker& worker);

PassSearchProgress PassSearchProgressOf(const PassSearchWorker& worker);

// Asks a running search to stop; it keeps the rows found so far.
void StopPassSearch(PassSearchWorker& worker);

// Waits for the thread to end and returns the job; null when none was started.
std::unique_ptr<PassSearchJob> TakePassSearch(PassSearchWorker& worker);

}  // namespace vantrek
