#include "platform/files/CStdioFile.h"

BOOL CStdioFile::ReadString(std::string& line) {
    line.clear();
    if (m_file == nullptr) return FALSE;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(m_file)) != EOF) {
        any = true;
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!any) return FALSE;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return TRUE;
}

BOOL CStdioFile::WriteString(const std::string& text) {
    return Write(text.data(), static_cast<UINT>(text.size()));
}
