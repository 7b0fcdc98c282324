#include <gtest/gtest.h>

#include "ImagingTestSupport.h"
#include "imaging/CDib.h"
#include "platform/files/CAtomicFile.h"
#include "platform/draw/CMemoryDC.h"

namespace {

Bytes SaveToBytes(const CDib& dib, const std::string& name) {
    const std::string path = TempPath(name);
    EXPECT_TRUE(dib.Save(path));
    return ReadAll(path);
}

BITMAPINFOHEADER& InfoOf(Bytes& bmp) {
    return *reinterpret_cast<BITMAPINFOHEADER*>(&bmp[14]);
}

}  // namespace

// Every depth, either row order, as plain file and as container: loaded rows are bottom-up
// and writing gives back the bottom-up file byte for byte.
TEST(DibFiles, RoundTripsEveryDepthAndRowOrder) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (bool topDown : {false, true}) {
            for (bool scrambled : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << bits << " bpp, topDown " << topDown << ", scrambled " << scrambled);
                const BmpLayout plan{5, 3, bits, topDown, 0};
                BmpLayout bottomUp = plan;
                bottomUp.topDown = false;
                const Bytes expected = MakeBmp(bottomUp);
                const Bytes file = scrambled ? ContainerOf(MakeBmp(plan)) : MakeBmp(plan);
                MessageRecorder messages;
                CDib dib;
                ASSERT_TRUE(dib.Load(WriteTemp("rt.bmp", file)));
                EXPECT_TRUE(messages.texts.empty());
                EXPECT_EQ(dib.GetSize(), CSize(5, 3));
                EXPECT_EQ(SaveToBytes(dib, "rt-out.bmp"), expected);
                if (bits >= 8) {
                    BYTE px[3];
                    ASSERT_TRUE(dib.GetPixelBytes(1, 0, px));  // picture row 0 is the top
                    EXPECT_EQ(px[0], Pattern(bits / 8, 0));
                }
            }
        }
    }
}

TEST(DibFiles, DerivedSizesColourCountsAndPalette) {
    CDib dib;
    ASSERT_TRUE(dib.Load(WriteTemp("w3.bmp", MakeBmp({3, 4, 24}))));
    EXPECT_EQ(dib.GetStride(), 12u);
    EXPECT_EQ(dib.GetImageSize(), 48u);
    EXPECT_EQ(dib.GetHeaderSize(), 44u);  // 40-byte header plus room for one entry
    EXPECT_EQ(dib.GetColourCount(), 0);
    EXPECT_EQ(dib.GetPalette(), nullptr);

    ASSERT_TRUE(dib.Load(WriteTemp("p256.bmp", MakeBmp({4, 2, 8}))));
    EXPECT_EQ(dib.GetColourCount(), 256);
    ASSERT_NE(dib.GetPalette(), nullptr);
    ASSERT_EQ(dib.GetPalette()->GetEntryCount(), 256u);
    const PALETTEENTRY e = dib.GetPalette()->Entries()[10];  // table entry (b 10, g 20, r 245)
    EXPECT_EQ((Bytes{e.peRed, e.peGreen, e.peBlue}), (Bytes{245, 20, 10}));
    const Bytes written = SaveToBytes(dib, "p256-out.bmp");
    EXPECT_EQ((Bytes(written.begin() + 10, written.begin() + 14)), (Bytes{0x36, 4, 0, 0}));  // 1078

    ASSERT_TRUE(dib.Load(WriteTemp("p20.bmp", MakeBmp({4, 2, 8, false, 20}))));
    EXPECT_EQ(dib.GetColourCount(), 20);
    EXPECT_EQ(dib.GetPalette()->GetEntryCount(), 20u);
}

TEST(DibFiles, MissingFileIsReportedAndLeavesImageEmpty) {
    MessageRecorder messages;
    CDib dib;
    ASSERT_TRUE(dib.Create(2, 2));
    EXPECT_FALSE(dib.Load(TempPath("no-such-file.bmp")));
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Failed to open bitmap file"});
    EXPECT_FALSE(dib.Save(TempPath("no-such-dir/x.bmp")));
}

