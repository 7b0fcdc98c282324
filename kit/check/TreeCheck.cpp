#include "check/TreeCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "imaging/CDib.h"
#include "models/CDescParser.h"
#include "platform/window/MessageBox.h"
#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"
#include "sounds/SoundKit.h"
#include "sounds/WaveFile.h"

namespace {

// Up and down faces (plus a disabled one when `off`) of a button of w x h.
void Faces(std::vector<ExpectedPicture>& list, const std::string& folder, const char* up,
           const char* down, int w, int h, const char* off = nullptr) {
    list.push_back({folder + up, w, h, ""});
    list.push_back({folder + down, w, h, folder + up});
    if (off) list.push_back({folder + off, w, h, folder + up});
}

std::string Lookup(const std::string& text, const std::string& key, const std::string& prefix) {
    int next = 0;
    std::string depth = prefix;
    return CDescParser().GetValue(text, key, 0, next, depth);
}

std::string ReadText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    return ReadFileBytes(path, bytes) ? std::string(bytes.begin(), bytes.end()) : "";
}

void Report(const std::string& shown, const std::string& problem,
            std::vector<std::string>& problems) {
    if (!problem.empty()) problems.push_back(shown + ": " + problem);
}

// One block of a catalogue with its depth prefix.
struct Block {
    std::string text;
    std::string prefix;
};

// Walks the numbered blocks 0 .. count - 1 of `text` at depth `prefix` the way the program's
// loaders do, stopping at the first one that is missing.
std::vector<Block> Blocks(const std::string& text, int count, const std::string& prefix) {
    std::vector<Block> blocks;
    CDescParser parser;
    int pos = 0;
    for (int i = 0; i < count; ++i) {
        int next = pos;
        std::string depth = prefix;
        const std::string block = parser.GetValue(text, std::to_string(i), pos, next, depth);
        if (depth.empty()) break;
        blocks.push_back({block, depth});
        pos = next;
    }
    return blocks;
}

// Checks the pictures a block names under `keys` (file names relative to `folder`).
void CheckPictures(const std::string& dir, const std::string& folder, const Block& block,
                   std::initializer_list<const char*> keys, std::vector<std::string>& problems) {
    for (const char* key : keys) {
        const std::string file = folder + Lookup(block.text, key, block.prefix);
        KitImage image;
        Report(file, LoadPicture(dir + "/" + file, image), problems);
    }
}

// Checks a swatch block: its pictures and the sound its "Snd" key names in `soundFolder`.
void CheckSwatch(const std::string& dir, const std::string& folder, const std::string& soundFolder,
                 const Block& block, std::initializer_list<const char*> keys,
                 std::vector<std::string>& problems) {
    CheckPictures(dir, folder, block, keys, problems);
    const std::string sound = soundFolder + Lookup(block.text, "Snd", block.prefix);
    Report(sound, CheckWave(dir + "/" + sound), problems);
}

// Reads a catalogue and the count it declares; the count's problem is reported when it lies
// outside 1..`most`, and a missing block when fewer than the count are there.
std::vector<Block> CatalogueBlocks(const std::string& text, const std::string& shown,
                                   const std::string& countKey, const std::string& prefix,
                                   int fewest, int most, const std::string& what,
                                   std::vector<std::string>& problems) {
    const int count = std::atoi(Lookup(text, countKey, prefix).c_str());
    if (count < fewest || count > most)
        problems.push_back(shown + ": " + countKey + " is not " + std::to_string(fewest) + " to " +
                           std::to_string(most));
    std::vector<Block> blocks = Blocks(text, std::clamp(count, 0, most), prefix);
    if (static_cast<int>(blocks.size()) < count)
        problems.push_back(shown + ": " + what + " is missing");
    return blocks;
}

