#include "coloring/CPictureKeeper.h"

#include "models/CGlimImage.h"
#include "models/CGlimScrapbook.h"

int CPictureKeeper::FindEntry(CGlimImage* picture) const {
    const auto found = m_entries.find(picture);
    return found == m_entries.end() ? -1 : FindEntryNamed(found->second);
}

int CPictureKeeper::FindEntryNamed(const std::string& name) const {
    if (m_scrapbook == nullptr || name.empty()) return -1;
    for (int i = 0; i < m_scrapbook->GetCount(); ++i) {
        if (m_scrapbook->GetEntryName(i) == name) return i;
    }
    return -1;
}

std::string CPictureKeeper::EntryNameOf(CGlimImage* picture) const {
    const int entry = FindEntry(picture);
    return entry >= 0 ? m_scrapbook->GetEntryName(entry) : "";
}

CPictureKeeper::Result CPictureKeeper::Save(CGlimImage* picture, CGlimBook* book) {
    if (m_scrapbook == nullptr || picture == nullptr || book == nullptr) return Result::Failed;
    const int existing = FindEntry(picture);
    if (existing >= 0) {
        return m_scrapbook->UpdateEntry(existing, picture) ? Result::Saved : Result::Failed;
    }
    const int added = m_scrapbook->AddEntry(picture, book);
    if (added == CGlimScrapbook::kScrapbookFull) return Result::Full;
    if (added < 0) return Result::Failed;
    m_entries[picture] = m_scrapbook->GetEntryName(added);
    return Result::Saved;
}

void CPictureKeeper::Remember(CGlimImage* picture, int entryIndex) {
    if (m_scrapbook == nullptr || picture == nullptr) return;
    const std::string name = m_scrapbook->GetEntryName(entryIndex);
    if (!name.empty()) m_entries[picture] = name;
}

bool CPictureKeeper::Restore(CGlimImage* picture) {
    const int entry = FindEntry(picture);
    if (entry < 0) return false;
    return picture->SetSavedFiles(m_scrapbook->GetEntrySavedFile(entry),
                                  m_scrapbook->GetEntryThumbnailFile(entry));
}
