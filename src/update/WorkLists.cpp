#include "update/WorkLists.h"

namespace zu {

int UploadItemList::addUnique(std::unique_ptr<UploadItem> item) {
    for (const auto& existing : items_)
        if (existing->localPath == item->localPath) return -1;
    items_.push_back(std::move(item));
    return static_cast<int>(items_.size()) - 1;
}

}  // namespace zu
