#include "app/CDataSetup.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/files/CContentReport.h"
#include "platform/files/CDataFolders.h"

namespace fs = std::filesystem;

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
