#pragma once
#include <string>

// Splits the program's files between two folders with the same layout: the shared data
// folder, read only (the installed content), and the user's own folder, which receives
// everything the program writes. The program keeps naming its files by the paths it
// always used, relative to its working folder inside the user's folder; this layer maps
// each such path to the user's copy when there is one and to the shared copy otherwise,
// and sends every write to the user's folder. Until Use is called, paths pass unchanged.
class CDataFolders {
  public:
    // Both folders as absolute paths; false when either cannot be made absolute.
    static bool Use(const std::string& sharedFolder, const std::string& userFolder);
    // Back to unchanged paths.
    static void Reset();
    static bool IsActive();
    static const std::string& SharedFolder();
    static const std::string& UserFolder();

    // The file to read for `path`: the user's copy when it exists, else the shared one.
    static std::string ForReading(const std::string& path);
    // The file to write for `path`: always in the user's folder, with its parent folders
    // created there first.
    static std::string ForWriting(const std::string& path);

    // The file to change in place for `path`: in the user's folder, where the shared copy
    // is copied first when the user has none yet.
    static std::string ForUpdating(const std::string& path);

    // Where the user's own copy of `path` is or would be, without creating anything; empty
    // when no user folder is in use or `path` lies outside it.
    static std::string UserCopy(const std::string& path);

  private:
    // `path` relative to the user's folder, or empty when it lies outside it.
    static std::string Inside(const std::string& path);
};
