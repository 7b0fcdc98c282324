#include "coloring/CPictureShelf.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "coloring/CColoringLayout.h"
#include "models/CUserBooks.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageBox.h"

CPictureShelf::CPictureShelf() {
    m_keeper.SetScrapbook(&m_scrapbook);
}

bool CPictureShelf::Load(const std::function<void(bool)>& holdStartup) {
    CBookCatalogue catalogue;
    // Loading again (a message box let the start-up run on) keeps the scrapbook as it is.
    const bool again = m_bookCount > 0;
    m_bookCount = 0;
    if (!catalogue.Read()) {
        // Without books there is nothing to colour, but the screen still opens.
        AfxMessageBox("The story books cannot be found: ../books/books.txt is missing.");
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
        AfxMessageBox("The story book's files cannot be found in " + line.folder);
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

void CPictureShelf::KeepColouringUnattended() {
    const CPictureKeeper::Result kept = KeepColouring();
    if (kept == CPictureKeeper::Result::Saved) return;
    std::fprintf(stderr, "talewick: the picture being coloured could not be kept: %s\n",
                 kept == CPictureKeeper::Result::Full ? "the scrapbook is full"
                                                      : "a file could not be written");
}

CPictureKeeper::Result CPictureShelf::KeepColouring() {
    if (!m_unsaved) return CPictureKeeper::Result::Saved;
    const CPictureKeeper::Result result = m_keeper.Save(GetCurrentPicture(), m_pictureBook);
    if (result == CPictureKeeper::Result::Saved) m_unsaved = false;
    return result;
}
