#pragma once
#include <string_view>

// Every folder and fixed file the program reads from the content tree. The program runs in
// the tree's play/ folder, so each path is relative to that working folder and starts with
// kRoot; InTree gives the same path relative to the tree itself, as the content kit writes it.
class ContentPaths {
  public:
    static constexpr const char* kRoot = "../";

    // Folders.
    static constexpr const char* kBitmaps = "../bitmaps/";
    static constexpr const char* kQuitBitmaps = "../bitmaps/quit/";
    static constexpr const char* kTrashBitmaps = "../bitmaps/trash/";
    static constexpr const char* kPrintBitmaps = "../bitmaps/print/";
    static constexpr const char* kOptionsBitmaps = "../bitmaps/options/";
    static constexpr const char* kSlidesBitmaps = "../bitmaps/slides/";
    static constexpr const char* kScrapbookBitmaps = "../bitmaps/scrapbk/";
    static constexpr const char* kMessageBitmaps = "../bitmaps/message/";
    static constexpr const char* kBooks = "../books/";
    static constexpr const char* kCrayons = "../Crayons/";
    static constexpr const char* kTextures = "../Textures/";
    static constexpr const char* kSounds = "../sounds/";
    static constexpr const char* kFillSounds = "../sounds/fill/";
    static constexpr const char* kMessageSounds = "../sounds/message/";
    static constexpr const char* kScribblePad = "../books/scribble/";
    // The user's own folders for the picture being coloured and pictures set aside.
    static constexpr const char* kRecovery = "../recovery/";
    static constexpr const char* kSetAside = "../setaside/";

    // Catalogues and descriptions, by name inside their folders.
    static constexpr const char* kBookCatalogue = "books.txt";
    static constexpr const char* kCrayonCatalogue = "crayons.txt";
    static constexpr const char* kTextureCatalogue = "textures.txt";
    static constexpr const char* kScribblePadDescription = "scribble.txt";

    // Full-screen pictures of the start-up and the closing.
    static constexpr const char* kBrandSplash = "../bitmaps/Pimbly.bmp";
    static constexpr const char* kStorySplash = "../bitmaps/story.bmp";
    static constexpr const char* kClosingPicture = "../bitmaps/ploq.bmp";

    // The parents' guide the options screen opens.
    static constexpr const char* kLearningGuide = "../extlearn.wri";

    // Sounds of the coloring screen.
    static constexpr const char* kClickSound = "../sounds/click.wav";
    static constexpr const char* kSmallBrushSound = "../sounds/lttlclr.wav";
    static constexpr const char* kBigBrushSound = "../sounds/bigcolor.wav";
    static constexpr const char* kFillToolSound = "../sounds/fill.wav";
    static constexpr const char* kSmallEraserSound = "../sounds/lttlrsr.wav";
    static constexpr const char* kBigEraserSound = "../sounds/bgrsr.wav";
    static constexpr const char* kOopsSound = "../sounds/oops.wav";
    static constexpr const char* kLibrarySound = "../sounds/library.wav";
    static constexpr const char* kPageTurnSound = "../sounds/pgturn.wav";
    static constexpr const char* kPageTurnBackSound = "../sounds/pgturn2.wav";
    static constexpr const char* kGreetingSound = "../sounds/lets_clr.wav";
    static constexpr const char* kGoodbyeSound = "../sounds/goodbye.wav";
    static constexpr const char* kSunWinkSound = "../sounds/sunwink.wav";
    static constexpr const char* kRainbowSound = "../sounds/shimmer.wav";

    // Sounds of the options, print and trash screens.
    static constexpr const char* kSoundOnSound = "../sounds/sound_on.wav";
    static constexpr const char* kSoundOffSound = "../sounds/soundoff.wav";
    static constexpr const char* kDrawInSound = "../sounds/draw_in.wav";
    static constexpr const char* kDrawOutSound = "../sounds/draw_out.wav";
    static constexpr const char* kPrintAskSound = "../sounds/print.wav";
    static constexpr const char* kPrintedSound = "../sounds/img_prnt.wav";
    static constexpr const char* kTrashAskSound = "../sounds/throw_im.wav";
    static constexpr const char* kTrashGoneSound = "../sounds/img_gone.wav";

    // Sounds of the scrapbook screen and the slide show.
    static constexpr const char* kSlideShowSound = "../sounds/seeslide.wav";
    static constexpr const char* kAddSlideSound = "../sounds/slidshow.wav";
    static constexpr const char* kSlideChangeSound = "../sounds/slidesnd.wav";
    static constexpr const char* kMySlidesSound = "../sounds/myslides.wav";
    static constexpr const char* kStorySlidesSound = "../sounds/strysld.wav";


    // `path` relative to the content tree: without the leading kRoot (unchanged without it).
    static constexpr std::string_view InTree(std::string_view path) {
        const std::string_view root = kRoot;
        return path.starts_with(root) ? path.substr(root.size()) : path;
    }
};
