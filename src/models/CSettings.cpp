#include "models/CSettings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CFile.h"

namespace {

std::string Trimmed(const std::string& text) {
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Splits at CR LF, LF or a lone CR; a last line without its end counts too.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// 1 for on, 0 for off, -1 for a word that is neither.
int SwitchValue(const std::string& value) {
    static const char* const kOn[] = {"on", "yes", "true", "1"};
    static const char* const kOff[] = {"off", "no", "false", "0"};
    const std::string word = Lowered(value);
    if (std::find(std::begin(kOn), std::end(kOn), word) != std::end(kOn)) return 1;
    if (std::find(std::begin(kOff), std::end(kOff), word) != std::end(kOff)) return 0;
    return -1;
}

const char* OnOff(bool on) {
    return on ? "on" : "off";
}

void Entry(std::ostringstream& out, const char* comment, const char* key,
           const std::string& value) {
    out << "\n# " << comment << "\n" << key << " = " << value << "\n";
}

}  // namespace

bool CSettings::Load(const std::string& path) {
    m_path = path;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
        return Save();
    }
    if (!CFile::ReadWholeFile(path, m_fileText)) {
        m_fileText.clear();
        CContentReport::Report(path, "cannot be read; the settings start from their defaults");
        return false;
    }
    Parse(m_fileText, path);
    return true;
}

bool CSettings::Save() {
    if (m_path.empty()) return false;
    TakeHandEdits();
    const std::string text = Format();
    if (CAtomicFile::WriteAll(m_path, text)) {
        m_fileText = text;
        return true;
    }
    CContentReport::Report(m_path, "cannot be written; the changed settings last until the end");
    return false;
}

// The program itself changes only the child's keys, so a file that no longer holds what was
// last read or written was edited by a grown-up: their keys, and those of other versions,
// are taken from it rather than written over.
void CSettings::TakeHandEdits() {
    std::string text;
    if (!CFile::ReadWholeFile(m_path, text) || text == m_fileText) return;
    CSettings edited;
    edited.Parse(text, m_path);
    m_shortStart = edited.m_shortStart;
    m_printing = edited.m_printing;
    m_optionsScreen = edited.m_optionsScreen;
    m_exportPng = edited.m_exportPng;
    m_unknown = edited.m_unknown;
}

void CSettings::Parse(const std::string& text, const std::string& origin) {
    for (const std::string& line : Lines(text)) ParseLine(line, origin);
}

void CSettings::ParseLine(const std::string& line, const std::string& origin) {
    const std::string content = Trimmed(line);
    if (content.empty() || content[0] == '#' || content[0] == ';' || content[0] == '[') return;
    const std::size_t equals = content.find('=');
    if (equals == std::string::npos) {
        CContentReport::Report(origin, "the line \"" + content + "\" is not key = value; skipped");
        return;
    }
    const std::string key = Lowered(Trimmed(content.substr(0, equals)));
    const std::string value = Trimmed(content.substr(equals + 1));
    if (SetValue(key, value, origin)) return;
    const auto known = std::find_if(m_unknown.begin(), m_unknown.end(),
                                    [&key](const auto& entry) { return entry.first == key; });
    if (known != m_unknown.end())
        known->second = value;
    else
        m_unknown.emplace_back(key, value);
}

bool CSettings::TakeSwitch(const std::string& key, const std::string& value, bool& setting,
                           const std::string& origin) {
    const int on = SwitchValue(value);
    if (on >= 0) {
        setting = on == 1;
    } else {
        CContentReport::Report(origin, key + " = \"" + value + "\" is not on or off; " + key +
                                           " stays " + OnOff(setting));
    }
    return true;
}

// False for a key this version does not know.
bool CSettings::SetValue(const std::string& key, const std::string& value,
                         const std::string& origin) {
    if (key == "sound") return TakeSwitch(key, value, m_soundOn, origin);
    if (key == "stay_inside_lines") return TakeSwitch(key, value, m_staysInsideLines, origin);
    if (key == "short_start") return TakeSwitch(key, value, m_shortStart, origin);
    if (key == "printing") return TakeSwitch(key, value, m_printing, origin);
    if (key == "options_screen") return TakeSwitch(key, value, m_optionsScreen, origin);
    if (key == "export_png") return TakeSwitch(key, value, m_exportPng, origin);
    if (key == "window") {
        const std::string mode = Lowered(value);
        if (mode == "fullscreen" || mode == "windowed") {
            m_windowMode = mode == "windowed" ? WindowMode::Windowed : WindowMode::Fullscreen;
        } else {
            CContentReport::Report(origin, "window = \"" + value +
                                               "\" is not fullscreen or windowed; the window "
                                               "stays as it was");
        }
        return true;
    }
    if (key == "crayon_box") {
        const bool digits = !value.empty() && value.size() <= 3 &&
                            std::all_of(value.begin(), value.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
        if (digits && std::stoi(value) >= kFirstCrayonBox) {
            m_crayonBox = std::stoi(value);
        } else {
            CContentReport::Report(origin, "crayon_box = \"" + value +
                                               "\" is not a box number; box " +
                                               std::to_string(m_crayonBox) + " is shown");
        }
        return true;
    }
    return false;
}

std::string CSettings::Format() const {
    std::ostringstream out;
    out << "# Talewick settings. The program rewrites this file when the child changes a\n"
           "# setting; a grown-up may edit it at any time, and an edit takes effect at the\n"
           "# next start. Switches are on or off.\n";
    Entry(out, "Sounds are heard (the child switches this on the options screen).", "sound",
          OnOff(m_soundOn));
    Entry(out, "Brush strokes stay inside the object they start on (options screen).",
          "stay_inside_lines", OnOff(m_staysInsideLines));
    Entry(out, "The crayon box shown at start, counting from 1 (the last one the child chose).",
          "crayon_box", std::to_string(m_crayonBox));
    Entry(out, "fullscreen or windowed; --fullscreen or --windowed at start changes it.", "window",
          m_windowMode == WindowMode::Windowed ? "windowed" : "fullscreen");
    Entry(out, "Every start goes straight to the colouring screen, not waiting on its pictures.",
          "short_start", OnOff(m_shortStart));
    Entry(out, "The scrapbook's print button is there.", "printing", OnOff(m_printing));
    Entry(out, "The child can open the options screen from the scrapbook.", "options_screen",
          OnOff(m_optionsScreen));
    Entry(out, "Each picture saved in the scrapbook is also kept as a PNG picture.", "export_png",
          OnOff(m_exportPng));
    if (!m_unknown.empty()) {
        out << "\n# Keys this version of the program does not use, kept as they were.\n";
        for (const auto& [key, value] : m_unknown) out << key << " = " << value << "\n";
    }
    return out.str();
}
