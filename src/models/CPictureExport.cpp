#include "models/CPictureExport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "imaging/CDib.h"
#include "platform/draw/SurfacePng.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"

namespace {

struct ExportState {
    std::string folder;
    bool enabled = true;
};

ExportState& State() {
    static ExportState state;
    return state;
}

std::string PathOf(const std::string& name) {
    return State().folder + "/" + name;
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

// Cuts `text` to at most `bytes` without splitting a UTF-8 character.
std::string Shortened(std::string text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

// The canvas's pixels, top row first, as 0x00RRGGBB.
bool PixelsOf(const CDib& canvas, std::vector<std::uint32_t>& pixels) {
    const CSize size = canvas.GetSize();
    if (!canvas.IsValid() || size.cx <= 0 || size.cy <= 0 || canvas.GetBitCount() < 24)
        return false;
    pixels.assign(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy), 0);
    std::size_t at = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            BYTE bgr[3] = {0, 0, 0};
            if (!canvas.GetPixelBytes(x, y, bgr)) return false;
            pixels[at++] = (static_cast<std::uint32_t>(bgr[2]) << 16) |
                           (static_cast<std::uint32_t>(bgr[1]) << 8) | bgr[0];
        }
    }
    return true;
}

bool MakeFolder() {
    std::error_code error;
    std::filesystem::create_directories(State().folder, error);
    return !error;
}

}  // namespace

void CPictureExport::SetFolder(const std::string& folder) {
    std::string trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    State().folder = trimmed;
}

void CPictureExport::SetExportEnabled(bool enabled) {
    State().enabled = enabled;
}

bool CPictureExport::IsActive() {
    return State().enabled && !State().folder.empty();
}

const std::string& CPictureExport::Folder() {
    return State().folder;
}

std::string CPictureExport::SafeName(const std::string& text) {
    std::string safe;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = byte < 0x20 || byte == 0x7F || c == '/' || c == '\\' || c == '=';
        safe += unsafe ? '-' : c;
    }
    const std::size_t first = safe.find_first_not_of(". ");
    safe = first == std::string::npos ? std::string() : safe.substr(first);
    while (!safe.empty() && safe.back() == ' ') safe.pop_back();
    return Shortened(safe, kMaxNameBytes);
}

std::string CPictureExport::NewName(const std::string& book, const std::string& scene,
                                    std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H-%M", &local);
    std::string stem = SafeName(book) + " - " + SafeName(scene) + " - " + date;
    if (stem[0] == ' ') stem = "Talewick" + stem;
    std::string name = stem + ".png";
    for (int copy = 2; copy < 1000 && Exists(PathOf(name)); ++copy)
        name = stem + " (" + std::to_string(copy) + ").png";
    return name;
}

bool CPictureExport::Write(const std::string& name, const CDib& canvas) {
    if (!IsActive() || !IsPlainFileName(name)) return false;
    std::vector<std::uint32_t> pixels;
    std::string png;
    const CSize size = canvas.GetSize();
    if (!PixelsOf(canvas, pixels) || !EncodeRgbPng(size.cx, size.cy, pixels, png)) {
        CContentReport::Report(PathOf(name), "the picture could not be made into a PNG file");
        return false;
    }
    if (MakeFolder() && CAtomicFile::WriteAll(PathOf(name), png)) return true;
    CContentReport::Report(PathOf(name),
                           "the PNG copy of a scrapbook picture could not be written: " +
                               std::string(std::strerror(errno)));
    return false;
}

bool CPictureExport::Remove(const std::string& name) {
    if (!IsActive() || !IsPlainFileName(name)) return false;
    struct stat status {};
    const std::string path = PathOf(name);
    if (lstat(path.c_str(), &status) != 0) return errno == ENOENT;
    if (S_ISREG(status.st_mode) && unlink(path.c_str()) == 0) return true;
    CContentReport::Report(path,
                           "the PNG copy of a thrown-away scrapbook picture could not be "
                           "removed; it was left as it is");
    return false;
}
