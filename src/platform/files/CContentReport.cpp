#include "platform/files/CContentReport.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace {

struct ReportLog {
    std::mutex lock;
    std::vector<std::string> lines;
    std::set<std::string> told;
    CLogFile file;
};

ReportLog& TheLog() {
    static ReportLog log;
    return log;
}

// Bytes of the UTF-8 sequence that starts at `at`, or 0 when it is not a whole, valid one.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
    return length;
}

}  // namespace

std::string CContentReport::Printable(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += text[at++];
            continue;
        }
        const std::size_t length = byte >= 0x80 ? Utf8Length(text, at) : 0;
        if (length == 0) {
            shown += '?';
            ++at;
            continue;
        }
        shown.append(text, at, length);
        at += length;
    }
    return shown;
}

void CContentReport::Report(const std::string& path, const std::string& reason) {
    const std::string line = Printable(path) + ": " + Printable(reason);
    ReportLog& log = TheLog();
    const std::lock_guard<std::mutex> guard(log.lock);
    if (!log.told.insert(line).second) return;
    std::fprintf(stderr, "Talewick: %s\n", line.c_str());
    log.file.Append(line);
    log.lines.push_back(line);
}

void CContentReport::UseLogFile(const std::string& path, std::uintmax_t limit) {
    ReportLog& log = TheLog();
    const std::lock_guard<std::mutex> guard(log.lock);
    log.file.Use(path, limit);
}

void CContentReport::StopLogFile() {
    ReportLog& log = TheLog();
    const std::lock_guard<std::mutex> guard(log.lock);
    log.file.Stop();
}

std::vector<std::string> CContentReport::Log() {
    ReportLog& log = TheLog();
    const std::lock_guard<std::mutex> guard(log.lock);
    return log.lines;
}

void CContentReport::ClearLog() {
    ReportLog& log = TheLog();
    const std::lock_guard<std::mutex> guard(log.lock);
    log.lines.clear();
    log.told.clear();
}
