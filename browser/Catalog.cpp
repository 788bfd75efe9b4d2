#include "Catalog.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <dirent.h>
#include <numeric>
#include <optional>
#include <sys/stat.h>
#include <thread>

#include "browser/RunOnWorkers.h"
#include "browser/ShellNamespace.h"
#include "photometry/EntryLoader.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

unsigned char UpperAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - ('a' - 'A')) : u;
}

}  // namespace

int CompareCaptions(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = UpperAscii(a[i]);
        const unsigned char y = UpperAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::vector<std::string> MatchPhotometricFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (entry->d_type == DT_DIR || !IsPhotometricName(name))
            continue;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            // Dangling links and link loops are not files to list.
            if (::stat(JoinPath(folder, name).c_str(), &st) != 0 || S_ISDIR(st.st_mode))
                continue;
        }
        names.push_back(name);
    }
    return names;
}

std::string UpEntryCaption(const std::string& styleText, const std::string& folderName)
{
    if (styleText == ".. only")
        return "..";
    return styleText + " '" + folderName + "'";
}

namespace {

void NoteFault(const TiesData& entry, const LoadResult& result, std::vector<ReadFault>& faults)
{
    const std::string& name = entry.Texts.fileName;
    if (result.kind == LoadResult::Kind::Failed)
        faults.push_back({name, result.error, false});
    else if (result.kind == LoadResult::Kind::Loaded && result.HasHeaderFault())
        faults.push_back({name, result.headerFault, true});
}

}  // namespace

void CaptionWithFaults(TiesData& entry, const std::string& folder, std::vector<ReadFault>& faults)
{
    NoteFault(entry, LoadEntryTexts(entry, folder), faults);
}

void NoteSummary(CatalogItem& item)
{
    if (item.entry && item.entry->Loaded && !item.summary)
        item.summary = SummarizePhotometry(item.entry->Ies);
}

FilterSubject SubjectOf(const CatalogItem& item)
{
    FilterSubject subject;
    if (item.entry) {
        const EntryTexts& t = item.entry->Texts;
        subject.texts = {t.fileName, item.caption, t.manufacturer, t.luminaire, t.lamp};
    } else {
        subject.texts = {item.caption};
    }
    subject.summary = item.summary ? &*item.summary : nullptr;
    return subject;
}

void Catalog::RebuildRows()
{
    rows_.clear();
    rows_.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (static_cast<int>(i) < folderCount_ || items_[i].shown)
            rows_.push_back(static_cast<int>(i));
}

int Catalog::RowOfSlot(int slot) const
{
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), slot);
    return found != rows_.end() && *found == slot ? static_cast<int>(found - rows_.begin()) : -1;
}

bool Catalog::Undecided(const CatalogItem& item) const
{
    if (filter_.IsEmpty() || !item.IsFile() || item.Examined())
        return false;
    const bool compares = std::any_of(filter_.terms.begin(), filter_.terms.end(),
                                      [](const FilterTerm& t) { return t.kind == FilterTerm::Kind::Comparison; });
    if (compares || HasKeywordTexts(*item.entry))
        return compares;
    // Words the name or caption already hold decide it; others may be in texts not read yet.
    return !FilterMatches(filter_, SubjectOf(item));
}

bool Catalog::Matches(const CatalogItem& item) const
{
    return filter_.IsEmpty() || FilterMatches(filter_, SubjectOf(item));
}

bool Catalog::SetFilter(LibraryFilter filter)
{
    filter_ = std::move(filter);
    return Refilter();
}

bool Catalog::Refilter()
{
    bool changed = false;
    for (std::size_t i = static_cast<std::size_t>(folderCount_); i < items_.size(); ++i) {
        CatalogItem& item = items_[i];
        const bool shown = !Undecided(item) && Matches(item);
        changed = changed || shown != item.shown;
        item.shown = shown;
    }
    if (changed)
        RebuildRows();
    return changed;
}

int Catalog::IndexOf(const TiesData* entry) const
{
    if (!entry)
        return -1;
    for (int i = folderCount_; i < Count(); ++i) {
        if (Item(i).entry.get() == entry)
            return i;
    }
    return -1;
}

void Catalog::ClearCatalog(CatalogFeedback& feedback)
{
    const int total = TotalCount();
    rows_.clear();
    feedback.ShowProgress(ProgressKind::Clearing, TotalFileCount());
    // Release from the end so that no item moves while the list shrinks.
    for (int done = 0; done < total; ++done) {
        items_.pop_back();
        if (done % 256 == 0)
            feedback.SetProgress(done);
    }
    feedback.HideProgress();
    folderCount_ = 0;
    hasUpEntry_ = false;
}

void Catalog::AddFolderEntry(std::string caption, QIcon icon)
{
    CatalogItem item{std::move(caption), std::move(icon), nullptr};
    items_.insert(items_.begin() + folderCount_, std::move(item));
    ++folderCount_;
    RebuildRows();
}

