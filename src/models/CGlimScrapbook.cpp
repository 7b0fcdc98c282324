#include "models/CGlimScrapbook.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "imaging/CDib.h"
#include "models/CContentText.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/CLayerView.h"
#include "models/CPictureExport.h"
#include "models/CScrapbookIndex.h"
#include "models/CScrapbookTidy.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"
#include "platform/files/CFile.h"

namespace {

constexpr const char* kSavedName = "saved.bmp";
constexpr const char* kThumbnailName = "thumb.bmp";

// The rest of `line` after the first occurrence of `key`, or false when it does not occur.
bool ValueOf(const std::string& line, const std::string& key, std::string& value) {
    const std::size_t found = line.find(key);
    if (found == std::string::npos) return false;
    value = line.substr(found + key.size());
    return true;
}

std::string FolderWithSlash(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// A name that stays inside the folder it is joined to.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return lstat(CDataFolders::ForReading(path).c_str(), &status) == 0;
}

// Removes the user's copy of a file; a shared copy cannot be removed.
void RemoveFile(const std::string& path) {
    unlink(CDataFolders::ForWriting(path).c_str());
}

bool IsLink(const std::string& path) {
    struct stat status {};
    return lstat(CDataFolders::ForReading(path).c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

bool SavePicture(const CDib& picture, const std::string& path) {
    CAtomicFile file;
    return file.Open(path) && picture.Write(file) && file.Commit();
}

CLayerView ViewOf(CDib& picture) {
    if (!picture.IsValid()) return {};
    return CLayerView(&picture.GetHeader()->bmiHeader, picture.GetBits(), picture.GetImageSize());
}

// Averages each block of the canvas into one thumbnail pixel.
bool MakeThumbnail(CDib& canvas, CSize size, CDib& thumbnail) {
    const CLayerView source = ViewOf(canvas);
    if (!source.IsValid() || size.cx <= 0 || size.cy <= 0) return false;
    if (!thumbnail.Create(size.cx, size.cy, 24)) return false;
    const CLayerView target = ViewOf(thumbnail);
    if (!target.IsValid()) return false;
    for (int ty = 0; ty < size.cy; ++ty) {
        const int top = static_cast<int>(static_cast<long long>(ty) * source.Height() / size.cy);
        const int bottom = std::max(
            top + 1, static_cast<int>(static_cast<long long>(ty + 1) * source.Height() / size.cy));
        for (int tx = 0; tx < size.cx; ++tx) {
            const int left =
                static_cast<int>(static_cast<long long>(tx) * source.Width() / size.cx);
            const int right = std::max(left + 1, static_cast<int>(static_cast<long long>(tx + 1) *
                                                                  source.Width() / size.cx));
            long long sum[3] = {0, 0, 0};
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    for (int c = 0; c < 3; ++c) sum[c] += source.At(x, y)[c];
            const long long count = static_cast<long long>(bottom - top) * (right - left);
            BYTE* pixel = target.At(tx, ty);
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<BYTE>(sum[c] / count);
        }
    }
    return true;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
    return text;
}

CSize ThumbnailSize(CGlimImage& picture, CSize canvas) {
    const CSize shipped = picture.GetShippedThumbnailSize();
    if (shipped.cx > 0 && shipped.cy > 0) return shipped;
    return {std::max(canvas.cx / 4, 1), std::max(canvas.cy / 4, 1)};
}

}  // namespace

// ---------------------------------------------------------------- loading

bool CGlimScrapbook::CreateIndex() {
    struct stat status {};
    if (stat(CDataFolders::ForReading(m_scrapbookFolder).c_str(), &status) != 0 &&
        mkdir(CDataFolders::ForWriting(m_scrapbookFolder).c_str(), 0755) != 0)
        return false;
    return CAtomicFile::WriteAll(IndexPath(), CScrapbookIndex::NewIndex());
}

bool CGlimScrapbook::Load(const std::string& folder, const std::string& indexFile) {
    Select(-1);
    m_entries = {};
    m_entryCount = 0;
    m_held.clear();
    m_scrapbookName.clear();
    m_scrapbookFolder = FolderWithSlash(folder);
    m_indexFileName = indexFile;
    if (!Exists(IndexPath()) && !CreateIndex()) return false;
    std::string text;
    if (!CContentText::Read(IndexPath(), text)) return false;
    CScrapbookIndex index;
    index.Parse(text);
    m_scrapbookName = index.GetName();
    std::vector<std::string> problems = index.GetProblems();
    ReadEntries(index.GetEntryNames(), problems);
    if (!problems.empty()) RepairIndex(problems);
    TidyFolder(problems.empty());
    return true;
}

// Reads the entries `names` lists, up to the limit; an entry without its entry file or
// saved picture is left out.
void CGlimScrapbook::ReadEntries(const std::vector<std::string>& names,
                                 std::vector<std::string>& problems) {
    int overLimit = 0, noEntryFile = 0, noPicture = 0;
    for (const std::string& name : names) {
        if (m_entryCount >= kMaxEntries) {
            ++overLimit;
            continue;
        }
        Entry& slot = m_entries[m_entryCount];
        if (!ReadEntry(name, slot)) {
            ++noEntryFile;
        } else if (slot.savedName.empty() || !Exists(slot.savedFile)) {
            ++noPicture;
        } else {
            ++m_entryCount;
            continue;
        }
        slot = {};
    }
    CScrapbookIndex::Note(problems, overLimit, "entry(ies) over the limit of 70");
    CScrapbookIndex::Note(problems, noEntryFile, "entry(ies) without their entry file");
    CScrapbookIndex::Note(problems, noPicture, "entry(ies) without their saved picture");
}

// Keeps the damaged index beside it and rewrites it listing the entries that were read;
// when the copy cannot be made, the index is left as it is.
void CGlimScrapbook::RepairIndex(const std::vector<std::string>& problems) {
    const std::string copy = IndexPath() + kDamagedSuffix;
    std::string raw;
    const bool copied = CFile::ReadWholeFile(IndexPath(), raw) && CAtomicFile::WriteAll(copy, raw);
    const bool rewritten =
        copied && CAtomicFile::WriteAll(IndexPath(),
                                        CScrapbookIndex::Compose(m_scrapbookName, ListedNames()));
    const std::string outcome =
        rewritten ? "the index was rewritten with the entries that could be read (" +
                        std::to_string(m_entryCount) + ") and the damaged one kept as " + copy
                  : "the entries that could be read are shown, but the index could not be "
                    "rewritten";
    CContentReport::Report(IndexPath(),
                           "the scrapbook index is damaged (" + Joined(problems) + "); " + outcome);
}

// Removes what cut-short saves and throw-aways left and lists complete entries again.
void CGlimScrapbook::TidyFolder(bool indexWasSound) {
    CScrapbookTidy tidy(m_scrapbookFolder, [this](const std::string& name) {
        Entry entry;
        CScrapbookTidy::EntryFiles files;
        files.described = ReadEntry(name, entry);
        files.saved = files.described ? entry.savedName : kSavedName;
        files.thumbnail = files.described ? entry.thumbnailName : kThumbnailName;
        return files;
    });
    AdoptEntries(tidy.Tidy(ListedNames(), indexWasSound));
    if (CPictureExport::IsActive()) CAtomicFile::RemoveLeftovers(CPictureExport::Folder());
}

void CGlimScrapbook::AdoptEntries(const std::vector<std::string>& names) {
    int noRoom = 0;
    for (const std::string& name : names) {
        if (m_entryCount >= kMaxEntries) {
            ++noRoom;
            continue;
        }
        Entry& slot = m_entries[m_entryCount];
        if (!ReadEntry(name, slot) || !AppendIndexLine(name)) {
            slot = {};
            continue;
        }
        ++m_entryCount;
        CContentReport::Report(EntryFolder(name),
                               "a complete scrapbook entry the index did not "
                               "list; it was listed again");
    }
    if (noRoom > 0)
        CContentReport::Report(m_scrapbookFolder, std::to_string(noRoom) +
                                                      " complete entry folder(s) the index "
                                                      "does not list; the scrapbook is full, "
                                                      "so they were left as they are");
}

std::vector<std::string> CGlimScrapbook::ListedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_entryCount; ++i) names.push_back(m_entries[i].name);
    for (const Entry& entry : m_held) names.push_back(entry.name);
    return names;
}

