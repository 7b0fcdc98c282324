// The written book read back through the program's own readers: the description,
// the layers' encodings, sounds, catalogue, scrapbook and scribble pad.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "KitGreyImage.h"
#include "KitTree.h"
#include "imaging/CDib.h"
#include "models/CBookCatalogue.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/CGlimScrapbook.h"
#include "platform/window/MessageBox.h"
#include "story/BookReader.h"
#include "story/Colouring.h"
#include "story/StoryCheck.h"
#include "story/StoryGenerator.h"
#include "story/StoryKit.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A two-scene book in a fresh folder, generated into content/ beside it.
class StoryBookTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root = fs::temp_directory_path() / ("story_book_test_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "kit");
        Write(root / "kit/figs.lib",
              "group pup\nobject id=0 name=\"pup's head\" shape=sphere map=spherical "
              "scale=0.5 at=0,0.5,0 sound=bark\nend\n");
        Write(root / "kit/a.scene",
              "scene first\ncaption Hello, pup.\ncamera from=0,1.5,-5 to=0,0.5,0 fov=50\n"
              "light dir=-1,1,-1 power=0.8 spread=5\nsky id=1 name=sky sound=tweet\n"
              "object id=2 name=grass shape=plane map=planar\nuse pup id=3 at=-0.8,0,0\n"
              "object id=4 name=bell shape=cone map=cylindrical scale=0.4 at=1,0.4,0 "
              "say=\"Ding dong\"\n");
        Write(root / "kit/b.scene",
              "scene second\ncaption Bye, pup.\ncamera from=0,1.5,-5 to=0,0.5,0\n"
              "light dir=1,1,-1 power=0.8\nsky id=1 name=sky\n"
              "object id=2 name=grass shape=plane map=planar\nuse pup id=7 at=0,0,0\n");
        Write(
            root / "kit/t.book",
            "bookname Test Tales\nfolder tales\nlibrary figs.lib\nscene a.scene\nscene b.scene\n");
        StoryGenerator generator((root / "content").string());
        std::string error;
        ASSERT_TRUE(generator.LoadBook((root / "kit/t.book").string(), error)) << error;
        generator.RenderAll();
        ASSERT_TRUE(generator.WriteAll(error)) << error;
        ASSERT_TRUE(StoryGenerator::WriteTreeFiles((root / "content").string(), {"tales"}, error))
            << error;
    }
    static void TearDownTestSuite() { fs::remove_all(root); }

    static fs::path Books() { return root / "content/books"; }
    static inline fs::path root;
};

}  // namespace

TEST_F(StoryBookTest, TheProgramLoadsTheBookWithItsScenesSoundsAndCaptions) {
    // The program runs one folder below the content tree and finds the script through "../books/".
    struct InPlayFolder {
        fs::path previous = fs::current_path();
        InPlayFolder() {
            fs::create_directories(root / "content/play");
            fs::current_path(root / "content/play");
        }
        ~InPlayFolder() { fs::current_path(previous); }
    } inPlay;
    CGlimBook book;
    ASSERT_TRUE(book.Load("../books/tales", "tales.txt"));
    EXPECT_EQ(book.GetBookName(), "Test Tales");
    ASSERT_EQ(book.GetImageCount(), 2);
    EXPECT_TRUE(book.HasSlides());
    EXPECT_TRUE(book.HasScript());
    EXPECT_EQ(book.FindImageByName("second"), 1);
    CGlimImage* first = book.GetImage(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetCaption(), "Hello, pup.");
    EXPECT_EQ(first->GetObjectSoundCount(), 3);  // sky, head, bell
    EXPECT_EQ(book.GetImage(1)->GetObjectSoundCount(), 1);
    EXPECT_TRUE(fs::exists(book.GetSlidePath(1, false)));
    ASSERT_NE(book.GetBinderPicture(), nullptr);
    EXPECT_TRUE(book.GetBinderPicture()->IsValid());
    // The mapping layer as the program reads it names the head where the head is drawn.
    ASSERT_TRUE(first->EnsureCanvas(false));
    ASSERT_TRUE(first->EnsureMapping(false));
    const CSize size = first->GetSize();
    EXPECT_EQ(size.cx, StoryGenerator::kWidth);
    EXPECT_EQ(size.cy, StoryGenerator::kHeight);
    bool headSeen = false;
    for (int x = 0; x < size.cx && !headSeen; x += 3)
        headSeen = first->GetRegionId(x, size.cy / 2 + 20) == 3;
    EXPECT_TRUE(headSeen);
}

