#include "models/CSlideScript.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "models/CContentText.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CDataFolders.h"
#include "platform/files/CStdioFile.h"

namespace {

std::string ToLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

CSlideScript::~CSlideScript() {
    Reset();
}

CSlideScript::CSlideScript(CSlideScript&& other) noexcept
    : m_loaded(other.m_loaded),
      m_path(std::move(other.m_path)),
      m_entries(std::move(other.m_entries)),
      m_count(other.m_count),
      m_modified(other.m_modified) {
    other.Clear();
}

CSlideScript& CSlideScript::operator=(CSlideScript&& other) noexcept {
    if (this != &other) {
        Reset();
        m_loaded = other.m_loaded;
        m_path = std::move(other.m_path);
        m_entries = std::move(other.m_entries);
        m_count = other.m_count;
        m_modified = other.m_modified;
        other.Clear();
    }
    return *this;
}

bool CSlideScript::Load(const std::string& path, bool force) {
    if (path.empty()) return false;
    if (IsOpen(path) && !force) return true;
    Reset();
    if (!ReadLines(path)) return false;
    m_path = path;
    m_loaded = TRUE;
    return true;
}

// Reads up to 21 lines of `path`, or creates the file when it does not exist yet.
bool CSlideScript::ReadLines(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(CDataFolders::ForReading(path), error)) return false;
    CStdioFile file;
    int reason = 0;
    if (!file.Open(path, CFile::modeRead | CFile::typeText, &reason)) {
        if (reason != ENOENT) return false;
        CFile created;
        if (!created.Open(path, CFile::modeCreate | CFile::modeWrite)) return false;
        StartFresh();
        return true;
    }
    // A zero-byte file is what creation leaves until the first save; if the program
    // stopped in between, the script starts fresh again instead of having no positions.
    if (file.GetLength() == 0) {
        StartFresh();
        return true;
    }
    std::string text;
    char buffer[4096];
    for (UINT got = 0; (got = file.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, got);
    // Any line end an editor writes counts; the script is saved with LF alone.
    for (const std::string& line : CContentText::Lines(text)) {
        if (m_count >= kMaxEntries) break;
        m_entries[m_count++] = ToLower(line);
    }
    return true;
}

// A new script: every position shows the book's own slide; written by the next save.
void CSlideScript::StartFresh() {
    m_entries.fill("def");
    m_count = kMaxEntries;
    m_modified = TRUE;
}

bool CSlideScript::IsOpen(const std::string& name) const {
    if (!m_loaded) return false;
    return name.empty() || name == m_path;
}

std::string CSlideScript::GetEntry(int index) const {
    if (index < 0 || index >= m_count) return "";
    return m_entries[index];
}

bool CSlideScript::SetEntry(int index, const std::string& value) {
    if (index < 0 || index >= m_count) return false;
    m_entries[index] = value.empty() ? "def" : value;
    m_modified = TRUE;
    return true;
}

bool CSlideScript::Save() {
    if (!m_modified || !m_loaded) return false;
    std::string text;
    for (int i = 0; i < m_count; ++i) text += m_entries[i] + "\n";
    if (!CAtomicFile::WriteAll(m_path, text)) return false;
    m_modified = FALSE;
    return true;
}

void CSlideScript::Reset() {
    if (m_modified) Save();
    Clear();
}

void CSlideScript::Clear() {
    m_loaded = FALSE;
    m_path.clear();
    for (std::string& entry : m_entries) entry.clear();
    m_count = 0;
    m_modified = FALSE;
}
