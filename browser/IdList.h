#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One item of an id list: opaque bytes, here a root folder's path or a
// folder name exactly as the file system spells it (not necessarily UTF-8).
using ItemId = std::string;

// An id list: the items leading from the desktop root to a namespace item.
// The empty list stands for the desktop root itself. A value type: copies
// are independent and nothing needs freeing.
class IdList {
public:
    IdList() = default;
    explicit IdList(std::vector<ItemId> items) : items_(std::move(items)) {}

    [[nodiscard]] const std::vector<ItemId>& Items() const { return items_; }
    [[nodiscard]] bool IsEmpty() const { return items_.empty(); }
    [[nodiscard]] std::size_t Count() const { return items_.size(); }
    [[nodiscard]] const ItemId& Last() const { return items_.back(); }
    void Append(ItemId item) { items_.push_back(std::move(item)); }

    friend bool operator==(const IdList&, const IdList&) = default;

private:
    std::vector<ItemId> items_;
};

// The list's size in its serialised form: each item takes its bytes plus a
// two-byte count, the terminator two more; 0 for no list.
[[nodiscard]] std::size_t IdListSize(const std::optional<IdList>& list);

// An independent copy of the list.
[[nodiscard]] IdList CopyIdList(const IdList& list);

// `a` followed by the items of `b`; with no `a` a copy of `b`.
[[nodiscard]] IdList ConcatIdList(const std::optional<IdList>& a, const IdList& b);

// Drops the list's last item in place; the empty list stays unchanged.
void StripLastId(IdList& list);