std::string CGlimScrapbook::EntryFolder(const std::string& name) const {
    return m_scrapbookFolder + name + "/";
}

bool CGlimScrapbook::ReadEntry(const std::string& name, Entry& entry) const {
    std::string text;
    if (!CContentText::Read(EntryFolder(name) + name + ".txt", text)) return false;
    entry = {};
    entry.name = name;
    for (const std::string& line : CContentText::Lines(text)) {
        std::string value;
        if (ValueOf(line, "imagename=", value))
            entry.imageName = value;
        else if (ValueOf(line, "book=", value))
            entry.bookName = value;
        else if (ValueOf(line, "image=", value))
            entry.imageKey = value;
        else if (ValueOf(line, "saved=", value))
            entry.savedName = value;
        else if (ValueOf(line, "tn=", value))
            entry.thumbnailName = value;
        else if (ValueOf(line, "png=", value))
            entry.pngName = value;
    }
    entry.savedFile = EntryFolder(name) + entry.savedName;
    entry.thumbnailFile = EntryFolder(name) + entry.thumbnailName;
    return true;
}

void CGlimScrapbook::LinkToBooks(CGlimBook* books, int bookCount) {
    for (int i = 0; i < m_entryCount;) {
        Entry& entry = m_entries[i];
        for (int b = 0; b < bookCount && !entry.linked; ++b) {
            CGlimBook& book = books[b];
            if (book.GetBookName() != entry.bookName) continue;
            for (int s = 0; s < book.GetImageCount() && !entry.linked; ++s) {
                if (book.GetImage(s)->GetImageName() != entry.imageKey) continue;
                entry.book = &book;
                entry.image = book.GetImage(s);
                entry.linked = true;
            }
        }
        if (entry.linked) {
            ++i;
        } else {
            m_held.push_back(std::move(entry));
            RemoveSlot(i);
        }
    }
}

