#include "coloring/CPictureShelf.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>

#include "coloring/CColoringLayout.h"
#include "models/CUserBooks.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageBox.h"

CPictureShelf::CPictureShelf()
    : m_setAside(ContentPaths::kSetAside), m_recovery(ContentPaths::kRecovery) {
    m_keeper.SetScrapbook(&m_scrapbook);
}

void CPictureShelf::SetRescueFolders(const std::string& recovery, const std::string& setAside) {
    m_recovery.SetFolder(recovery);
    m_setAside.SetFolder(setAside);
}

bool CPictureShelf::Load(const std::function<void(bool)>& holdStartup) {
    CBookCatalogue catalogue;
    // Loading again (a message box let the start-up run on) keeps the scrapbook as it is.
    const bool again = m_bookCount > 0;
    m_bookCount = 0;
    if (!catalogue.Read()) {
        // Without books there is nothing to colour, but the screen still opens.
        AfxMessageBox(ChildMessage::ContentMissing, "The story books cannot be found.");
        return true;
    }
    catalogue.Add(CUserBooks::Find(catalogue, CBookCatalogue::kBooksFolder));
    // The scribble pad is not listed in the catalogue; it always sits in front of the books.
    m_books[0].Load(ContentPaths::kScribblePad, ContentPaths::kScribblePadDescription);
    for (const CBookCatalogue::Line& line : catalogue.GetLines()) {
        if (line.isScrapbook) {
            if (!again) m_scrapbook.Load(line.scrapbookFolder, line.indexFile);
            continue;
        }
        if (m_bookCount >= kBookCapacity) {
            CContentReport::Report(line.folder, "is left off the shelf, which holds " +
                                                    std::to_string(kBookCapacity) +
                                                    " books; take another book away to show it.");
            continue;
        }
        CGlimBook& book = m_books[static_cast<std::size_t>(1 + m_bookCount)];
        ++m_bookCount;
        if (!LoadBook(book, line, holdStartup)) return false;
    }
    m_scrapbook.LinkToBooks(m_books.data(), 1 + m_bookCount);
    return true;
}

bool CPictureShelf::LoadBook(CGlimBook& book, const CBookCatalogue::Line& line,
                             const std::function<void(bool)>& holdStartup) {
    if (!line.isPath) {
        book.Load(line.folder, line.descriptionFile);
        return true;
    }
    holdStartup(true);
    if (!book.Load(line.folder, line.descriptionFile)) {
        AfxMessageBox(ChildMessage::ContentMissing, "The story book's files cannot be found.",
                      line.folder, "the book cannot be loaded from this folder.");
        return false;
    }
    holdStartup(false);
    return true;
}

CGlimBook* CPictureShelf::BookAt(int index) {
    if (index < -1 || index >= m_bookCount) return nullptr;
    return &m_books[static_cast<std::size_t>(index + 1)];
}

CGlimImage* CPictureShelf::GetCurrentPicture() {
    return m_pictureBook != nullptr ? m_pictureBook->GetCurrentImage() : nullptr;
}

void CPictureShelf::OpenStory() {
    if (m_bookCount == 0) return;
    m_pictureBook = &m_books[1];
    m_pictureBook->SelectImage(0);
}

void CPictureShelf::MakeCurrent(CGlimBook* book, CGlimImage* picture, int entryIndex) {
    if (entryIndex >= 0) m_keeper.Remember(picture, entryIndex);
    if (m_pictureBook != nullptr && m_pictureBook != book) m_pictureBook->SelectImage(-1);
    m_pictureBook = book;
    book->SelectImageByPtr(picture);
}

void CPictureShelf::TurnPage(int step) {
    if (m_pictureBook == nullptr) return;
    CGlimBook* story = BookAt(0);
    if (story != nullptr && m_pictureBook != story) {
        m_pictureBook->SelectImage(-1);
        m_pictureBook = story;
        const int index = std::max(story->GetCurrentIndex(), 0);
        story->SelectImage(-1);
        story->SelectImage(index);
    } else if (step > 0) {
        m_pictureBook->SelectNext();
    } else {
        m_pictureBook->SelectPrevious();
    }
}

void CPictureShelf::NoteColoured() {
    m_touched = true;
    m_unsaved = true;
}

bool CPictureShelf::HasUnsavedColouring() const {
    if (!m_unsaved || m_pictureBook == nullptr) return false;
    const CGlimImage* picture = m_pictureBook->GetCurrentImage();
    const CDib* canvas = picture != nullptr ? picture->GetCanvasIfLoaded() : nullptr;
    if (canvas == nullptr) return false;
    return !m_hasKeptPrint || CRecoveryWriter::Fingerprint(*canvas) != m_keptPrint;
}