void Catalog::InsertUpEntry(std::string caption, QIcon icon)
{
    if (hasUpEntry_)
        return;
    items_.insert(items_.begin(), CatalogItem{std::move(caption), std::move(icon), nullptr});
    ++folderCount_;
    hasUpEntry_ = true;
    RebuildRows();
}

void Catalog::RemoveUpEntry()
{
    // Only ever the up entry: a subfolder at the head stays.
    if (!hasUpEntry_)
        return;
    items_.erase(items_.begin());
    --folderCount_;
    hasUpEntry_ = false;
    RebuildRows();
}

void Catalog::SetUpEntryCaption(std::string caption)
{
    if (hasUpEntry_)
        items_.front().caption = std::move(caption);
}

namespace {

// Below this many files a second thread costs more than it saves.
constexpr std::size_t kThreadedListing = 256;
// Names a worker takes at a time: few enough to share the work out evenly,
// enough that the shared counter is rarely touched.
constexpr std::size_t kNamesPerTake = 32;

ListedFile ListOne(const std::string& folder, const std::string& name, CaptionChoice choice)
{
    ListedFile listed;
    // The file may have gone, or turned into a folder, since the scan.
    std::optional<TiesData> entry = NewEntry(JoinPath(folder, name));
    if (!entry)
        return listed;
    listed.entry = std::make_unique<TiesData>(std::move(*entry));
    if (NeedsKeywords(choice)) {
        std::vector<ReadFault> faults;
        CaptionWithFaults(*listed.entry, folder, faults);
        if (!faults.empty())
            listed.fault = std::move(faults.front());
    }
    return listed;
}

}  // namespace

unsigned ReadingWorkers()
{
    return std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
}

std::vector<ListedFile> ListFiles(const std::string& folder, const std::vector<std::string>& names,
                                  CaptionChoice choice, unsigned workers)
{
    std::vector<ListedFile> listed(names.size());
    RunOnWorkers(names.size(), workers, kNamesPerTake, [&](std::size_t i) { listed[i] = ListOne(folder, names[i], choice); });
    return listed;
}

void LoadEntries(const std::vector<TiesData*>& entries, const std::string& folder, unsigned workers)
{
    // A whole record takes long enough that one file a take shares out best.
    RunOnWorkers(entries.size(), workers, 1, [&](std::size_t i) { (void)LoadEntry(*entries[i], folder); });
}

std::string Catalog::ListFolder(const std::string& folder, CaptionChoice choice, CatalogFeedback& feedback,
                                std::vector<ReadFault>& faults)
{
    const std::vector<std::string> names = MatchPhotometricFiles(folder);
    if (names.empty())
        return {};
    WaitScope wait(feedback);
    if (NeedsKeywords(choice))
        feedback.ShowProgress(ProgressKind::LoadingQuiet, FileCount());
    // Reading captions is waiting on the file system; by name only a stat each.
    const bool threaded = NeedsKeywords(choice) && names.size() >= kThreadedListing;
    const unsigned workers = threaded ? ReadingWorkers() : 1U;
    std::vector<ListedFile> listed = ListFiles(folder, names, choice, workers);
    items_.reserve(items_.size() + listed.size());
    for (ListedFile& file : listed) {
        if (!file.entry)
            continue;
        if (file.fault)
            faults.push_back(std::move(*file.fault));
        std::string caption = CaptionText(file.entry->Texts, choice);
        CatalogItem& item = items_.emplace_back(CatalogItem{std::move(caption), QIcon(), std::move(file.entry)});
        item.shown = !Undecided(item) && Matches(item);
    }
    RebuildRows();
    feedback.HideProgress();
    return JoinPath(folder, names.front());
}

template <class Less>
std::vector<int> Catalog::SortFiles(const Less& less, CatalogFeedback& feedback)
{
    if (TotalFileCount() <= 0)
        return {};
    feedback.ShowProgress(ProgressKind::Sorting, TotalFileCount());
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    int progress = 0;
    std::stable_sort(order.begin() + folderCount_, order.end(), [&](int a, int b) {
        const int reached = std::max(a, b);
        if (reached > progress) {
            progress = reached;
            feedback.SetProgress(progress);
        }
        return less(a, b);
    });
    std::vector<CatalogItem> sorted;
    sorted.reserve(items_.size());
    for (const int from : order)
        sorted.push_back(std::move(items_[static_cast<std::size_t>(from)]));
    items_ = std::move(sorted);
    // The shown entries stay the same ones; only their order changes.
    std::vector<int> oldShownOfSlot(items_.size(), -1);
    for (std::size_t row = 0; row < rows_.size(); ++row)
        oldShownOfSlot[static_cast<std::size_t>(rows_[row])] = static_cast<int>(row);
    RebuildRows();
    std::vector<int> oldIndexOfNew(rows_.size());
    for (std::size_t row = 0; row < rows_.size(); ++row)
        oldIndexOfNew[row] = oldShownOfSlot[static_cast<std::size_t>(order[static_cast<std::size_t>(rows_[row])])];
    feedback.HideProgress();
    return oldIndexOfNew;
}

