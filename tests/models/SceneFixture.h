#pragma once
// Small scenes written as real files in a temporary folder, for the model and tool tests.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/window/MessageBox.h"
#include "support/FileText.h"
#include "support/MediaFiles.h"
#include "support/TempDir.h"

namespace fixture {

using testsupport::PixelFn;
using testsupport::ReadAll;
using testsupport::Rgb;
using testsupport::Solid;
using testsupport::TempDir;
using testsupport::WriteBmp;
using testsupport::WriteBmpBits;
using testsupport::WriteText;
using testsupport::WriteWave;

// Description text: lines joined with CR LF.
inline std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Collects message boxes while it lives.
class MessageRecorder {
  public:
    MessageRecorder()
        : m_previous(SetMessageBoxHandler(
              [this](ChildMessage, const std::string& text) { messages.push_back(text); })) {}
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    std::vector<std::string> messages;

  private:
    MessageBoxHandler m_previous;
};

// Scene layers: shading, mapping, uncoloured, a plain white swatch and the book file
// that names them, in `folder`. Mapping pixels come from `mapping`.
struct SceneFiles {
    std::string bookFolder;
    std::string texture;
    std::string selected;
};

inline SceneFiles WriteScene(const std::string& folder, int width, int height,
                             const PixelFn& shading, const PixelFn& mapping,
                             const PixelFn& uncoloured) {
    WriteBmp(folder + "/scene/lt.bmp", width, height, shading);
    WriteBmp(folder + "/scene/mg.bmp", width, height, mapping);
    WriteBmp(folder + "/scene/ou.bmp", width, height, uncoloured);
    WriteBmp(folder + "/tex.bmp", 16, 16, Solid({200, 100, 50}));
    WriteBmp(folder + "/sel.bmp", 4, 4, Solid({1, 2, 3}));
    WriteText(folder + "/story.txt",
              Lines({"bookname=Story", "NumImages=1", "0=", "[imagefolder=scene",
                     "[imagename=first", "[lt=lt.bmp", "[mg=mg.bmp", "[ou=ou.bmp", "]"}));
    return {folder, folder + "/tex.bmp", folder + "/sel.bmp"};
}

}  // namespace fixture
