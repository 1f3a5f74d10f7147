#pragma once
// The records of an update run and the two work lists the control keeps for it.
//
// Keeping runs apart: the lists own their entries. `Update` empties the setup list
// before it appends the entries of the new run, so a later run never reaches an earlier
// run's setups (handled, failed or never reached). The upload phase takes each upload
// item out of the list once it has been tried, so a file is offered to at most one run;
// items that no run has tried yet (uploads not allowed) stay for a later run.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zu {

struct SetupItem {
    virtual ~SetupItem() = default;
    std::string fileName;
    std::string localPath;
    std::string url;
    std::int32_t sizeKb = 0;
    std::string args;
};

struct UploadItem {
    virtual ~UploadItem() = default;
    std::int32_t sizeKb = 0;
    std::string localPath;
    std::string targetUrl;
};

template <class Item>
class WorkList {
public:
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    Item& at(std::size_t index) const { return *items_.at(index); }
    void append(std::unique_ptr<Item> item) { items_.push_back(std::move(item)); }
    void clear() { items_.clear(); }
    // Takes the first `count` entries out of the list (the ones a phase has consumed).
    void dropFront(std::size_t count) {
        items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(std::min(count, items_.size())));
    }

protected:
    std::vector<std::unique_ptr<Item>> items_;
};

using SetupItemList = WorkList<SetupItem>;

class UploadItemList : public WorkList<UploadItem> {
public:
    // Appends the item unless an entry with the same localPath (byte-exact) exists.
    // Returns the new index, or -1 (the item is then discarded).
    int addUnique(std::unique_ptr<UploadItem> item);
};

// One run: what the progress dialog is given. Owns its text only.
class UpdateJob {
public:
    explicit UpdateJob(std::string productName) : productName(std::move(productName)) {}
    virtual ~UpdateJob() = default;

    std::string productName;
    UploadItemList* uploadItems = nullptr;  // set only when uploads run
    SetupItemList* setupItems = nullptr;
};

}  // namespace zu
