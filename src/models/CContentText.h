#pragma once
#include <string>
#include <string_view>
#include <vector>

// The text of a content file as the readers expect it. Files are written by hand in any
// editor, so lines may end in CR LF, LF or a lone CR and the last line may have no end at
// all; the readers' syntax is CR LF lines, and this class brings every form to it.
class CContentText {
  public:
    // `text` with every line ended by CR LF, a missing end on the last line added.
    static std::string WithCrLf(std::string_view text);
    // The lines of `text` without their ends, whichever form they have (CRs piled up before
    // an LF make one end); a last line without an end counts.
    static std::vector<std::string> Lines(std::string_view text);
    // Reads the whole file at `path` with CR LF lines; false when it cannot be read.
    static bool Read(const std::string& path, std::string& text);
    // Reads a catalogue of `things` ("crayons", "textures"); when it cannot be read, says
    // so in the content report and to the user, and returns false.
    static bool ReadCatalogue(const std::string& path, const std::string& things,
                              std::string& text);
};