bool CrayonPosFits(const std::string& pos) {
    const CRect& area = ScreenLayouts::Coloring::kCrayonArea.rect;
    int x = -1, y = -1, w = 0, h = 0;
    return std::sscanf(pos.c_str(), "%d,%d,%d,%d", &x, &y, &w, &h) == 4 && x >= 0 && y >= 0 &&
           w > 0 && h > 0 && x + w <= area.Width() && y + h <= area.Height();
}

void CheckCrayons(const std::string& dir, std::vector<std::string>& problems) {
    const std::string crayons(ContentPaths::InTree(ContentPaths::kCrayons));
    const std::string shown = crayons + ContentPaths::kCrayonCatalogue;
    const std::string text = ReadText(dir + "/" + shown);
    if (text.empty()) return problems.push_back(shown + ": missing or empty");
    const auto boxes =
        CatalogueBlocks(text, shown, "NumCrayonBoxes", "", 1, 10, "a box block", problems);
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        const Block& box = boxes[b];
        const std::string images = crayons + Lookup(box.text, "BoxFolder", box.prefix) + "/";
        const std::string sounds =
            crayons + Lookup(box.text, "LanguageEnglishFolder", box.prefix) + "/";
        const std::string where = shown + " box " + std::to_string(b);
        CheckPictures(dir, images, box, {"Box", "Button"}, problems);
        const auto crayons =
            CatalogueBlocks(box.text, where, "NumCrayons", box.prefix, 1, 21, "a crayon", problems);
        for (std::size_t i = 0; i < crayons.size(); ++i) {
            CheckSwatch(dir, images, sounds, crayons[i], {"Tex", "Sel"}, problems);
            if (!CrayonPosFits(Lookup(crayons[i].text, "Pos", crayons[i].prefix)))
                problems.push_back(where + ": crayon " + std::to_string(i) + " has a bad Pos");
        }
    }
}

void CheckTextures(const std::string& dir, std::vector<std::string>& problems) {
    const std::string textures(ContentPaths::InTree(ContentPaths::kTextures));
    const std::string shown = textures + ContentPaths::kTextureCatalogue;
    const std::string text = ReadText(dir + "/" + shown);
    if (text.empty()) return problems.push_back(shown + ": missing or empty");
    for (const Block& block :
         CatalogueBlocks(text, shown, "NumTextures", "", 3, 13, "a texture block", problems))
        CheckSwatch(dir, textures, textures, block, {"Tex", "Sel", "Dsp"}, problems);
}

// A down or disabled face must look different from its up face, or a press shows nothing.
void CheckFaceDiffers(const std::string& dir, const ExpectedPicture& face, const KitImage& image,
                      std::vector<std::string>& problems) {
    KitImage up;
    if (face.upFace.empty() || !LoadPicture(dir + "/" + face.upFace, up).empty()) return;
    if (up.Width() == image.Width() && up.Height() == image.Height() &&
        MeanDifference(up, image) <= kSameLookingFaces)
        problems.push_back(face.path + ": looks the same as " + face.upFace);
}

}  // namespace

const std::vector<ExpectedPicture>& ExpectedPictures() {
    static const std::vector<ExpectedPicture> list = [] {
        std::vector<ExpectedPicture> l;
        std::set<std::string> named;
        for (const ScreenLayout& screen : ScreenLayouts::All()) {
            const std::string folder(ContentPaths::InTree(screen.folder));
            for (const ScreenPicture& picture : screen.pictures)
                l.push_back({folder + picture.file, picture.width, picture.height, ""});
            for (const ControlLayout& control : screen.controls) {
                // Controls that share faces (the texture slots) name them once.
                if (!control.HasFaces() || !named.insert(folder + control.up).second) continue;
                Faces(l, folder, control.up, control.down, control.rect.Width(),
                      control.rect.Height(), control.disabled);
            }
        }
        return l;
    }();
    return list;
}

