#pragma once
#include <string>

// The credits ticker's text: a credit line that loses its first character at every tick
// until nothing is left.
class CCreditsTicker {
  public:
    static constexpr const char* kCreditLine =
        "Talewick was made by its story writers, artists, sound makers, programmers and "
        "testers, with thanks to every child who coloured along.";

    void Start(const std::string& text = kCreditLine) { m_text = text; }
    // Drops the first character; false once the text is used up.
    bool Tick() {
        if (!m_text.empty()) m_text.erase(0, 1);
        return !m_text.empty();
    }
    void Clear() { m_text.clear(); }
    bool IsEmpty() const { return m_text.empty(); }
    const std::string& GetText() const { return m_text; }

  private:
    std::string m_text;
};
