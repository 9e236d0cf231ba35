#include "engine/colFiles_Vantor.h"

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

#include "text/AsciiCase.h"

namespace sigillo {

namespace {

// Windows file-name patterns: "*" any run, "?" one character, case ignored;
// "*.*" matches every name, dotted or not.
bool matchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || text::lowerAscii(pattern[p]) == text::lowerAscii(name[n]))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

struct DirEntry {
    std::string name;
    bool directory;
};

// The entries of a folder in name order, as an NTFS listing gives them.
// Symbolic links to folders are left out: following them could loop.
std::vector<DirEntry> listFolder(const std::string& folder) {
    std::vector<DirEntry> entries;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        return entries;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        const std::string full = folder + name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0) {
            continue;
        }
        if (S_ISLNK(st.st_mode)) {
            struct stat target {};
            if (::stat(full.c_str(), &target) != 0 || S_ISDIR(target.st_mode)) {
                continue;
            }
            st = target;
        }
        entries.push_back({name, S_ISDIR(st.st_mode)});
    }
    ::closedir(dir);
    // NTFS orders names by their upper-case form; equal folds keep a fixed order.
    auto upperLess = [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(text::upperAscii(x)) <
                   static_cast<unsigned char>(text::upperAscii(y));
        });
    };
    std::sort(entries.begin(), entries.end(), [&](const DirEntry& a, const DirEntry& b) {
        return upperLess(a.name, b.name) || (!upperLess(b.name, a.name) && a.name < b.name);
    });
    return entries;
}

} // namespace

void colFiles_Vantor::LoadFiles(std::string sFileSpec, bool bRecursive, ProgressBar* progress) {
    if (++depth_ == 1) {
        items_.clear();
    }
    const size_t sep = sFileSpec.find_last_of("/\\");
    const std::string folder = sep == std::string::npos ? std::string{} : sFileSpec.substr(0, sep + 1);
    const std::string pattern = sep == std::string::npos ? sFileSpec : sFileSpec.substr(sep + 1);
    const std::vector<DirEntry> entries = listFolder(folder);

    if (progress) {
        const auto matching = std::count_if(entries.begin(), entries.end(), [&](const DirEntry& e) {
            return matchesPattern(e.name, pattern);
        });
        progress->setMin(0);
        progress->setValue(0);
        progress->setMax(static_cast<int>(matching) + 1);
    }
    if (bRecursive) {
        for (const auto& e : entries) {
            if (e.directory && e.name != "." && e.name != "..") {
                LoadFiles(folder + e.name + "/" + pattern, bRecursive, progress);
            }
        }
    }
    for (const auto& e : entries) {
        if (!e.directory && matchesPattern(e.name, pattern)) {
            append(folder + e.name);
            if (progress) {
                progress->setValue(progress->value() + 1);
                progress->refresh();
            }
        }
    }
    --depth_;
}

void colFiles_Vantor::append(std::string fileName) {
    items_.push_back(Entry{std::make_unique<clsFile_Vantor>(std::move(fileName)), {}});
}

void colFiles_Vantor::Clear() {
    items_.clear();
}

clsFile_Vantor* colFiles_Vantor::Add(std::string sFileName, const std::string& sKey) {
    const std::string key = sKey.empty() ? sFileName : sKey;
    if (Item(key)) {
        return nullptr;
    }
    items_.push_back(Entry{std::make_unique<clsFile_Vantor>(std::move(sFileName)), key});
    return items_.back().file.get();
}

clsFile_Vantor* colFiles_Vantor::Item(long index) {
    if (index < 1 || index > Count()) {
        return nullptr;
    }
    return items_[static_cast<size_t>(index - 1)].file.get();
}

clsFile_Vantor* colFiles_Vantor::Item(const std::string& key) {
    for (const auto& e : items_) {
        if (!e.key.empty() && text::equalsNoCase(e.key, key)) {
            return e.file.get();
        }
    }
    return nullptr;
}

void colFiles_Vantor::Remove(long index) {
    if (index >= 1 && index <= Count()) {
        items_.erase(items_.begin() + (index - 1));
    }
}

void colFiles_Vantor::Remove(const std::string& key) {
    std::erase_if(items_, [&](const Entry& e) { return !e.key.empty() && text::equalsNoCase(e.key, key); });
}

std::vector<clsFile_Vantor*> colFiles_Vantor::NewEnum() const {
    std::vector<clsFile_Vantor*> files;
    files.reserve(items_.size());
    for (const auto& e : items_) {
        files.push_back(e.file.get());
    }
    return files;
}

} // namespace sigillo
