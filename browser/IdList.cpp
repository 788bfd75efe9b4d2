#include "IdList.h"

std::size_t IdListSize(const std::optional<IdList>& list)
{
    if (!list)
        return 0;
    std::size_t size = 2;
    for (const ItemId& item : list->Items())
        size += item.size() + 2;
    return size;
}

IdList CopyIdList(const IdList& list)
{
    return list;
}

IdList ConcatIdList(const std::optional<IdList>& a, const IdList& b)
{
    IdList result = a ? *a : IdList();
    for (const ItemId& item : b.Items())
        result.Append(item);
    return result;
}

void StripLastId(IdList& list)
{
    if (list.IsEmpty())
        return;
    std::vector<ItemId> items = list.Items();
    items.pop_back();
    list = IdList(std::move(items));
}