// Moves later entries down one slot and empties the freed last slot.
void CGlimScrapbook::RemoveSlot(int index) {
    for (int i = index; i + 1 < m_entryCount; ++i) m_entries[i] = std::move(m_entries[i + 1]);
    m_entries[m_entryCount - 1] = {};
    --m_entryCount;
}

// ---------------------------------------------------------------- selection

void CGlimScrapbook::Leave() {
    if (m_currentEntry < 0) return;
    if (CGlimImage* image = m_entries[m_currentEntry].image) {
        image->ForgetSavedFiles();
        image->ReleaseAll();
        image->SetShown(false);
    }
}

// The current entry's scene starts from the entry's saved canvas and thumbnail.
void CGlimScrapbook::PointAtSavedFiles() {
    const Entry& entry = m_entries[m_currentEntry];
    if (entry.image == nullptr) return;
    entry.image->SetSavedFiles(entry.savedFile, entry.thumbnailFile);
}

int CGlimScrapbook::Select(int index) {
    if (index >= m_entryCount || index < -1) return -1;
    const int previous = m_currentEntry;
    Leave();
    m_currentEntry = index;
    if (index != -1) PointAtSavedFiles();
    return previous;
}

int CGlimScrapbook::Step(int delta) {
    if (m_currentEntry < 0 || m_entryCount == 0) return -1;
    const int previous = m_currentEntry;
    Leave();
    m_currentEntry = (m_currentEntry + delta + m_entryCount) % m_entryCount;
    PointAtSavedFiles();
    return previous;
}

int CGlimScrapbook::SelectPrevious() {
    return Step(-1);
}

int CGlimScrapbook::SelectNext() {
    return Step(1);
}

CGlimImage* CGlimScrapbook::GetCurrentImage() const {
    return GetEntryImage(m_currentEntry);
}

CGlimBook* CGlimScrapbook::GetCurrentBook(bool select) {
    if (m_currentEntry < 0) return nullptr;
    const Entry& entry = m_entries[m_currentEntry];
    if (select && entry.book != nullptr) entry.book->SelectImageByPtr(entry.image);
    return entry.book;
}