void CPictureShelf::NoteShown() {
    m_unsaved = false;
    m_hasKeptPrint = false;
    CGlimImage* picture = GetCurrentPicture();
    const CDib* canvas = picture != nullptr ? picture->GetCanvasToDraw() : nullptr;
    if (canvas == nullptr) return;
    m_keptPrint = m_recoveredPrint = CRecoveryWriter::Fingerprint(*canvas);
    m_hasKeptPrint = true;
}

// Once kept, the recovery slot only names the picture: the scrapbook holds its canvas.
bool CPictureShelf::NoteKept() {
    m_unsaved = false;
    NoteShown();
    return m_recovery.WriteLabelNow(LabelOf(m_pictureBook, GetCurrentPicture()));
}

void CPictureShelf::KeepColouringUnattended() {
    const CPictureKeeper::Result kept = KeepColouring();
    if (kept == CPictureKeeper::Result::Saved) return;
    // The recovery slot keeps it for the next start.
    if (CGlimImage* picture = GetCurrentPicture(); picture && picture->GetCanvasIfLoaded())
        m_recovery.WriteNow(*picture->GetCanvasIfLoaded(), LabelOf(m_pictureBook, picture));
    std::fprintf(stderr, "talewick: the picture being coloured could not be kept: %s\n",
                 kept == CPictureKeeper::Result::Full ? "the scrapbook is full"
                                                      : "a file could not be written");
    RememberCurrent();
}

CPictureKeeper::Result CPictureShelf::KeepColouring() {
    if (!HasUnsavedColouring()) return CPictureKeeper::Result::Saved;
    CAtomicFile::ClearLastFailure();
    const CPictureKeeper::Result result = m_keeper.Save(GetCurrentPicture(), m_pictureBook);
    if (result == CPictureKeeper::Result::Saved) NoteKept();
    if (result == CPictureKeeper::Result::Failed) NoteFailure(m_scrapbook.GetFolder());
    return result;
}

void CPictureShelf::NoteFailure(const std::string& folder) {
    const int error = errno;
    m_failedPath = CAtomicFile::LastFailedPath();
    m_failedError = CAtomicFile::LastFailedError();
    if (!m_failedPath.empty()) return;
    m_failedPath = folder;
    m_failedError = error != 0 ? error : EIO;
}

CPictureSlot::Label CPictureShelf::LabelOf(CGlimBook* book, CGlimImage* picture) const {
    if (book == nullptr || picture == nullptr) return {};
    return {book->GetBookName(), picture->GetImageName(), m_keeper.EntryNameOf(picture)};
}

void CPictureShelf::WriteRecovery() {
    if (!m_unsaved) return;
    CGlimImage* picture = GetCurrentPicture();
    const CDib* canvas = picture != nullptr ? picture->GetCanvasIfLoaded() : nullptr;
    if (canvas == nullptr) return;
    const std::uint64_t print = CRecoveryWriter::Fingerprint(*canvas);
    if (print == m_recoveredPrint) return;
    m_recoveredPrint = print;
    // Coloured back to how it was kept: the scrapbook holds it, the slot only names it.
    if (m_hasKeptPrint && print == m_keptPrint) {
        m_recovery.WriteLabelNow(LabelOf(m_pictureBook, picture));
        return;
    }
    m_recovery.Submit(*canvas, LabelOf(m_pictureBook, picture));
}

void CPictureShelf::RememberCurrent() {
    CGlimImage* picture = GetCurrentPicture();
    if (picture == nullptr || m_recovery.Slot().HoldsCanvas()) return;
    m_recovery.WriteLabelNow(LabelOf(m_pictureBook, picture));
}

bool CPictureShelf::FindScene(const CPictureSlot::Label& label, CGlimBook*& book,
                              CGlimImage*& scene) {
    for (int index = -1; index < m_bookCount; ++index) {
        book = BookAt(index);
        if (book == nullptr || book->GetBookName() != label.book) continue;
        scene = book->GetImage(book->FindImageByName(label.scene));
        if (scene != nullptr) return true;
    }
    book = nullptr;
    scene = nullptr;
    return false;
}

CPictureKeeper::Result CPictureShelf::KeepRecovered(CGlimBook* book, CGlimImage* scene,
                                                    const std::string& canvasPath) {
    scene->SetSavedFiles(canvasPath, "");
    if (scene->GetCanvasToDraw() == nullptr) return CPictureKeeper::Result::Failed;
    const CPictureKeeper::Result result = m_keeper.Save(scene, book);
    if (result == CPictureKeeper::Result::Saved) m_recovery.WriteLabelNow(LabelOf(book, scene));
    return result;
}

