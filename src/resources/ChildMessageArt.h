#pragma once
#include <array>
#include <span>
#include <string>

#include "platform/window/ChildMessage.h"
#include "resources/ContentPaths.h"

// The picture and the spoken line of every kind of message to the child. The program
// shows and plays them; the content kit draws the pictures and speaks the words.
class ChildMessageArt {
  public:
    struct Entry {
        ChildMessage kind = ChildMessage::ContentMissing;
        const char* picture = "";  // in ContentPaths::kMessageBitmaps
        const char* voice = "";    // in ContentPaths::kMessageSounds
        const char* words = "";    // what the voice says, short enough for 1.5 s
    };

    static constexpr std::array<Entry, kChildMessageCount> kEntries = {{
        {ChildMessage::ContentMissing, "missing.bmp", "missing.wav", "Uh oh! Ask a grown-up."},
        {ChildMessage::ScrapbookFull, "full.bmp", "full.wav", "Scrapbook full! Throw one away."},
        {ChildMessage::SaveFailed, "nosave.bmp", "nosave.wav", "Oops! It did not save."},
        {ChildMessage::NoStoryChosen, "nostory.bmp", "nostory.wav", "Pick a story first!"},
        {ChildMessage::NoSlides, "noslide.bmp", "noslide.wav", "No slides here yet!"},
        {ChildMessage::PrintFailed, "noprint.bmp", "noprint.wav", "Oops! It did not print."},
        {ChildMessage::NoPrinter, "printer.bmp", "printer.wav", "There is no printer!"},
        {ChildMessage::CannotOpen, "noopen.bmp", "noopen.wav", "Ask a grown-up to open it."},
    }};

    // The entry of `kind` (the table lists the kinds in their order).
    static constexpr const Entry& Of(ChildMessage kind) {
        return kEntries[static_cast<std::size_t>(kind)];
    }
    static std::span<const Entry> All() { return kEntries; }
    // The picture's and the voice's paths relative to the working folder.
    static std::string PicturePath(ChildMessage kind) {
        return std::string(ContentPaths::kMessageBitmaps) + Of(kind).picture;
    }
    static std::string VoicePath(ChildMessage kind) {
        return std::string(ContentPaths::kMessageSounds) + Of(kind).voice;
    }
};
