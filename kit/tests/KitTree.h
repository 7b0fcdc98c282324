#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "KitImage.h"

// The kit's part of the content tree (screens, sounds, crayons, textures and the guide),
// generated once per test run into a scratch folder that is removed when the run ends.
// Empty when the generation failed.
const std::string& KitTree();

// Runs `body` with the working directory set to `dir`, as the program runs in "play/".
class InFolder {
  public:
    explicit InFolder(const std::string& dir);
    ~InFolder();
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

  private:
    std::string m_previous;
};

// The whole file, empty when it cannot be read.
std::vector<std::uint8_t> FileBytes(const std::string& path);
