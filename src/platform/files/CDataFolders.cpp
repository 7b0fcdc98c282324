#include "platform/files/CDataFolders.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct Folders {
    std::string shared;
    std::string user;
};

Folders& State() {
    static Folders folders;
    return folders;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

std::string WithoutSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? std::string() : WithoutSlash(absolute.lexically_normal().string());
}

}  // namespace

bool CDataFolders::Use(const std::string& sharedFolder, const std::string& userFolder) {
    const std::string shared = Absolute(sharedFolder);
    const std::string user = Absolute(userFolder);
    if (shared.empty() || user.empty()) return false;
    State() = Folders{shared, user};
    return true;
}

void CDataFolders::Reset() {
    State() = Folders{};
}

bool CDataFolders::IsActive() {
    return !State().user.empty();
}

const std::string& CDataFolders::SharedFolder() {
    return State().shared;
}

const std::string& CDataFolders::UserFolder() {
    return State().user;
}

std::string CDataFolders::Inside(const std::string& path) {
    if (!IsActive() || path.empty()) return {};
    const fs::path relative = fs::path(Absolute(path)).lexically_relative(State().user);
    const std::string text = relative.string();
    if (text.empty() || text == "." || text.rfind("..", 0) == 0) return {};
    // A path naming a folder keeps its trailing slash, as callers join names to it.
    return path.back() == '/' ? text + "/" : text;
}

std::string CDataFolders::ForReading(const std::string& path) {
    const std::string relative = Inside(path);
    if (relative.empty()) return path;
    const std::string own = State().user + "/" + relative;
    if (Exists(own)) return own;
    const std::string shared = State().shared + "/" + relative;
    return Exists(shared) ? shared : own;
}

std::string CDataFolders::UserCopy(const std::string& path) {
    const std::string relative = Inside(path);
    return relative.empty() ? std::string() : State().user + "/" + relative;
}

std::string CDataFolders::ForWriting(const std::string& path) {
    const std::string relative = Inside(path);
    if (relative.empty()) return path;
    const std::string own = State().user + "/" + relative;
    std::error_code error;
    fs::create_directories(fs::path(WithoutSlash(own)).parent_path(), error);
    return own;
}

std::string CDataFolders::ForUpdating(const std::string& path) {
    const std::string found = ForReading(path);
    const std::string own = ForWriting(path);
    if (found != own) {
        std::error_code error;
        fs::copy_file(found, own, error);
    }
    return own;
}