int CGlimScrapbook::FindCurrentInBook() const {
    if (m_currentEntry < 0) return -1;
    const Entry& entry = m_entries[m_currentEntry];
    if (entry.book == nullptr || entry.image == nullptr) return -1;
    return entry.book->FindImageByName(entry.image->GetImageName());
}

std::string CGlimScrapbook::GetCurrentSavedFile() const {
    return GetEntrySavedFile(m_currentEntry);
}

std::string CGlimScrapbook::GetEntryName(int index) const {
    return index >= 0 && index < m_entryCount ? m_entries[index].name : "";
}

std::string CGlimScrapbook::GetEntrySavedFile(int index) const {
    return index >= 0 && index < m_entryCount ? m_entries[index].savedFile : "";
}

std::string CGlimScrapbook::GetEntryThumbnailFile(int index) const {
    return index >= 0 && index < m_entryCount ? m_entries[index].thumbnailFile : "";
}

CGlimImage* CGlimScrapbook::GetEntryImage(int index) const {
    return index >= 0 && index < m_entryCount ? m_entries[index].image : nullptr;
}

// ---------------------------------------------------------------- adding and updating

std::string CGlimScrapbook::NewEntryName() const {
    for (int number = 1;; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "pic%03d", number);
        const bool listed = std::any_of(m_entries.begin(), m_entries.begin() + m_entryCount,
                                        [&](const Entry& entry) { return entry.name == name; });
        if (!listed && !Exists(m_scrapbookFolder + name)) return name;
    }
}

// The thumbnail goes first: a save cut short before the saved canvas is written leaves
// a folder without its picture, which the next load clears away.
bool CGlimScrapbook::WritePictures(const Entry& entry, CDib& canvas, CGlimImage& picture) const {
    CDib thumbnail;
    return MakeThumbnail(canvas, ThumbnailSize(picture, canvas.GetSize()), thumbnail) &&
           SavePicture(thumbnail, entry.thumbnailFile) && SavePicture(canvas, entry.savedFile);
}

bool CGlimScrapbook::WriteEntryFile(const Entry& entry) const {
    std::string text = "imagename=" + entry.imageName + "\r\nbook=" + entry.bookName +
                       "\r\nimage=" + entry.imageKey + "\r\nsaved=" + entry.savedName +
                       "\r\ntn=" + entry.thumbnailName + "\r\n";
    if (!entry.pngName.empty()) text += "png=" + entry.pngName + "\r\n";
    return CAtomicFile::WriteAll(EntryFolder(entry.name) + entry.name + ".txt", text);
}

// Writes the entry's PNG copy, naming it first when it has none; a copy that cannot be
// written is reported by CPictureExport and does not undo the save.
void CGlimScrapbook::ExportPicture(Entry& entry, const CDib& canvas) {
    if (!CPictureExport::IsActive()) return;
    if (entry.pngName.empty()) {
        entry.pngName =
            CPictureExport::NewName(entry.bookName, entry.imageName, std::time(nullptr));
        if (!WriteEntryFile(entry)) {
            entry.pngName.clear();
            return;
        }
    }
    CPictureExport::Write(entry.pngName, canvas);
}

bool CGlimScrapbook::AppendIndexLine(const std::string& name) const {
    std::string text;
    if (!CContentText::Read(IndexPath(), text)) return false;
    if (!text.empty() && text.back() != '\n') text += "\r\n";
    return CAtomicFile::WriteAll(IndexPath(), text + "image=" + name + "\r\n");
}

