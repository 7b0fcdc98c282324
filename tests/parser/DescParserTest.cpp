#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "models/CDescParser.h"

namespace {

// Joins lines with the CR LF line end of description files.
std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

struct Lookup {
    std::string value;
    int nextPos = -99;
    std::string prefix;
};

Lookup Find(const std::string& text, const std::string& key, int start = 0,
            const std::string& prefix = "") {
    Lookup result;
    result.prefix = prefix;
    result.value = CDescParser().GetValue(text, key, start, result.nextPos, result.prefix);
    return result;
}

// A book file with a scene block holding a nested sound block, "[" as the marker.
const std::string kBook = Lines({"NumImages=2", "0=", "[imagefolder=../books/farm/barn",
                                 "[sound=", "[[objectSound=3,cow.wav", "[[objectSound=7,hen.wav",
                                 "[]", "[voice=barn.wav", "]", "1=", "[imagefolder=pond", "]"});

TEST(DescParser, SimpleEntriesAtTopLevel) {
    const std::string text = Lines({"title=  The Farm  ", "count=12", "empty=x"});
    Lookup first = Find(text, "title");
    EXPECT_EQ(first.value, "  The Farm  ");
    EXPECT_EQ(first.nextPos, static_cast<int>(text.find("count")));
    EXPECT_EQ(first.prefix, "");

    Lookup withEquals = Find(text, "count=");
    EXPECT_EQ(withEquals.value, "12");
    EXPECT_EQ(Find(text, "count").nextPos, withEquals.nextPos);

    Lookup missing = Find(text, "colour", 5, "[");
    EXPECT_EQ(missing.value, "");
    EXPECT_EQ(missing.nextPos, 5);
    EXPECT_EQ(missing.prefix, "");

    // Keys match byte for byte, with nothing trimmed around the "=".
    const std::string loose = Lines({"Name=Barn", "size =3", "depth= 4"});
    EXPECT_EQ(Find(loose, "name").value, "");
    EXPECT_EQ(Find(loose, "size").value, "");
    EXPECT_EQ(Find(loose, "depth").value, " 4");
}

TEST(DescParser, FirstOccurrenceDecidesEvenWhenOutOfColumn) {
    const std::string text = Lines({"bookname=Farm", "name=Pond"});
    Lookup name = Find(text, "name");
    EXPECT_EQ(name.value, "");
    EXPECT_EQ(name.nextPos, 0);
    EXPECT_EQ(Find(text, "bookname").value, "Farm");
    // Searching past the first occurrence reaches the later line.
    EXPECT_EQ(Find(text, "name", Find(text, "bookname").nextPos).value, "Pond");
}

TEST(DescParser, ColumnFollowsDepthPrefix) {
    const std::string block = Find(kBook, "0").value;
    // Top-level lookups never see keys of nested blocks, and the reverse.
    EXPECT_EQ(Find(kBook, "imagefolder").value, "");
    EXPECT_EQ(Find(block, "imagefolder", 0, "[").value, "../books/farm/barn");
    EXPECT_EQ(Find(block, "imagefolder", 0, "").value, "");
    EXPECT_EQ(Find(kBook, "NumImages", 0, "[").value, "");
    // A key exactly prefix-length bytes into the searched text counts.
    EXPECT_EQ(Find("[a=1\r\n", "a", 0, "[").value, "1");
    EXPECT_EQ(Find("a=1\r\n", "a", 0, "[").value, "");
}

TEST(DescParser, BlocksAtEveryDepth) {
    Lookup scene = Find(kBook, "0");
    EXPECT_EQ(scene.prefix, "[");
    EXPECT_EQ(scene.value.substr(0, 12), "[imagefolder");
    EXPECT_EQ(scene.value.back(), '\n');
    // One byte past the CR behind the terminator: on the LF that ends it.
    EXPECT_EQ(kBook.substr(static_cast<std::size_t>(scene.nextPos) - 2, 4), "]\r\n1");

    Lookup sound = Find(scene.value, "sound", 0, scene.prefix);
    EXPECT_EQ(sound.prefix, "[[");
    EXPECT_EQ(sound.value, Lines({"[[objectSound=3,cow.wav", "[[objectSound=7,hen.wav"}));
    EXPECT_EQ(Find(scene.value, "voice", sound.nextPos, "[").value, "barn.wav");

    Lookup first = Find(sound.value, "objectSound", 0, sound.prefix);
    EXPECT_EQ(first.value, "3,cow.wav");
    EXPECT_EQ(first.prefix, "");
    Lookup second = Find(sound.value, "objectSound", first.nextPos, "[[");
    EXPECT_EQ(second.value, "7,hen.wav");
    Lookup third = Find(sound.value, "objectSound", second.nextPos, "[[");
    EXPECT_EQ(third.value, "");
    EXPECT_EQ(third.nextPos, second.nextPos);
}

TEST(DescParser, EmptyAndOneLineBlocks) {
    const std::string text = Lines({"a=", "]", "b=", "[abc", "]", "c=1"});
    Lookup empty = Find(text, "a");
    EXPECT_EQ(empty.value, "");
    EXPECT_EQ(empty.prefix, "[");
    EXPECT_EQ(empty.nextPos, static_cast<int>(text.find("]\r\n") + 2));

    Lookup one = Find(text, "b");
    EXPECT_EQ(one.value, "[abc\r\n");
    EXPECT_EQ(Find(text, "c", one.nextPos).value, "1");
}

TEST(DescParser, WalksNumberedBlocksUntilTheFirstGap) {
    std::vector<std::string> folders;
    int pos = 0;
    for (int number = 0;; ++number) {
        Lookup scene = Find(kBook, std::to_string(number), pos);
        if (scene.value.empty()) break;
        folders.push_back(Find(scene.value, "imagefolder", 0, scene.prefix).value);
        pos = scene.nextPos;
    }
    EXPECT_EQ(folders, (std::vector<std::string>{"../books/farm/barn", "pond"}));
}

// Catalogues are read as a count, then blocks numbered from 0 after it, stopping at the
// first block the reader refuses.
TEST(DescParser, CountThenNumberedBlocksInOrder) {
    const CDescParser parser;
    int position = -1;
    EXPECT_EQ(parser.GetCount(kBook, "NumImages", position), 2);
    EXPECT_EQ(position, static_cast<int>(kBook.find("0=")));
    int missing = -1;
    EXPECT_EQ(parser.GetCount(kBook, "NumCrayonBoxes", missing), 0);
    EXPECT_EQ(missing, 0);

    std::vector<std::string> folders;
    const int taken = parser.LoadNumberedBlocks(
        kBook, 2, position, [&](int index, const std::string& block, const std::string& prefix) {
            EXPECT_EQ(static_cast<int>(folders.size()), index);
            folders.push_back(Find(block, "imagefolder", 0, prefix).value);
            return true;
        });
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(folders, (std::vector<std::string>{"../books/farm/barn", "pond"}));

    // A refused block stops the walk; a count past the blocks leaves the rest empty.
    EXPECT_EQ(
        parser.LoadNumberedBlocks(
            kBook, 2, position, [](int, const std::string&, const std::string&) { return false; }),
        0);
    int emptyBlocks = 0;
    EXPECT_EQ(parser.LoadNumberedBlocks(kBook, 3, position,
                                        [&](int, const std::string& block, const std::string&) {
                                            emptyBlocks += block.empty() ? 1 : 0;
                                            return true;
                                        }),
              3);
    EXPECT_EQ(emptyBlocks, 1);
}

TEST(DescParser, UnterminatedTextsReturnTheRemainder) {
    EXPECT_EQ(Find("a=1\r\nb=tail", "b").value, "tail");
    EXPECT_EQ(Find("a=1\r\nb=tail", "b").nextPos, 11);
    Lookup block = Find("x=\r\n[k=v\r\n[l=w", "x");
    EXPECT_EQ(block.value, "[k=v\r\n[l=w");
    EXPECT_EQ(block.prefix, "[");
    EXPECT_EQ(block.nextPos, 14);
    EXPECT_EQ(Find("x=\r", "x").value, "");
    EXPECT_EQ(Find("x=", "x").value, "");
    EXPECT_EQ(Find(kBook, "NumImages", -1).nextPos, -1);
    EXPECT_EQ(Find(kBook, "NumImages", -1).value, "");
}

// Every prefix of a real file, every key, every start: nothing reads outside the text
// (the sanitizer build catches that) and nextPos stays within [startPos, length].
TEST(DescParser, NextPosStaysInsideEveryTruncation) {
    const std::vector<std::string> keys = {"NumImages", "0", "1", "sound", "objectSound", "voice"};
    const std::vector<std::string> prefixes = {"", "[", "[["};
    for (std::size_t length = 0; length <= kBook.size(); ++length) {
        const std::string text = kBook.substr(0, length);
        for (int start = 0; start <= static_cast<int>(length); start += 3) {
            for (const std::string& key : keys) {
                for (const std::string& prefix : prefixes) {
                    Lookup found = Find(text, key, start, prefix);
                    ASSERT_GE(found.nextPos, start);
                    ASSERT_LE(found.nextPos, static_cast<int>(length));
                    ASSERT_LE(found.value.size(), length);
                }
            }
        }
    }
}

class ShortReadFile : public CFile {
  public:
    UINT Read(void* buffer, UINT count) override {
        return count == 0 ? 0 : CFile::Read(buffer, count - 1);
    }
};

TEST(DescParser, FileFormReadsTheWholeFile) {
    char name[] = "/tmp/descparser-XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    ::close(fd);
    std::ofstream(name, std::ios::binary) << kBook;

    CFile file;
    ASSERT_TRUE(file.Open(name, CFile::modeRead));
    file.Seek(7, CFile::begin);  // the lookup must not depend on the current position
    int next = 0;
    std::string prefix;
    EXPECT_EQ(CDescParser().GetValue(file, "NumImages", 0, next, prefix), "2");
    EXPECT_EQ(next, static_cast<int>(kBook.find("0=")));

    ShortReadFile shortFile;
    ASSERT_TRUE(shortFile.Open(name, CFile::modeRead));
    prefix = "[";
    EXPECT_EQ(CDescParser().GetValue(shortFile, "NumImages", 4, next, prefix), "");
    EXPECT_EQ(next, 4);
    EXPECT_EQ(prefix, "");
    ::unlink(name);
}

}  // namespace