TEST_F(StoryBookTest, LayersDecodeThroughTheProgramsBitmapReader) {
    const fs::path scene = Books() / "tales/first";
    CDib shading, mapping, uncoloured, print;
    ASSERT_TRUE(shading.Load((scene / "shade.bmp").string()));  // scrambled container
    ASSERT_TRUE(mapping.Load((scene / "map.bmp").string()));
    ASSERT_TRUE(uncoloured.Load((scene / "page.bmp").string()));
    ASSERT_TRUE(print.Load((scene / "print.bmp").string()));
    const CSize size = shading.GetSize();
    ASSERT_EQ(size.cx, 398);
    for (const CDib* layer : {&mapping, &uncoloured, &print}) {
        EXPECT_EQ(layer->GetSize().cx, size.cx);
        EXPECT_EQ(layer->GetSize().cy, size.cy);
    }
    int outlinePixels = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            // Light is grey; ids are those of the scene; outlines are dark everywhere they are
            // drawn.
            EXPECT_EQ(shading.GetByte0(x, y), shading.GetByte2(x, y));
            const int id = mapping.GetByte0(x, y);
            ASSERT_TRUE(id >= 1 && id <= 4) << id;
            if (print.GetByte0(x, y) < 64) {
                ++outlinePixels;
                EXPECT_LT(shading.GetByte0(x, y), 120);
                EXPECT_LT(uncoloured.GetByte0(x, y), 140);
            }
        }
    EXPECT_GT(outlinePixels, 200);
}

TEST_F(StoryBookTest, SlidesAreTheLayersColouredThroughTheFillArithmetic) {
    KitImage shading(2, 1, 0x808080), mapping(2, 1), canvas(2, 1, 0xFFFFFF);
    mapping.Set(0, 0, 0x000005);  // id 5, u 0, v 0
    mapping.Set(1, 0, 0xF00007);  // another object
    const KitImage swatch = Colouring::Stripes(0xFF8040, 0x0000FF, 2);
    EXPECT_EQ(Colouring::FillObject(shading, mapping, 5, swatch, canvas), 1);
    EXPECT_EQ(canvas.Get(0, 0),
              ((0xFFu * 128 >> 8) << 16) | ((0x80u * 128 >> 8) << 8) | (0x40u * 128 >> 8));
    EXPECT_EQ(canvas.Get(1, 0), 0xFFFFFFu);  // other ids untouched
    const KitImage dithered = Colouring::DitherToCube(KitImage(4, 4, 0x6D40AA));
    for (int x = 0; x < 4; ++x) {
        const std::uint32_t c = dithered.Get(x, 1);
        EXPECT_EQ((c & 0xFF) % 85, 0u);
        for (int shift : {8, 16}) {
            const int level = static_cast<int>((c >> shift) & 0xFF);
            EXPECT_EQ(level, static_cast<int>(static_cast<int>(std::lround(level / 36.5)) * 36.5));
        }
    }
}

TEST_F(StoryBookTest, TheCatalogueLeadsTheProgramToTheBookAndAnEmptyScrapbook) {
    const InFolder inPlay((root / "content/play").string());
    CBookCatalogue catalogue;
    ASSERT_TRUE(catalogue.Read());
    const CBookCatalogue::Line* first = catalogue.GetFirstBook();
    ASSERT_NE(first, nullptr);
    CGlimBook book;
    ASSERT_TRUE(book.Load(first->folder, first->descriptionFile));
    EXPECT_EQ(book.GetBookName(), "Test Tales");
    const CBookCatalogue::Line* scrapbookLine = catalogue.GetScrapbook();
    ASSERT_NE(scrapbookLine, nullptr);
    const std::string index = scrapbookLine->scrapbookFolder + "/" + scrapbookLine->indexFile;
    const auto before = fs::last_write_time(index);
    CGlimScrapbook scrapbook;
    ASSERT_TRUE(scrapbook.Load(scrapbookLine->scrapbookFolder, scrapbookLine->indexFile));
    EXPECT_EQ(scrapbook.GetCount(), 0);
    EXPECT_EQ(scrapbook.GetScrapbookName(), "scrapbook");
    // The shipped index is read as it is, not replaced by one the program makes.
    EXPECT_EQ(fs::last_write_time(index), before);
}

TEST_F(StoryBookTest, DataLayersAreScrambledAndPicturesPlain) {
    for (const char* scene : {"first", "second"}) {
        const fs::path dir = Books() / "tales" / scene;
        for (const char* layer : {"shade.bmp", "map.bmp", "page.bmp", "print.bmp", "thumb.bmp"}) {
            const std::vector<std::uint8_t> bytes = FileBytes((dir / layer).string());
            ASSERT_GE(bytes.size(), 4u) << layer;
            const bool scrambled = bytes[0] == 0xDD && bytes[1] == 0xEE && bytes[2] == 0xFF;
            const bool plain = bytes[0] == 'B' && bytes[1] == 'M';
            const bool dataLayer =
                std::string(layer) == "shade.bmp" || std::string(layer) == "map.bmp";
            EXPECT_EQ(scrambled, dataLayer) << scene << "/" << layer;
            EXPECT_EQ(plain, !dataLayer) << scene << "/" << layer;
        }
    }
    for (const fs::path& slide :
         {Books() / "tales/slides/00.vkb", Books() / "tales/slides/01.vkb"}) {
        const std::vector<std::uint8_t> bytes = FileBytes(slide.string());
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_TRUE(bytes[0] == 'B' && bytes[1] == 'M') << slide;
    }
}