std::vector<int> Catalog::SortCatalog(CatalogFeedback& feedback)
{
    return SortFiles(
        [this](int a, int b) { return CompareCaptions(AnyItem(a).caption, AnyItem(b).caption) < 0; }, feedback);
}

std::vector<int> Catalog::SortByColumn(DetailColumn column, bool descending, CatalogFeedback& feedback)
{
    const auto captionOrder = [this](int a, int b) { return CompareCaptions(AnyItem(a).caption, AnyItem(b).caption) < 0; };
    if (InfoOf(column).numeric) {
        // Each value taken once: a sort compares every entry many times.
        std::vector<std::optional<double>> values(items_.size());
        for (std::size_t slot = static_cast<std::size_t>(folderCount_); slot < items_.size(); ++slot)
            if (const CatalogItem& item = items_[slot]; item.summary)
                if (const std::optional<double> value = DetailValue(column, *item.summary); value && std::isfinite(*value))
                    values[slot] = value;
        return SortFiles(
            [&](int a, int b) {
                const std::optional<double>& va = values[static_cast<std::size_t>(a)];
                const std::optional<double>& vb = values[static_cast<std::size_t>(b)];
                if (!va || !vb)
                    return va.has_value() || (!vb && captionOrder(a, b));
                if (*va != *vb)
                    return descending ? *vb < *va : *va < *vb;
                return captionOrder(a, b);
            },
            feedback);
    }
    const auto summary = [](const CatalogItem& item) { return item.summary ? &*item.summary : nullptr; };
    return SortFiles(
        [&](int slotA, int slotB) {
            const CatalogItem& a = AnyItem(slotA);
            const CatalogItem& b = AnyItem(slotB);
            const int order = CompareDetails(column, descending, a.caption, a.entry->Texts, summary(a), b.caption,
                                             b.entry->Texts, summary(b));
            if (order != 0)
                return order < 0;
            return captionOrder(slotA, slotB);
        },
        feedback);
}

bool Catalog::ProbesUnread(CaptionChoice choice) const
{
    const int last = Count() - 1;
    if (!(folderCount_ < last && NeedsKeywords(choice)))
        return false;
    const int probes[] = {folderCount_, last, std::max(folderCount_, last - folderCount_)};
    return std::any_of(std::begin(probes), std::end(probes),
                       [&](int i) { return !HasKeywordTexts(*Item(i).entry); });
}

void Catalog::Recaption(CaptionChoice choice, const std::string& folder, CatalogFeedback& feedback,
                        std::vector<ReadFault>& faults)
{
    // Hidden entries too: the filter may let them back.
    for (int i = folderCount_; i < TotalCount(); ++i) {
        TiesData& entry = *AnyItem(i).entry;
        if (NeedsKeywords(choice) && !HasKeywordTexts(entry)) {
            feedback.SetProgress(i);
            CaptionWithFaults(entry, folder, faults);
        }
        AnyItem(i).caption = CaptionText(entry.Texts, choice);
    }
}

void Catalog::AddFileEntry(TiesData entry, CaptionChoice choice)
{
    // Shown whatever the filter says: the user has just made it.
    std::string caption = CaptionText(entry.Texts, choice);
    items_.push_back(CatalogItem{std::move(caption), QIcon(), std::make_unique<TiesData>(std::move(entry))});
    RebuildRows();
}

void Catalog::RemoveFileEntry(int index)
{
    if (index < folderCount_ || index >= Count())
        return;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Slot(index)));
    RebuildRows();
}

int Catalog::FindFileEntry(const std::string& fileName) const
{
    for (int i = folderCount_; i < Count(); ++i) {
        if (Item(i).entry->Texts.fileName == fileName)
            return i;
    }
    return -1;
}

std::vector<ReadFault> ExamineEntries(Catalog& catalog, const std::string& folder, unsigned workers)
{
    std::vector<CatalogItem*> items;
    for (int slot = catalog.FolderCount(); slot < catalog.TotalCount(); ++slot)
        items.push_back(&catalog.AnyItem(slot));
    std::vector<std::optional<ReadFault>> found(items.size());
    RunOnWorkers(items.size(), workers, 1, [&](std::size_t i) {
        CatalogItem& item = *items[i];
        TiesData& entry = *item.entry;
        const bool wasLoaded = entry.Loaded;
        const LoadResult result = LoadEntry(entry, folder);
        if (!entry.Loaded) {
            item.readFailed = true;
            found[i] = ReadFault{entry.Texts.fileName, result.error, false};
            return;
        }
        NoteSummary(item);
        if (!wasLoaded) {
            entry.Ies = tIES{};
            entry.Loaded = false;
        }
    });
    std::vector<ReadFault> faults;
    for (std::optional<ReadFault>& fault : found)
        if (fault)
            faults.push_back(std::move(*fault));
    return faults;
}
