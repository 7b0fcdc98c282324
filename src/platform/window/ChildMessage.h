#pragma once
#include <string_view>

// What a message tells the child. Each kind has its own picture and spoken line, so a
// child who cannot read still knows what happened and what to do; the English wording
// travels with it as the caption for grown-ups.
enum class ChildMessage {
    ContentMissing,  // a file of the program is missing or damaged: ask a grown-up
    ScrapbookFull,
    SaveFailed,
    NoStoryChosen,
    NoSlides,
    PrintFailed,
    NoPrinter,
    CannotOpen,  // a document for grown-ups has nothing to open it
};

constexpr int kChildMessageCount = static_cast<int>(ChildMessage::CannotOpen) + 1;

// The kind's name as records and logs spell it, e.g. "NoPrinter".
constexpr std::string_view ChildMessageName(ChildMessage kind) {
    switch (kind) {
        case ChildMessage::ContentMissing:
            return "ContentMissing";
        case ChildMessage::ScrapbookFull:
            return "ScrapbookFull";
        case ChildMessage::SaveFailed:
            return "SaveFailed";
        case ChildMessage::NoStoryChosen:
            return "NoStoryChosen";
        case ChildMessage::NoSlides:
            return "NoSlides";
        case ChildMessage::PrintFailed:
            return "PrintFailed";
        case ChildMessage::NoPrinter:
            return "NoPrinter";
        case ChildMessage::CannotOpen:
            return "CannotOpen";
    }
    return "ContentMissing";
}
