#pragma once
#include <string>
#include <string_view>

namespace testsupport {

// The whole file's bytes; empty when it cannot be read.
std::string ReadAll(const std::string& path);
// Replaces the file with `bytes`, creating the folders it lies in.
void WriteText(const std::string& path, std::string_view bytes);

}  // namespace testsupport
