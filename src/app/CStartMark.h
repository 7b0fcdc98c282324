#pragma once
#include <string>

// Remembers that this user has once sat through the whole start-up: a small file in the
// user's data folder. Its presence is all that counts; it holds one line for whoever finds
// it. Without a path there is no mark and every start counts as the first.
class CStartMark {
  public:
    static constexpr const char* kFileName = "startup-seen";

    explicit CStartMark(std::string path) : m_path(std::move(path)) {}

    bool IsSet() const;
    // Leaves the mark; false when it could not be written (the next start is a first again).
    bool Set() const;

  private:
    std::string m_path;
};