// The entry file goes first so that every folder a cut-short save leaves says what it is;
// the index line comes last, once the entry is whole.
int CGlimScrapbook::AddEntry(CGlimImage* picture, CGlimBook* book) {
    if (picture == nullptr || book == nullptr || m_scrapbookFolder.empty()) return kAddFailed;
    if (m_entryCount + GetHeldCount() >= kMaxEntries) return kScrapbookFull;
    CDib* canvas = picture->GetPrintPicture(true);
    if (canvas == nullptr) return kAddFailed;
    Entry entry;
    entry.name = NewEntryName();
    entry.book = book;
    entry.image = picture;
    entry.linked = true;
    entry.imageName = entry.imageKey = picture->GetImageName();
    entry.bookName = book->GetBookName();
    entry.savedName = kSavedName;
    entry.thumbnailName = kThumbnailName;
    const std::string folder = EntryFolder(entry.name);
    entry.savedFile = folder + kSavedName;
    entry.thumbnailFile = folder + kThumbnailName;
    if (CPictureExport::IsActive())
        entry.pngName =
            CPictureExport::NewName(entry.bookName, entry.imageName, std::time(nullptr));
    if (mkdir(CDataFolders::ForWriting(folder).c_str(), 0755) != 0) return kAddFailed;
    if (!WriteEntryFile(entry) || !WritePictures(entry, *canvas, *picture) ||
        !AppendIndexLine(entry.name)) {
        // Not listed in the index, so the entry does not exist; tidy its folder away.
        for (const std::string& file :
             {entry.savedFile, entry.thumbnailFile, folder + entry.name + ".txt"})
            RemoveFile(file);
        rmdir(CDataFolders::ForWriting(folder).c_str());
        return kAddFailed;
    }
    ExportPicture(entry, *canvas);
    m_entries[m_entryCount] = std::move(entry);
    return m_entryCount++;
}

bool CGlimScrapbook::UpdateEntry(int index, CGlimImage* picture) {
    if (index < 0 || index >= m_entryCount) return false;
    Entry& entry = m_entries[index];
    if (picture == nullptr) picture = entry.image;
    if (picture == nullptr || !IsSafeToDelete(entry)) return false;
    CDib* canvas = picture->GetPrintPicture(true);
    if (canvas == nullptr || !WritePictures(entry, *canvas, *picture)) return false;
    ExportPicture(entry, *canvas);
    return true;
}

// ---------------------------------------------------------------- deleting

// Every path the entry names must lie inside its own folder, itself directly inside the
// scrapbook folder, with no link on the way.
bool CGlimScrapbook::IsSafeToDelete(const Entry& entry) const {
    if (!IsPlainName(entry.name)) return false;
    for (const std::string* file : {&entry.savedName, &entry.thumbnailName})
        if (!file->empty() && !IsPlainName(*file)) return false;
    const std::string folder = m_scrapbookFolder + entry.name;
    if (IsLink(folder)) return false;
    for (const std::string& path :
         {entry.savedFile, entry.thumbnailFile, EntryFolder(entry.name) + entry.name + ".txt"})
        if (IsLink(path)) return false;
    return true;
}

bool CGlimScrapbook::RemoveIndexLine(const std::string& name, bool& found) const {
    found = false;
    std::string text;
    if (!CContentText::Read(IndexPath(), text)) return false;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string value;
        if (ValueOf(line, "bookname=", value) || !ValueOf(line, "image=", value) || value != name)
            continue;
        found = true;
        text.erase(start, end + 1 - start);
        return CAtomicFile::WriteAll(IndexPath(), text);
    }
    return true;
}

bool CGlimScrapbook::DeleteEntry(int index) {
    if (index < 0 || index >= m_entryCount) return false;
    const Entry entry = m_entries[index];
    if (entry.image != nullptr) entry.image->ReleaseAll();
    if (!IsSafeToDelete(entry)) return false;
    bool listed = false;
    if (!RemoveIndexLine(entry.name, listed) || !listed) return false;
    // Files already gone are skipped; the entry goes all the same.
    if (!entry.savedName.empty()) RemoveFile(entry.savedFile);
    if (!entry.thumbnailName.empty()) RemoveFile(entry.thumbnailFile);
    RemoveFile(EntryFolder(entry.name) + entry.name + ".txt");
    rmdir(CDataFolders::ForWriting(m_scrapbookFolder + entry.name).c_str());
    if (!entry.pngName.empty()) CPictureExport::Remove(entry.pngName);
    if (entry.book != nullptr && entry.image != nullptr)
        entry.book->ResetSlideIfShows(entry.book->FindImageByName(entry.image->GetImageName()),
                                      entry.savedFile);
    const bool wasLastAndCurrent = index == m_entryCount - 1 && index == m_currentEntry;
    RemoveSlot(index);
    if (wasLastAndCurrent || m_currentEntry >= m_entryCount) --m_currentEntry;
    if (m_currentEntry >= 0) PointAtSavedFiles();
    return true;
}
