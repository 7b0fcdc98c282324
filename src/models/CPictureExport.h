#pragma once
#include <ctime>
#include <string>

class CDib;

// Copies of the scrapbook's pictures as PNG files for the grown-ups, in a folder of the
// user's own (their pictures folder), one file per scrapbook entry named after its book,
// scene and the time it was first kept. Where the copies go and whether they are made is
// set once for the whole program at start; until a folder is set nothing is written, so
// tests and the scripted driver never touch a real pictures folder. A copy that cannot be
// written or removed is told in the content report and never stops the scrapbook.
class CPictureExport {
  public:
    // The folder the copies go to, made when the first copy is written; empty turns the
    // copies off.
    static void SetFolder(const std::string& folder);
    // Copies are made unless switched off here (the user's settings decide).
    static void SetExportEnabled(bool enabled);
    static bool IsActive();
    static const std::string& Folder();

    // A file name for a new copy, "Book - scene - 2026-12-06 14-03.png", made safe for
    // file systems and not yet taken in the folder.
    static std::string NewName(const std::string& book, const std::string& scene, std::time_t when);
    // `text` readable and safe as part of a file name: no folder separators, control
    // bytes, '=' (the entry file's key mark) or leading dots, and at most kMaxNameBytes.
    static std::string SafeName(const std::string& text);
    static constexpr std::size_t kMaxNameBytes = 120;

    // Writes `canvas` as the copy `name` (replacing it). False when it could not.
    static bool Write(const std::string& name, const CDib& canvas);
    // Removes the copy `name` when it is a plain file of the folder. False when it could not.
    static bool Remove(const std::string& name);
};
