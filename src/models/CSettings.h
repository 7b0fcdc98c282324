#pragma once
#include <string>
#include <utility>
#include <vector>

// The settings kept between starts in one small text file, settings.ini in the user's
// configuration folder: what the child chose (sound, staying inside the lines, the crayon
// box, the window mode) and what a grown-up may set by hand (a short start, printing, the
// options screen, PNG copies of saved pictures). Each line is `key = value`; lines
// starting with `#` or `;` and `[section]` lines are skipped. The reader is forgiving: any
// line ending, no final newline, spaces around keys and values, keys in any case; a value
// it cannot use keeps its default and is reported to the grown-ups; keys it does not know
// are kept and written back. The file is always replaced whole, with a comment above each
// key saying what it does; when a grown-up edited it while the program ran, their keys are
// taken from the edit before the child's change is written.
class CSettings {
  public:
    enum class WindowMode { Fullscreen, Windowed };

    static constexpr const char* kFileName = "settings.ini";
    static constexpr int kFirstCrayonBox = 1;

    // Reads `path`. A missing file is made with every key at its default; false only when
    // an existing file cannot be read or a missing one cannot be made (the defaults are
    // used all the same).
    bool Load(const std::string& path);
    // Writes every setting to the file Load named; false when it could not be replaced
    // (the old file is then kept whole). Without a file (never loaded) nothing is written.
    bool Save();
    const std::string& GetPath() const { return m_path; }

    // Takes the settings from the text of a settings file, reporting unusable values
    // against `origin`.
    void Parse(const std::string& text, const std::string& origin);
    // The text of the settings file for the current values.
    std::string Format() const;

    bool IsSoundOn() const { return m_soundOn; }
    void SetSoundOn(bool on) { m_soundOn = on; }
    bool StaysInsideLines() const { return m_staysInsideLines; }
    void SetStayInsideLines(bool on) { m_staysInsideLines = on; }
    // The crayon box shown, counting from 1 as the box selector does.
    int GetCrayonBox() const { return m_crayonBox; }
    void SetCrayonBox(int box) { m_crayonBox = box < kFirstCrayonBox ? kFirstCrayonBox : box; }
    WindowMode GetWindowMode() const { return m_windowMode; }
    void SetWindowMode(WindowMode mode) { m_windowMode = mode; }
    bool IsShortStart() const { return m_shortStart; }
    void SetShortStart(bool on) { m_shortStart = on; }
    bool IsPrintingAllowed() const { return m_printing; }
    void SetPrintingAllowed(bool on) { m_printing = on; }
    bool IsOptionsScreenShown() const { return m_optionsScreen; }
    void SetOptionsScreenShown(bool on) { m_optionsScreen = on; }
    bool IsPngExportOn() const { return m_exportPng; }
    void SetPngExportOn(bool on) { m_exportPng = on; }

  private:
    void TakeHandEdits();
    void ParseLine(const std::string& line, const std::string& origin);
    bool SetValue(const std::string& key, const std::string& value, const std::string& origin);
    bool TakeSwitch(const std::string& key, const std::string& value, bool& setting,
                    const std::string& origin);

    std::string m_path;
    // The file's text as last read or written, to notice an edit made since.
    std::string m_fileText;
    bool m_soundOn = true;
    bool m_staysInsideLines = true;
    int m_crayonBox = kFirstCrayonBox;
    WindowMode m_windowMode = WindowMode::Fullscreen;
    bool m_shortStart = false;
    bool m_printing = true;
    bool m_optionsScreen = true;
    bool m_exportPng = true;
    // Keys of other versions, as found: written back after the known ones.
    std::vector<std::pair<std::string, std::string>> m_unknown;
};
