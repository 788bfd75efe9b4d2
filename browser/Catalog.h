#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QIcon>

#include "browser/CatalogFeedback.h"
#include "browser/DetailColumns.h"
#include "browser/LibraryFilter.h"
#include "photometry/EntryTexts.h"
#include "photometry/IesRecord.h"
#include "photometry/PhotometricSummary.h"

// One item of the file list: a folder entry (no catalog entry) or a file entry.
struct CatalogItem {
    std::string caption;  // bytes as found in the file system or the file header
    QIcon folderIcon;     // folder entries only
    std::unique_ptr<TiesData> entry;
    // The record's summary, made once when the record is first read, so no
    // file is summarised twice; the details view and the filter read it.
    std::optional<PhotometricSummary> summary{};
    bool readFailed{false};  // a whole read was tried and the file did not read
    bool shown{true};        // the filter lets it through
    [[nodiscard]] bool IsFile() const { return entry != nullptr; }
    // Whether a whole read has been tried: the summary or the failure is known.
    [[nodiscard]] bool Examined() const { return summary.has_value() || readFailed; }
};

// Summarises a loaded entry's record into its item, once.
void NoteSummary(CatalogItem& item);

// A file that could not be read, or was read with a header fault.
struct ReadFault {
    std::string fileName;
    std::string message;
    bool headerFault = false;
};

// One listed file: its entry (none when the file went or became a folder
// since the scan) and the fault its caption read met, if any.
struct ListedFile {
    std::unique_ptr<TiesData> entry;
    std::optional<ReadFault> fault;
};

// Makes the entries of `names` in `folder`, reading each file's caption when
// `choice` needs one, on up to `workers` threads. The result is in the order
// of `names` and the same whatever the number of workers.
[[nodiscard]] std::vector<ListedFile> ListFiles(const std::string& folder, const std::vector<std::string>& names,
                                                CaptionChoice choice, unsigned workers);

// Reads the records of `entries` (distinct entries of one folder) on up to
// `workers` threads, as LoadEntry reads each; what a file's read met stays
// for whoever selects the entry to find out.
void LoadEntries(const std::vector<TiesData*>& entries, const std::string& folder, unsigned workers);

class Catalog;

// Reads every file entry of `catalog` (shown or hidden) whole from `folder`
// on up to `workers` threads and keeps its summary, dropping the record (the
// entry stays captioned), so a large folder costs no candela matrices. A file
// that does not read is marked and its fault returned, in list order.
[[nodiscard]] std::vector<ReadFault> ExamineEntries(Catalog& catalog, const std::string& folder, unsigned workers);

// How many threads reading files may use: the machine's cores, at most 8.
[[nodiscard]] unsigned ReadingWorkers();

// Orders captions by their bytes with a-z read as A-Z and no locale rules;
// a caption that begins another sorts first. Negative, zero or positive.
[[nodiscard]] int CompareCaptions(const std::string& a, const std::string& b);

// The names of photometric files (IsPhotometricName) in `folder`, in the
// file system's order; folders and entries that cannot be examined are left out.
[[nodiscard]] std::vector<std::string> MatchPhotometricFiles(const std::string& folder);

// The caption of the up entry for the style chooser's text and the shown
// folder's name: ".." for ".. only", else Up to 'Lamps'.
[[nodiscard]] std::string UpEntryCaption(const std::string& styleText, const std::string& folderName);