TEST_F(StoryBookTest, TheCheckCoversEveryBookTheCatalogueNames) {
    // A second book beside the first: its own folder and description, the same script.
    const fs::path copy = root / "multi";
    fs::remove_all(copy);
    fs::copy(root / "content", copy, fs::copy_options::recursive);
    const fs::path books = copy / "books";
    fs::copy(books / "tales", books / "more", fs::copy_options::recursive);
    fs::rename(books / "more/tales.txt", books / "more/more.txt");
    Write(books / "books.txt", "tales\r\nmore\r\nscrapbook=scrapbook\r\n");
    std::vector<std::string> problems;
    StoryCheck::Run(copy.string(), problems);
    for (const std::string& problem : problems) ADD_FAILURE() << problem;

    fs::remove(books / "more/second/thumb.bmp");
    problems.clear();
    StoryCheck::Run(copy.string(), problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("more/second"), std::string::npos) << problems[0];

    // A footprint layer in true colour, and one of another size than its mapping layer.
    fs::copy_file(books / "more/first/page.bmp", books / "more/first/foot.bmp",
                  fs::copy_options::overwrite_existing);
    KitGreyImage(10, 10, {}).WriteBmp((books / "more/second/foot.bmp").string());
    problems.clear();
    StoryCheck::Run(copy.string(), problems);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("more/first/foot.bmp: the footprint layer has 24 bits"),
              std::string::npos)
        << problems[0];
    EXPECT_NE(problems[2].find("more/second/foot.bmp: the footprint layer's size differs"),
              std::string::npos)
        << problems[2];
    fs::remove_all(copy);
}

TEST(KitBooks, TheFirstStoryLeadsAndEveryBookHasAFolderOfItsOwn) {
    const std::vector<std::string> files = KitBookFiles();
    ASSERT_GE(files.size(), 3u);
    EXPECT_TRUE(files[0].ends_with("/books/story.book")) << files[0];
    std::set<std::string> folders;
    for (const std::string& file : files) {
        BookPlan book;
        std::string error;
        ASSERT_TRUE(book.Read(file, error)) << error;
        EXPECT_GE(book.sceneFiles.size(), 10u) << file;
        EXPECT_TRUE(folders.insert(book.folder).second) << "two books share " << book.folder;
    }
}

TEST_F(StoryBookTest, CompanionFilesAreThereAndTheCheckFindsNoProblem) {
    std::vector<std::string> problems;
    StoryCheck::Run((root / "content").string(), problems);
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
    EXPECT_EQ(fs::file_size(Books() / "scrapbook/scrapbook.txt"), 20u);
    CGlimBook pad;
    ASSERT_TRUE(pad.Load((Books() / "scribble").string(), "scribble.txt"));
    EXPECT_EQ(pad.GetBookName(), "Scribble Pad");
    ASSERT_EQ(pad.GetImageCount(), 1);
    EXPECT_FALSE(pad.HasSlides());
    CGlimImage* page = pad.GetImage(0);
    EXPECT_EQ(page->GetRegionId(0, 0), 1);
    EXPECT_EQ(page->GetRegionId(397, 263), 1);

    // A lost sound and a lost layer are both reported.
    fs::remove(Books() / "tales/second/sounds/bark.wav");
    fs::remove(Books() / "tales/first/print.bmp");
    problems.clear();
    StoryCheck::Run((root / "content").string(), problems);
    EXPECT_EQ(problems.size(), 2u);
}

TEST(StoryBookReader, ReadsBlocksAndRejectsBadLineEnds) {
    BookReader reader;
    EXPECT_EQ(
        reader.Parse(
            "NumImages=1\r\n0=\r\n[imagefolder=a\r\n[sound=\r\n[[objectSound=4,x.wav\r\n[]\r\n"
            "[caption=Hi\r\n]\r\n"),
        "");
    ASSERT_EQ(reader.scenes.size(), 1u);
    EXPECT_EQ(reader.scenes[0].folder, "a/");
    ASSERT_EQ(reader.scenes[0].sounds.size(), 1u);
    EXPECT_EQ(reader.scenes[0].sounds[0].first, 4);
    EXPECT_EQ(reader.scenes[0].caption, "Hi");
    BookReader bad;
    EXPECT_NE(bad.Parse("bookname=x\n"), "");
    EXPECT_NE(BookReader().Parse("0=\r\n[lt=a\r\n"), "");
}
