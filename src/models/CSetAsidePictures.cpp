#include "models/CSetAsidePictures.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/files/CDataFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSlotPrefix = "picture";

std::string FolderWithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

CSetAsidePictures::CSetAsidePictures(std::string folder)
    : m_folder(FolderWithSlash(std::move(folder))) {}

void CSetAsidePictures::SetFolder(std::string folder) {
    m_folder = FolderWithSlash(std::move(folder));
    m_slots.clear();
}

void CSetAsidePictures::Load() {
    m_slots.clear();
    if (m_folder.empty()) return;
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(CDataFolders::ForWriting(m_folder), error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kSlotPrefix, 0) == 0 && entry.is_directory(error)) names.push_back(name);
    }
    // Oldest first: the names count up.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        CPictureSlot slot(m_folder + name);
        if (slot.HoldsCanvas()) m_slots.push_back(std::move(slot));
    }
}

bool CSetAsidePictures::Get(int index, CPictureSlot::Label& label, std::string& canvasPath) const {
    if (index < 0 || index >= GetCount()) return false;
    return m_slots[static_cast<std::size_t>(index)].Read(label, canvasPath) && !canvasPath.empty();
}

std::string CSetAsidePictures::NewSlotFolder() const {
    for (int number = 1;; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "%s%04d", kSlotPrefix, number);
        struct stat status {};
        if (::lstat(CDataFolders::ForWriting(m_folder + name).c_str(), &status) != 0)
            return m_folder + name;
    }
}

bool CSetAsidePictures::Take(CPictureSlot& slot) {
    if (m_folder.empty() || !slot.HoldsCanvas()) return false;
    const std::string folder = NewSlotFolder();
    if (!slot.MoveTo(folder)) return false;
    m_slots.emplace_back(folder);
    return true;
}

void CSetAsidePictures::Remove(int index) {
    if (index < 0 || index >= GetCount()) return;
    m_slots[static_cast<std::size_t>(index)].Clear();
    m_slots.erase(m_slots.begin() + index);
}