// Each malformed header field is refused with the plain-file message and an empty image.
TEST(DibBadFiles, MalformedHeaderFieldsAreRefused) {
    struct Case {
        const char* what;
        bool inFileHeader;
        BmpLayout plan;
        void (*spoil)(Bytes&);
    };
    const Case cases[] = {
        {"type", true, {}, [](Bytes& b) { b[0] = 'X'; }},
        {"offBits below header", true, {}, [](Bytes& b) { b[10] = 40; }},
        {"offBits below file header", true, {}, [](Bytes& b) { b[10] = 3; }},
        {"offBits huge", true, {}, [](Bytes& b) { b[13] = 0x7F; }},
        {"biSize 12", false, {}, [](Bytes& b) { InfoOf(b).biSize = 12; }},
        {"biSize 124", false, {}, [](Bytes& b) { InfoOf(b).biSize = 124; }},
        {"width 0", false, {}, [](Bytes& b) { InfoOf(b).biWidth = 0; }},
        {"width negative", false, {}, [](Bytes& b) { InfoOf(b).biWidth = -3; }},
        {"width too big", false, {}, [](Bytes& b) { InfoOf(b).biWidth = 16385; }},
        {"height 0", false, {}, [](Bytes& b) { InfoOf(b).biHeight = 0; }},
        {"height too big", false, {}, [](Bytes& b) { InfoOf(b).biHeight = -16385; }},
        {"height minimum", false, {}, [](Bytes& b) { InfoOf(b).biHeight = INT32_MIN; }},
        {"over 256 MiB",
         false,
         {},
         [](Bytes& b) { InfoOf(b).biWidth = InfoOf(b).biHeight = 16384; }},
        {"compressed", false, {}, [](Bytes& b) { InfoOf(b).biCompression = 1; }},
        {"bit count 2", false, {}, [](Bytes& b) { InfoOf(b).biBitCount = 2; }},
        {"bit count 0", false, {}, [](Bytes& b) { InfoOf(b).biBitCount = 0; }},
        {"size image short", false, {}, [](Bytes& b) { InfoOf(b).biSizeImage = 5; }},
        {"size image huge", false, {}, [](Bytes& b) { InfoOf(b).biSizeImage = 0xFFFFFFF0; }},
        {"colours over 256", false, {2, 2, 8}, [](Bytes& b) { InfoOf(b).biClrUsed = 257; }},
        {"table past header",
         false,
         {2, 2, 8, false, 16},
         [](Bytes& b) { InfoOf(b).biClrUsed = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = MakeBmp(c.plan);
        c.spoil(file);
        for (bool scrambled : {false, true}) {
            if (scrambled && c.inFileHeader) continue;  // a container has no file header
            MessageRecorder messages;
            CDib dib;
            EXPECT_FALSE(dib.Load(WriteTemp("bad.bmp", scrambled ? ContainerOf(file) : file)));
            EXPECT_FALSE(dib.IsValid());
            if (scrambled) {
                EXPECT_TRUE(messages.texts.empty());
            } else {
                EXPECT_EQ(messages.texts, std::vector<std::string>{"Invalid bitmap file"});
            }
        }
    }
}

TEST(DibBadFiles, EveryTruncationIsRefusedWithTheRightMessage) {
    const Bytes file = MakeBmp({3, 2, 8, false, 2});
    for (std::size_t n = 0; n < file.size(); ++n) {
        MessageRecorder messages;
        CDib dib;
        EXPECT_FALSE(dib.Load(WriteTemp("cut.bmp", Bytes(file.begin(), file.begin() + n))));
        EXPECT_FALSE(dib.IsValid());
        CSurface surface(2, 2, 32);
        CMemoryDC dc(surface);
        EXPECT_FALSE(dib.Paint(dc, 0, 0, 2, 2, nullptr));
        EXPECT_EQ(surface.GetPixel(0, 0), RGB(0, 0, 0));
        const char* expected = n < 14 ? "read error 1" : "Read error 1";
        EXPECT_EQ(messages.texts, std::vector<std::string>{expected}) << "cut at " << n;
    }
    const Bytes container = ContainerOf(file);
    for (std::size_t n = 4; n < container.size(); ++n) {
        MessageRecorder messages;
        CDib dib;
        EXPECT_FALSE(
            dib.Load(WriteTemp("cut.bmp", Bytes(container.begin(), container.begin() + n))));
        EXPECT_TRUE(messages.texts.empty()) << "cut at " << n;
    }
}

TEST(DibBadFiles, MalformedContainersAreRefusedSilently) {
    const Bytes bmp = MakeBmp({2, 2, 24});
    const Bytes header(bmp.begin() + 14, bmp.begin() + 54), rows(bmp.begin() + 54, bmp.end());
    auto spoiled = [&](std::size_t at, BYTE value) {
        Bytes c = ContainerOf(bmp);
        c[at] = value;
        return c;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"version 2", spoiled(4, 2)},
        {"table over 1024", spoiled(7, 0x04)},
        {"table not 4 + 8N", spoiled(8, 21)},
        {"count 0", spoiled(12, 0)},
        {"offsets not back to back", spoiled(16, 30)},
        {"chunk past the file", spoiled(25, 0x7F)},
        {"one chunk", MakeContainer({header})},
        {"short header chunk", MakeContainer({Bytes(header.begin(), header.begin() + 39), rows})},
        {"short pixel chunk", MakeContainer({header, Bytes(rows.begin(), rows.end() - 1)})},
    };
    for (const auto& [what, file] : cases) {
        SCOPED_TRACE(what);
        MessageRecorder messages;
        CDib dib;
        EXPECT_FALSE(dib.Load(WriteTemp("badc.bmp", file)));
        EXPECT_FALSE(dib.IsValid());
        EXPECT_TRUE(messages.texts.empty());
    }
}

TEST(Container, UnscramblesWithTheLengthKeyedSequenceAndRewinds) {
    // Stored zeros come out as the key itself: for length 300 it starts at 300 mod 256 = 0x2C.
    Bytes file{0xDD, 0xEE, 0xFF, 0xEE, 1, 0, 0, 0, 12, 0, 0, 0, 1, 0, 0, 0, 21, 0, 0, 1, 0x2C};
    file.resize(file.size() + 300, 0);
    CFile in;
    ASSERT_TRUE(in.Open(WriteTemp("x300.bin", file), CFile::modeRead));
    CEncrypt container;
    EXPECT_TRUE(container.IsScrambled(in));
    EXPECT_EQ(in.GetPosition(), 0);
    std::vector<CEncrypt::Chunk> chunks;
    ASSERT_TRUE(container.Unscramble(in, chunks));
    ASSERT_EQ(chunks.size(), 1u);
    ASSERT_EQ(chunks[0].length, 300u);
    const BYTE* c = chunks[0].bytes.get();
    EXPECT_EQ((Bytes{c[0], c[1], c[43], c[44], c[45], c[46], c[299]}),
              (Bytes{0x2C, 0x2B, 0x01, 0x00, 0xFF, 0xFE, 0x01}));
}

TEST(DibFiles, FailedSaveKeepsThePreviousFile) {
    CDib first, second;
    ASSERT_TRUE(first.Create(2, 2));
    ASSERT_TRUE(second.Create(3, 3));
    const std::string path = TempPath("keep.bmp");
    ASSERT_TRUE(first.Save(path));
    const Bytes before = ReadAll(path);
    for (int step = 1; step <= 4; ++step) {
        CAtomicFile::FailAtStep(step);
        EXPECT_FALSE(second.Save(path)) << step;
        EXPECT_EQ(ReadAll(path), before) << step;
    }
    CAtomicFile::ResetSteps();
}
