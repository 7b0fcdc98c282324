#pragma once

// What the scrapbook screen's shelf has chosen: no book (the scrapbook is shown), a book by
// its index among the shelf's books, or the scribble pad.
class ShelfChoice {
  public:
    enum class Kind { None, Book, ScribblePad };

    static constexpr ShelfChoice Nothing() { return ShelfChoice(Kind::None, 0); }
    static constexpr ShelfChoice Book(int index) { return ShelfChoice(Kind::Book, index); }
    static constexpr ShelfChoice ScribblePad() { return ShelfChoice(Kind::ScribblePad, 0); }

    constexpr Kind GetKind() const { return m_kind; }
    constexpr bool IsBook() const { return m_kind == Kind::Book; }
    // The book's index; only meaningful for a book.
    constexpr int GetBookIndex() const { return m_bookIndex; }
    constexpr bool operator==(const ShelfChoice&) const = default;

  private:
    constexpr ShelfChoice(Kind kind, int bookIndex) : m_kind(kind), m_bookIndex(bookIndex) {}

    Kind m_kind;
    int m_bookIndex;
};
