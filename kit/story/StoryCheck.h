#pragma once
#include <string>
#include <vector>

// Checks a written story book in a content tree and lists every problem found.
class StoryCheck {
  public:
    static void Run(const std::string& contentDir, std::vector<std::string>& problems);

  private:
    static void CheckBook(const std::string& booksDir, const std::string& folder, bool needsSlides,
                          std::vector<std::string>& problems);
    static void CheckCompanions(const std::string& booksDir, std::vector<std::string>& problems);
};
