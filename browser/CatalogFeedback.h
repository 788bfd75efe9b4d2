#pragma once

// The kinds of the progress panel shown over the file list.
enum class ProgressKind { Loading = 0, Sorting = 1, LoadingQuiet = 2, Thumbnails = 3, Clearing = 4 };

// What the catalog shows while it works: the progress panel and the wait
// cursor. The catalog runs without yielding to the event loop, so an
// implementation repaints its panel itself.
class CatalogFeedback {
public:
    virtual ~CatalogFeedback() = default;
    virtual void ShowProgress(ProgressKind kind, int maximum) = 0;
    virtual void SetProgress(int value) = 0;
    [[nodiscard]] virtual int Progress() const = 0;
    virtual void HideProgress() = 0;
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
};

// Feedback that shows nothing, for work done away from the window.
class SilentFeedback : public CatalogFeedback {
public:
    void ShowProgress(ProgressKind, int) override { progress_ = 0; }
    void SetProgress(int value) override { progress_ = value; }
    [[nodiscard]] int Progress() const override { return progress_; }
    void HideProgress() override {}
    void BeginWait() override {}
    void EndWait() override {}

private:
    int progress_ = 0;
};

// Shows the wait cursor for a scope, also when it is left by an exception.
class WaitScope {
public:
    explicit WaitScope(CatalogFeedback& feedback) : feedback_(feedback) { feedback_.BeginWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
    ~WaitScope() { feedback_.EndWait(); }

private:
    CatalogFeedback& feedback_;
};
