#include "app/CDataSetup.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPicturesSubfolder = "Talewick";

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// The first line xdg-user-dir prints for the pictures folder; empty when it is missing.
std::string AskForPicturesFolder() {
    std::unique_ptr<FILE, int (*)(FILE*)> command(popen("xdg-user-dir PICTURES 2>/dev/null", "r"),
                                                  pclose);
    if (!command) return {};
    char line[4096];
    if (std::fgets(line, sizeof line, command.get()) == nullptr) return {};
    std::string answer = line;
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
    return answer;
}

}  // namespace

bool CDataSetup::Prepare(const std::string& sharedFolder, const std::string& userFolder) {
    if (!CheckShared(sharedFolder) || !MakeUserFolder(userFolder)) return false;
    if (!CDataFolders::Use(sharedFolder, userFolder)) {
        m_error = "cannot find the data folders " + sharedFolder + " and " + userFolder;
        return false;
    }
    CContentReport::UseLogFile(CDataFolders::UserFolder() + "/" + kLogFile);
    const std::string working = CDataFolders::UserFolder() + "/" + kWorkingFolder;
    if (chdir(working.c_str()) != 0) {
        m_error = "cannot work in " + working;
        return false;
    }
    return true;
}

bool CDataSetup::CheckShared(const std::string& sharedFolder) {
    std::error_code error;
    if (!fs::is_directory(sharedFolder, error)) {
        m_error = "the data folder " + sharedFolder +
                  " is missing; reinstall talewick or name the folder with --data-dir";
        return false;
    }
    const fs::path mark = fs::path(sharedFolder) / kContentMark;
    if (!fs::is_regular_file(mark, error) || access(mark.c_str(), R_OK) != 0) {
        m_error = "the data folder " + sharedFolder + " is damaged (" + kContentMark +
                  " cannot be read); reinstall talewick";
        return false;
    }
    return true;
}

bool CDataSetup::MakeUserFolder(const std::string& userFolder) {
    std::error_code error;
    fs::create_directories(fs::path(userFolder) / kWorkingFolder, error);
    if (!error) return true;
    m_error = "cannot create the user's data folder " + userFolder + ": " + error.message();
    return false;
}

std::string CDataSetup::PicturesFolder() {
    const char* home = std::getenv("HOME");
    return PicturesFolderFor(AskForPicturesFolder(), home != nullptr ? home : "");
}

std::string CDataSetup::PicturesFolderFor(std::string answer, const std::string& home) {
    answer = WithoutTrailingSlashes(answer);
    const std::string homeFolder = WithoutTrailingSlashes(home);
    if (!answer.empty() && answer[0] == '/' && answer != homeFolder)
        return answer + "/" + kPicturesSubfolder;
    if (homeFolder.empty() || homeFolder[0] != '/') return {};
    return homeFolder + "/Pictures/" + kPicturesSubfolder;
}
