#include "browser/BackgroundReader.h"

#include <algorithm>
#include <utility>

#include "photometry/EntryLoader.h"
#include "photometry/IesRecord.h"

BackgroundReader::BackgroundReader(std::function<void()> wake, unsigned workers)
    : wake_(std::move(wake)), workerCount_(std::max(1U, workers))
{
}

BackgroundReader::~BackgroundReader()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    ready_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

std::uint64_t BackgroundReader::Start(std::string folder)
{
    const std::lock_guard lock(mutex_);
    ++generation_;
    queue_.clear();
    taken_.clear();
    results_.clear();
    folder_ = std::move(folder);
    return generation_;
}

void BackgroundReader::Cancel()
{
    const std::lock_guard lock(mutex_);
    ++generation_;
    queue_.clear();
    taken_.clear();
    results_.clear();
}

void BackgroundReader::Enqueue(std::vector<BackgroundJob> jobs, bool front)
{
    if (jobs.empty())
        return;
    {
        const std::lock_guard lock(mutex_);
        if (front) {
            // In the given order ahead of everything queued.
            for (auto job = jobs.rbegin(); job != jobs.rend(); ++job)
                queue_.push_front(std::move(*job));
        } else {
            for (BackgroundJob& job : jobs)
                queue_.push_back(std::move(job));
        }
        while (workers_.size() < workerCount_)
            workers_.emplace_back([this] { Work(); });
    }
    ready_.notify_all();
}

std::vector<BackgroundResult> BackgroundReader::TakeResults()
{
    const std::lock_guard lock(mutex_);
    wakePending_ = false;
    return std::exchange(results_, {});
}

std::uint64_t BackgroundReader::Generation() const
{
    const std::lock_guard lock(mutex_);
    return generation_;
}

bool BackgroundReader::Idle() const
{
    const std::lock_guard lock(mutex_);
    return queue_.empty() && busy_ == 0;
}

void BackgroundReader::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_)
            return;
        BackgroundJob job = std::move(queue_.front());
        queue_.pop_front();
        if (!taken_.insert(job.key).second)
            continue;
        const std::uint64_t generation = generation_;
        const std::string folder = folder_;
        ++busy_;
        lock.unlock();

        BackgroundResult result;
        result.generation = generation;
        result.key = job.key;
        TiesData entry = UnreadEntry(std::move(job.fileName));
        entry.Format = job.format;
        (void)LoadEntry(entry, folder);
        result.loaded = entry.Loaded;
        if (entry.Loaded)
            result.summary = SummarizePhotometry(entry.Ies);
        result.texts = std::move(entry.Texts);
        result.changed = entry.Changed;

        lock.lock();
        if (generation == generation_) {
            results_.push_back(std::move(result));
            if (!wakePending_) {
                wakePending_ = true;
                lock.unlock();
                wake_();
                lock.lock();
            }
        }
        // Only now idle: whoever waits for that finds the owner woken.
        --busy_;
    }
}
