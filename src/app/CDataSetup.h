#pragma once
#include <string>

// Prepares the two folders the program works in before anything is loaded: checks that
// the shared data folder holds content, creates the user's folder on first start, routes
// file access through CDataFolders and moves into the working folder the program's
// relative paths start from (`play` inside the user's folder). From then on reports about
// content files are also kept in the log file of the user's folder.
class CDataSetup {
  public:
    static constexpr const char* kWorkingFolder = "play";
    // A file every content tree has; without it the folder is not content.
    static constexpr const char* kContentMark = "books/books.txt";
    // The log of reports for grown-ups, in the user's folder.
    static constexpr const char* kLogFile = "talewick.log";

    // False with a message naming the folder at fault.
    bool Prepare(const std::string& sharedFolder, const std::string& userFolder);
    const std::string& Error() const { return m_error; }

    // The folder for the PNG copies of kept pictures, from `xdg-user-dir PICTURES`.
    static std::string PicturesFolder();
    // The folder for `answer` (what xdg-user-dir said, maybe nothing) in `home`: the
    // answer's "Talewick" subfolder, or ~/Pictures/Talewick when there is no answer or
    // it is the home folder itself (the desktop's way of saying there is no pictures
    // folder). Empty when neither gives an absolute folder.
    static std::string PicturesFolderFor(std::string answer, const std::string& home);

  private:
    bool CheckShared(const std::string& sharedFolder);
    bool MakeUserFolder(const std::string& userFolder);

    std::string m_error;
};
