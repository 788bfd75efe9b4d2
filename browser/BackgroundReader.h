#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "photometry/EntryTexts.h"
#include "photometry/PhotometricFormat.h"
#include "photometry/PhotometricSummary.h"

// One file to read whole in the background. `key` names the catalog entry
// the result belongs to; the reader never touches it.
struct BackgroundJob {
    const void* key = nullptr;
    std::string fileName;
    PhotometricFormat format = PhotometricFormat::Ies;
};

// What a whole read gave: the texts, the change marker and the summary of a
// file that read; `loaded` false for one that did not.
struct BackgroundResult {
    std::uint64_t generation = 0;
    const void* key = nullptr;
    bool loaded = false;
    EntryTexts texts;
    bool changed = false;
    std::optional<PhotometricSummary> summary;
};

// Reads files whole on worker threads and keeps only their texts and
// summaries (no candela matrix stays). Work of one folder at a time: Start
// names the folder and begins a new generation, which drops every job still
// queued, and results of an older generation are never handed out. Jobs
// queued at the front are read first (the rows in view); a key already taken
// in this generation is not read twice. `wake` is called from a worker when
// results wait and the last TakeResults has emptied them, so the owner can
// post itself a call to its own thread.
class BackgroundReader {
public:
    BackgroundReader(std::function<void()> wake, unsigned workers);
    ~BackgroundReader();
    BackgroundReader(const BackgroundReader&) = delete;
    BackgroundReader& operator=(const BackgroundReader&) = delete;

    // Begins the work of `folder` (ending in "/"); returns the new generation.
    std::uint64_t Start(std::string folder);
    // Drops all queued work and any result still to come.
    void Cancel();
    void Enqueue(std::vector<BackgroundJob> jobs, bool front);
    [[nodiscard]] std::vector<BackgroundResult> TakeResults();
    [[nodiscard]] std::uint64_t Generation() const;
    // No job is queued or being read, and the owner has been woken for every result.
    [[nodiscard]] bool Idle() const;

private:
    void Work();

    std::function<void()> wake_;
    unsigned workerCount_;
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<BackgroundJob> queue_;
    std::unordered_set<const void*> taken_;
    std::vector<BackgroundResult> results_;
    std::string folder_;
    std::uint64_t generation_ = 0;
    int busy_ = 0;
    bool wakePending_ = false;
    bool stopping_ = false;
    std::vector<std::thread> workers_;  // started with the first job
};
