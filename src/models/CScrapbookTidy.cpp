#include "models/CScrapbookTidy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/files/CAtomicFile.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"

namespace fs = std::filesystem;

namespace {

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

bool IsPlainFile(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The entry folders inside `folder`: real folders (no links) with plain, visible names.
std::vector<std::string> EntryFolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.' || entry.is_symlink(error)) continue;
        if (entry.is_directory(error)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

CScrapbookTidy::CScrapbookTidy(std::string folder, EntryReader reader)
    : m_folder(std::move(folder)), m_reader(std::move(reader)) {
    if (m_folder.empty() || m_folder.back() != '/') m_folder += '/';
    m_onDisk = CDataFolders::ForWriting(m_folder);
}

std::string CScrapbookTidy::OnDisk(const std::string& name) const {
    return m_onDisk + name;
}

std::vector<std::string> CScrapbookTidy::Tidy(const std::vector<std::string>& listed,
                                              bool clearHalfMade) {
    CAtomicFile::RemoveLeftovers(m_folder);
    std::vector<std::string> complete;
    for (const std::string& name : EntryFolders(m_onDisk)) {
        CAtomicFile::RemoveLeftovers(m_folder + name);
        if (std::find(listed.begin(), listed.end(), name) != listed.end()) continue;
        EntryFiles files;
        const State state = Inspect(name, files);
        if (state == State::Complete) {
            complete.push_back(name);
        } else if (state == State::HalfMade && clearHalfMade) {
            Clear(name, files);
        } else {
            CContentReport::Report(OnDisk(name),
                                   "an unfinished scrapbook entry that no index "
                                   "line names; it was left as it is");
        }
    }
    return complete;
}

CScrapbookTidy::State CScrapbookTidy::Inspect(const std::string& name, EntryFiles& files) const {
    files = m_reader(name);
    if (!IsPlainName(files.saved) || !IsPlainName(files.thumbnail)) return State::Unfinished;
    const std::string folder = OnDisk(name) + "/";
    if (!IsPlainFile(folder + files.saved)) return State::HalfMade;
    if (files.described && IsPlainFile(folder + files.thumbnail)) return State::Complete;
    return State::Unfinished;
}

// Removes the thumbnail and entry file a cut-short save made, then the folder when that
// leaves it empty; a file of any other name keeps the folder.
void CScrapbookTidy::Clear(const std::string& name, const EntryFiles& files) const {
    const std::string folder = OnDisk(name) + "/";
    for (const std::string& file : {folder + files.thumbnail, folder + name + ".txt"})
        if (IsPlainFile(file)) unlink(file.c_str());
    if (rmdir(OnDisk(name).c_str()) == 0) {
        CContentReport::Report(OnDisk(name),
                               "an unfinished scrapbook entry without its "
                               "picture was cleared away");
    } else {
        CContentReport::Report(OnDisk(name),
                               "an unfinished scrapbook entry holds files of "
                               "other names; it was left as it is");
    }
}