void CPictureShelf::ComeBack() {
    CPictureSlot::Label label;
    std::string canvasPath;
    CGlimBook* book = nullptr;
    CGlimImage* scene = nullptr;
    m_setAside.Load();
    if (!m_recovery.Slot().Read(label, canvasPath) || !FindScene(label, book, scene)) return;
    MakeCurrent(book, scene, m_keeper.FindEntryNamed(label.entry));
    if (canvasPath.empty()) {
        RestoreKept(scene);
        return;
    }
    const CPictureKeeper::Result kept = KeepRecovered(book, scene, canvasPath);
    if (kept == CPictureKeeper::Result::Full) m_setAside.Take(m_recovery.Slot());
    // A canvas that could not be written stays in the recovery slot for the next start.
    if (kept == CPictureKeeper::Result::Failed)
        std::fprintf(stderr, "talewick: the picture brought back could not be kept: %s\n",
                     canvasPath.c_str());
}

bool CPictureShelf::HoldForLater() {
    m_heldBook = m_pictureBook;
    m_heldPicture = GetCurrentPicture();
    const CDib* canvas = m_heldPicture ? m_heldPicture->GetCanvasIfLoaded() : nullptr;
    if (canvas == nullptr) return false;
    // The slot now holds it: no timer may write another scene over it meanwhile.
    CAtomicFile::ClearLastFailure();
    if (!m_recovery.WriteNow(*canvas, LabelOf(m_heldBook, m_heldPicture))) {
        NoteFailure(m_recovery.Slot().GetFolder());
        return false;
    }
    m_unsaved = false;
    return true;
}

bool CPictureShelf::SettleHeld() {
    CGlimBook* book = std::exchange(m_heldBook, nullptr);
    CGlimImage* picture = std::exchange(m_heldPicture, nullptr);
    CPictureSlot::Label label;
    std::string canvasPath;
    if (picture == nullptr || !m_recovery.Slot().Read(label, canvasPath) || canvasPath.empty())
        return false;
    m_unsaved = false;
    CAtomicFile::ClearLastFailure();
    if (m_scrapbook.GetCount() < CGlimScrapbook::kMaxEntries &&
        KeepRecovered(book, picture, canvasPath) == CPictureKeeper::Result::Saved)
        return true;
    if (m_setAside.Take(m_recovery.Slot())) return true;
    NoteFailure(ContentPaths::kSetAside);
    return false;
}

bool CPictureShelf::SetAsideCurrent() {
    CGlimImage* picture = GetCurrentPicture();
    const CDib* canvas = picture != nullptr ? picture->GetCanvasIfLoaded() : nullptr;
    m_unsaved = false;
    if (canvas == nullptr || !m_recovery.WriteNow(*canvas, LabelOf(m_pictureBook, picture)))
        return false;
    return m_setAside.Take(m_recovery.Slot());
}

bool CPictureShelf::ReturnSetAside() {
    CGlimImage* current = GetCurrentPicture();
    bool currentTook = false;
    for (int i = 0;
         i < m_setAside.GetCount() && m_scrapbook.GetCount() < CGlimScrapbook::kMaxEntries;) {
        CGlimImage* returned = ReturnOneSetAside(i);
        if (returned == nullptr) ++i;
        currentTook = currentTook || returned == current;
    }
    return currentTook;
}

// The scene on show takes its set-aside picture only while nothing of its own waits to be
// kept; another scene on show (a view still holds it) waits for a later turn.
CGlimImage* CPictureShelf::ReturnOneSetAside(int index) {
    CPictureSlot::Label label;
    std::string canvasPath;
    CGlimBook* book = nullptr;
    CGlimImage* scene = nullptr;
    if (!m_setAside.Get(index, label, canvasPath) || !FindScene(label, book, scene)) return nullptr;
    const bool current = scene == GetCurrentPicture();
    if (current ? HasUnsavedColouring() : scene->IsShown()) return nullptr;
    scene->SetSavedFiles(canvasPath, "");
    const int added = m_scrapbook.AddEntry(scene, book);
    if (current && added >= 0) m_keeper.Remember(scene, added);
    if (!current) scene->ReleaseAll();
    if (added < 0) return nullptr;
    m_setAside.Remove(index);
    return scene;
}

bool CPictureShelf::LastFailure(std::string& path, int& error) {
    if (m_recovery.TakeFailure(path, error)) return true;
    path = m_failedPath;
    error = m_failedError;
    return !path.empty();
}