std::string LoadPicture(const std::string& path, KitImage& image) {
    if (!std::filesystem::is_regular_file(path)) return "missing";
    std::string said;
    MessageBoxHandler previous =
        SetMessageBoxHandler([&said](ChildMessage, const std::string& text) { said = text; });
    CDib dib;
    const BOOL loaded = dib.Load(path);
    SetMessageBoxHandler(previous);
    if (!loaded || !dib.IsValid()) return "does not load" + (said.empty() ? "" : " (" + said + ")");
    const BITMAPINFOHEADER& h = dib.GetHeader()->bmiHeader;
    if (h.biBitCount != 24) return "is not a 24-bit picture";
    const int w = static_cast<int>(h.biWidth), ht = static_cast<int>(h.biHeight);
    const std::size_t stride = ((static_cast<std::size_t>(w) * 24 + 31) / 32) * 4;
    image = KitImage(w, ht, 0);
    for (int y = 0; y < ht; ++y) {
        const BYTE* row = dib.GetBits() + stride * (ht - 1 - y);
        for (int x = 0; x < w; ++x)
            image.Set(x, y, (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x]);
    }
    return "";
}

std::string CheckWave(const std::string& path) {
    WaveFile wave;
    const std::string problem = wave.Read(path);
    if (!problem.empty()) return problem;
    if (wave.channels != 1 || wave.rate != WaveFile::kRate || wave.bits != 16)
        return "is not 16-bit mono 22050 Hz";
    if (wave.samples.empty() || wave.Seconds() >= 1.5) return "is empty or 1.5 s or longer";
    const int peak = wave.Peak();
    if (peak < 16384 || peak > 26000) return "peak is not near -3 dBFS";
    if (wave.PeakOfHead(2) > peak / 8 || wave.PeakOfTail(2) > peak / 8)
        return "starts or ends with a click";
    return "";
}

void CheckTree(const std::string& dir, std::vector<std::string>& problems) {
    for (const ExpectedPicture& expected : ExpectedPictures()) {
        KitImage image;
        const std::string problem = LoadPicture(dir + "/" + expected.path, image);
        if (!problem.empty())
            problems.push_back(expected.path + ": " + problem);
        else if (image.Width() != expected.width || image.Height() != expected.height)
            problems.push_back(expected.path + ": is " + std::to_string(image.Width()) + " x " +
                               std::to_string(image.Height()) + ", the layout needs " +
                               std::to_string(expected.width) + " x " +
                               std::to_string(expected.height));
        else
            CheckFaceDiffers(dir, expected, image, problems);
    }
    for (const SoundPlan& sound : ScreenSounds())
        Report(sound.path, CheckWave(dir + "/" + sound.path), problems);
    CheckCrayons(dir, problems);
    CheckTextures(dir, problems);
    const std::string guidePath(ContentPaths::InTree(ContentPaths::kLearningGuide));
    const std::string guide = ReadText(dir + "/" + guidePath);
    if (guide.empty())
        problems.push_back(guidePath + ": missing or empty");
    else
        Report(guidePath, RtfProblem(guide), problems);
}

double MeanDifference(const KitImage& a, const KitImage& b) {
    if (a.Bytes().size() != b.Bytes().size() || a.Bytes().empty()) return 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i < a.Bytes().size(); ++i)
        sum += std::abs(static_cast<int>(a.Bytes()[i]) - static_cast<int>(b.Bytes()[i]));
    return sum / static_cast<double>(a.Bytes().size());
}

std::string RtfProblem(const std::string& text) {
    if (text.rfind("{\\rtf1", 0) != 0) return "does not start with {\\rtf1";
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch > 0x7F) return "holds a byte that is not 7-bit text";
        if (depth == 0 && i > 0 && !std::isspace(ch)) return "has text after its closing brace";
        if (ch == '\\') {
            ++i;  // an escaped brace or backslash, or the first letter of a control word
        } else if (ch == '{') {
            ++depth;
        } else if (ch == '}') {
            --depth;
        }
    }
    return depth == 0 ? "" : "has unbalanced braces";
}
