// A keyed, ordered collection of files that fills itself from a file-name
// pattern ("folder/*.*"), optionally descending into subfolders first.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/clsFile_Vantor.h"

namespace sigillo {

// The progress bar that LoadFiles may drive: only its range, value and repaint are used.
class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    virtual void setMin(int v) = 0;
    virtual void setMax(int v) = 0;
    virtual void setValue(int v) = 0;
    virtual int value() const = 0;
    virtual void refresh() {}
};

class colFiles_Vantor {
public:
    // Fills the collection from sFileSpec (a folder, "/" or "\", then a
    // pattern with * and ?). With bRecursive, every subfolder's files come
    // before the folder's own. An outermost call replaces the old contents.
    void LoadFiles(std::string sFileSpec, bool bRecursive, ProgressBar* progress = nullptr);
    void Clear();
    // Adds under sKey, or under sFileName when sKey is empty; a key already
    // present adds nothing and gives nullptr.
    clsFile_Vantor* Add(std::string sFileName, const std::string& sKey = {});
    // 1-based position; nullptr when out of range.
    clsFile_Vantor* Item(long index);
    clsFile_Vantor* Item(const std::string& key);
    long Count() const { return static_cast<long>(items_.size()); }
    void Remove(long index);
    void Remove(const std::string& key);

    // The files in collection order.
    std::vector<clsFile_Vantor*> NewEnum() const;

private:
    struct Entry {
        std::unique_ptr<clsFile_Vantor> file;
        std::string key; // empty when added without one
    };
    void append(std::string fileName);

    std::vector<Entry> items_;
    int32_t depth_ = 0;
};

} // namespace sigillo
