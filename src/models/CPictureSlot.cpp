#include "models/CPictureSlot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "imaging/CDib.h"
#include "models/CContentText.h"
#include "platform/files/CAtomicFile.h"
#include "platform/files/CDataFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCanvasPrefix = "canvas-";
constexpr const char* kCanvasSuffix = ".bmp";

std::string FolderWithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string WithoutSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool ValueOf(const std::string& line, const std::string& key, std::string& value) {
    if (line.rfind(key, 0) != 0) return false;
    value = line.substr(key.size());
    return true;
}

bool IsCanvasName(const std::string& name) {
    const std::string prefix = kCanvasPrefix;
    const std::string suffix = kCanvasSuffix;
    return name.size() > prefix.size() + suffix.size() && name.rfind(prefix, 0) == 0 &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
           name.find('/') == std::string::npos;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::stat(CDataFolders::ForReading(path).c_str(), &status) == 0;
}

}  // namespace

CPictureSlot::CPictureSlot(std::string folder) : m_folder(FolderWithSlash(std::move(folder))) {}

void CPictureSlot::SetFolder(std::string folder) {
    m_folder = FolderWithSlash(std::move(folder));
}

std::string CPictureSlot::CanvasName(unsigned serial) const {
    return kCanvasPrefix + std::to_string(serial) + kCanvasSuffix;
}

std::string CPictureSlot::CurrentCanvasName(unsigned& serial) const {
    serial = 0;
    std::string text;
    if (!CContentText::Read(LabelPath(), text)) return "";
    for (const std::string& line : CContentText::Lines(text)) {
        std::string value;
        if (!ValueOf(line, "canvas=", value) || !IsCanvasName(value)) continue;
        serial = static_cast<unsigned>(std::strtoul(
            value.c_str() + std::char_traits<char>::length(kCanvasPrefix), nullptr, 10));
        return value;
    }
    return "";
}

bool CPictureSlot::Write(const CDib& canvas, const Label& label) {
    std::error_code error;
    fs::create_directories(WithoutSlash(CDataFolders::ForWriting(m_folder)), error);
    unsigned serial = 0;
    const std::string old = CurrentCanvasName(serial);
    const std::string name = CanvasName(serial + 1);
    CAtomicFile file;
    if (!file.Open(m_folder + name) || !canvas.Write(file) || !file.Commit()) return false;
    if (!WriteLabelFile(label, name)) {
        std::remove(CDataFolders::ForWriting(m_folder + name).c_str());
        return false;
    }
    RemoveCanvasesExcept(name);
    return true;
}

bool CPictureSlot::WriteLabel(const Label& label) {
    std::error_code error;
    fs::create_directories(WithoutSlash(CDataFolders::ForWriting(m_folder)), error);
    if (!WriteLabelFile(label, "")) return false;
    RemoveCanvasesExcept("");
    return true;
}

bool CPictureSlot::WriteLabelFile(const Label& label, const std::string& canvasName) {
    const std::string text = "book=" + label.book + "\r\nscene=" + label.scene +
                             "\r\nentry=" + label.entry + "\r\ncanvas=" + canvasName + "\r\n";
    return CAtomicFile::WriteAll(LabelPath(), text);
}

bool CPictureSlot::Read(Label& label, std::string& canvasPath) const {
    canvasPath.clear();
    std::string text;
    if (m_folder.empty() || !CContentText::Read(LabelPath(), text)) return false;
    label = {};
    for (const std::string& line : CContentText::Lines(text)) {
        std::string value;
        if (ValueOf(line, "book=", value))
            label.book = value;
        else if (ValueOf(line, "scene=", value))
            label.scene = value;
        else if (ValueOf(line, "entry=", value))
            label.entry = value;
        else if (ValueOf(line, "canvas=", value) && IsCanvasName(value) && Exists(m_folder + value))
            canvasPath = m_folder + value;
    }
    return !label.book.empty() && !label.scene.empty();
}

bool CPictureSlot::HoldsCanvas() const {
    Label label;
    std::string canvas;
    return Read(label, canvas) && !canvas.empty();
}

void CPictureSlot::RemoveCanvasesExcept(const std::string& kept) const {
    std::error_code error;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(CDataFolders::ForWriting(m_folder), error)) {
        const std::string name = entry.path().filename().string();
        // Temporary files a stopped program left behind go too.
        const bool leftOver = name.rfind('.', 0) == 0 && name.find(".tmp-") != std::string::npos;
        if ((IsCanvasName(name) && name != kept) || leftOver) fs::remove(entry.path(), error);
    }
}

void CPictureSlot::Clear() {
    if (m_folder.empty()) return;
    std::remove(CDataFolders::ForWriting(LabelPath()).c_str());
    RemoveCanvasesExcept("");
    ::rmdir(WithoutSlash(CDataFolders::ForWriting(m_folder)).c_str());
}

bool CPictureSlot::MoveTo(const std::string& folder) {
    const std::string target = WithoutSlash(CDataFolders::ForWriting(FolderWithSlash(folder)));
    std::error_code error;
    fs::create_directories(fs::path(target).parent_path(), error);
    if (Exists(folder)) return false;
    return ::rename(WithoutSlash(CDataFolders::ForWriting(m_folder)).c_str(), target.c_str()) == 0;
}