// The items of the file list: folder entries first (FolderCount of them),
// then file entries. Work is done without any window.
//
// A filter hides file entries: indexes (Count, Item, ...) count the entries
// shown, in order; the hidden ones stay in the catalog and come back when
// the filter lets them. Folder entries are never hidden.
class Catalog {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] int FolderCount() const { return folderCount_; }
    [[nodiscard]] int FileCount() const { return Count() - folderCount_; }
    [[nodiscard]] const CatalogItem& Item(int index) const { return items_[Slot(index)]; }
    [[nodiscard]] CatalogItem& Item(int index) { return items_[Slot(index)]; }
    // Every file entry, shown or hidden.
    [[nodiscard]] int TotalFileCount() const { return static_cast<int>(items_.size()) - folderCount_; }
    [[nodiscard]] int TotalCount() const { return static_cast<int>(items_.size()); }
    // Any item, shown or hidden, by its place in the whole list.
    [[nodiscard]] const CatalogItem& AnyItem(int slot) const { return items_[static_cast<std::size_t>(slot)]; }
    [[nodiscard]] CatalogItem& AnyItem(int slot) { return items_[static_cast<std::size_t>(slot)]; }
    // The shown index of the item at `slot`, or -1 when it is hidden.
    [[nodiscard]] int RowOfSlot(int slot) const;

    // The filter. Entries it cannot decide yet (a comparison on an entry not
    // yet read whole, or words its name and caption do not hold while its
    // texts are unread) are hidden until they are read.
    // SetFilter and Refilter return whether the shown entries changed.
    bool SetFilter(LibraryFilter filter);
    bool Refilter();
    [[nodiscard]] const LibraryFilter& Filter() const { return filter_; }
    // Whether the filter needs `item` read whole before it can decide.
    [[nodiscard]] bool Undecided(const CatalogItem& item) const;
    [[nodiscard]] bool Matches(const CatalogItem& item) const;
    [[nodiscard]] bool HasUpEntry() const { return hasUpEntry_; }
    // The index of the item holding `entry`, or -1.
    [[nodiscard]] int IndexOf(const TiesData* entry) const;

    // Empties the list, showing the clearing panel while it works.
    void ClearCatalog(CatalogFeedback& feedback);

    // Folder entries are added after clearing and before listing.
    void AddFolderEntry(std::string caption, QIcon icon);
    void InsertUpEntry(std::string caption, QIcon icon);
    void RemoveUpEntry();
    void SetUpEntryCaption(std::string caption);

    // Appends a file entry per photometric file of `folder` (ending in "/").
    // Files are read only when `choice` needs a keyword, and then only as far
    // as the caption needs (entries are captioned, not loaded); files that
    // cannot be read keep their name as caption and land in `faults`. Returns the
    // path of the first match, empty when nothing matched.
    std::string ListFolder(const std::string& folder, CaptionChoice choice, CatalogFeedback& feedback,
                           std::vector<ReadFault>& faults);

    // Sorts the file entries by caption; folder entries stay in place.
    // Returns the old index of each new position (empty when nothing moved).
    std::vector<int> SortCatalog(CatalogFeedback& feedback);
    // The same by a details column, empty cells last in both directions and
    // equal cells by caption.
    std::vector<int> SortByColumn(DetailColumn column, bool descending, CatalogFeedback& feedback);

    // Whether changing to `choice` must show the loading panel: some of the
    // three probe entries is unread.
    [[nodiscard]] bool ProbesUnread(CaptionChoice choice) const;

    // Gives every file entry the caption of `choice`, reading the texts of
    // unread ones from `folder` when the choice needs a keyword.
    void Recaption(CaptionChoice choice, const std::string& folder, CatalogFeedback& feedback,
                   std::vector<ReadFault>& faults);

    // Appends one file entry for an existing file (a converted file, say).
    void AddFileEntry(TiesData entry, CaptionChoice choice);
    // Removes a file entry; folder entries stay.
    void RemoveFileEntry(int index);
    // The first file entry named `fileName` exactly (case-sensitive), or -1.
    [[nodiscard]] int FindFileEntry(const std::string& fileName) const;

private:
    [[nodiscard]] std::size_t Slot(int index) const { return static_cast<std::size_t>(rows_[static_cast<std::size_t>(index)]); }
    // Sorts the file entries of the whole list by `less` (a strict order on
    // their places in it) and returns the old shown index of each new shown position.
    template <class Less>
    std::vector<int> SortFiles(const Less& less, CatalogFeedback& feedback);
    // Rebuilds the shown indexes from the items' flags.
    void RebuildRows();

    std::vector<CatalogItem> items_;  // the whole list
    std::vector<int> rows_;           // the shown items' places in it
    int folderCount_ = 0;
    bool hasUpEntry_ = false;
    LibraryFilter filter_;
};

// What the filter reads of an item: the file name, the caption and the keyword texts.
[[nodiscard]] FilterSubject SubjectOf(const CatalogItem& item);

// Reads only the texts a caption needs from `folder` (the entry becomes
// captioned), noting a failure or a header fault.
void CaptionWithFaults(TiesData& entry, const std::string& folder, std::vector<ReadFault>& faults);
