#include "check/TreeCheck.h"

#include <cstdlib>
#include <filesystem>

#include "imaging/CDib.h"
#include "platform/MessageBox.h"
#include "sounds/SoundKit.h"
#include "sounds/WaveFile.h"
#include "stories/CDescParser.h"

namespace {

// Up and down faces (plus a disabled one when `off`) of a button of w x h.
void Faces(std::vector<ExpectedPicture>& list, const std::string& folder, const char* up,
           const char* down, int w, int h, const char* off = nullptr) {
    list.push_back({folder + up, w, h});
    list.push_back({folder + down, w, h});
    if (off) list.push_back({folder + off, w, h});
}

std::string Lookup(const std::string& text, const std::string& key, const std::string& prefix,
                   int start = 0) {
    CDescParser parser;
    int next = 0;
    std::string depth = prefix;
    return parser.GetValue(text, key, start, next, depth);
}

std::string ReadText(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    return ReadFileBytes(path, bytes) ? std::string(bytes.begin(), bytes.end()) : "";
}

void CheckPicture(const std::string& path, const std::string& shown,
                  std::vector<std::string>& problems) {
    KitImage image;
    const std::string problem = LoadPicture(path, image);
    if (!problem.empty()) problems.push_back(shown + ": " + problem);
}

void CheckSound(const std::string& path, const std::string& shown,
                std::vector<std::string>& problems) {
    const std::string problem = CheckWave(path);
    if (!problem.empty()) problems.push_back(shown + ": " + problem);
}

// Walks a catalogue's numbered top-level blocks the way the program's loaders do.
std::vector<std::pair<std::string, std::string>> Blocks(const std::string& text, int count) {
    std::vector<std::pair<std::string, std::string>> blocks;
    CDescParser parser;
    int pos = 0;
    for (int i = 0; i < count; ++i) {
        int next = pos;
        std::string depth;
        const std::string block = parser.GetValue(text, std::to_string(i), pos, next, depth);
        if (depth.empty()) break;
        blocks.push_back({block, depth});
        pos = next;
    }
    return blocks;
}

void CheckCrayons(const std::string& dir, std::vector<std::string>& problems) {
    const std::string shown = "Crayons/crayons.txt";
    const std::string text = ReadText(dir + "/" + shown);
    if (text.empty()) return problems.push_back(shown + ": missing or empty");
    const int count = std::atoi(Lookup(text, "NumCrayonBoxes", "").c_str());
    if (count < 1 || count > 10) problems.push_back(shown + ": NumCrayonBoxes is not 1 to 10");
    const auto boxes = Blocks(text, std::min(count, 10));
    if (static_cast<int>(boxes.size()) < count)
        problems.push_back(shown + ": a box block is missing");
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        const auto& [box, prefix] = boxes[b];
        const std::string images = "Crayons/" + Lookup(box, "BoxFolder", prefix) + "/";
        const std::string sounds = "Crayons/" + Lookup(box, "LanguageEnglishFolder", prefix) + "/";
        const int crayons = std::atoi(Lookup(box, "NumCrayons", prefix).c_str());
        const std::string where = shown + " box " + std::to_string(b);
        if (crayons < 1 || crayons > 21) problems.push_back(where + ": NumCrayons is not 1 to 21");
        for (const char* key : {"Box", "Button"})
            CheckPicture(dir + "/" + images + Lookup(box, key, prefix),
                         images + Lookup(box, key, prefix), problems);
        for (int i = 0; i < std::min(crayons, 21); ++i) {
            int next = 0;
            std::string depth = prefix;
            const std::string block =
                CDescParser().GetValue(box, std::to_string(i), 0, next, depth);
            if (depth.empty()) {
                problems.push_back(where + ": crayon " + std::to_string(i) + " is missing");
                continue;
            }
            for (const char* key : {"Tex", "Sel"}) {
                const std::string file = images + Lookup(block, key, depth);
                CheckPicture(dir + "/" + file, file, problems);
            }
            const std::string snd = sounds + Lookup(block, "Snd", depth);
            CheckSound(dir + "/" + snd, snd, problems);
            int x = -1, y = -1, w = 0, h = 0;
            if (std::sscanf(Lookup(block, "Pos", depth).c_str(), "%d,%d,%d,%d", &x, &y, &w, &h) !=
                    4 ||
                x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > 360 || y + h > 89)
                problems.push_back(where + ": crayon " + std::to_string(i) + " has a bad Pos");
        }
    }
}

void CheckTextures(const std::string& dir, std::vector<std::string>& problems) {
    const std::string shown = "Textures/textures.txt";
    const std::string text = ReadText(dir + "/" + shown);
    if (text.empty()) return problems.push_back(shown + ": missing or empty");
    const int count = std::atoi(Lookup(text, "NumTextures", "").c_str());
    if (count < 3 || count > 13) problems.push_back(shown + ": NumTextures is not 3 to 13");
    const auto blocks = Blocks(text, std::min(count, 13));
    if (static_cast<int>(blocks.size()) < count)
        problems.push_back(shown + ": a texture block is missing");
    for (const auto& [block, prefix] : blocks) {
        for (const char* key : {"Tex", "Sel", "Dsp"}) {
            const std::string file = "Textures/" + Lookup(block, key, prefix);
            CheckPicture(dir + "/" + file, file, problems);
        }
        const std::string snd = "Textures/" + Lookup(block, "Snd", prefix);
        CheckSound(dir + "/" + snd, snd, problems);
    }
}

}  // namespace

const std::vector<ExpectedPicture>& ExpectedPictures() {
    static const std::vector<ExpectedPicture> list = [] {
        std::vector<ExpectedPicture> l;
        const std::string b = "bitmaps/";
        for (const char* full : {"backgrnd.bmp", "Pimbly.bmp", "story.bmp", "ploq.bmp"})
            l.push_back({b + full, 640, 480});
        Faces(l, b, "scenelu.bmp", "sceneld.bmp", 46, 40);
        Faces(l, b, "sceneru.bmp", "scenerd.bmp", 46, 40);
        for (auto [u, d] : {std::pair{"clearu.bmp", "cleard.bmp"},
                            {"eraseu.bmp", "erased.bmp"},
                            {"areau.bmp", "aread.bmp"},
                            {"bbrushu.bmp", "bbrushd.bmp"},
                            {"sbrushu.bmp", "sbrushd.bmp"},
                            {"undou.bmp", "undod.bmp"}})
            Faces(l, b, u, d, 60, 32);
        Faces(l, b, "exitu.bmp", "exitd.bmp", 92, 39);
        Faces(l, b, "texuu.bmp", "texud.bmp", 57, 25);
        Faces(l, b, "texdu.bmp", "texdd.bmp", 57, 25);
        Faces(l, b, "texu.bmp", "texd.bmp", 43, 37);
        Faces(l, b, "LStaru.bmp", "LStard.bmp", 52, 34);
        Faces(l, b, "scrapu.bmp", "scrapd.bmp", 35, 41);
        Faces(l, b, "soundu.bmp", "soundd.bmp", 35, 41);
        l.push_back({b + "quit/exitbox.bmp", 398, 264});
        Faces(l, b + "quit/", "yesup.bmp", "yesdn.bmp", 48, 37);
        Faces(l, b + "quit/", "noup.bmp", "nodn.bmp", 69, 37);
        for (const char* dialog : {"trash/", "print/"}) {
            Faces(l, b + dialog, "yesu.bmp", "yesd.bmp", 54, 75);
            Faces(l, b + dialog, "nou.bmp", "nod.bmp", 54, 75);
        }
        l.push_back({b + "trash/trash.bmp", 399, 264});
        l.push_back({b + "print/print.bmp", 399, 264});
        Faces(l, b + "print/", "textu.bmp", "textd.bmp", 130, 28);
        l.push_back({b + "options/options.bmp", 399, 264});
        l.push_back({b + "options/credits.bmp", 640, 480});
        Faces(l, b + "options/", "oku.bmp", "okd.bmp", 55, 64);
        Faces(l, b + "options/", "sndon.bmp", "sndoff.bmp", 130, 28);
        Faces(l, b + "options/", "inline.bmp", "outline.bmp", 130, 28);
        Faces(l, b + "options/", "extu.bmp", "extd.bmp", 49, 40);
        Faces(l, b + "options/", "credu.bmp", "credd.bmp", 49, 39);
        const std::string s = b + "slides/";
        l.push_back({s + "backgrnd.bmp", 640, 480});
        Faces(l, s, "playu.bmp", "playd.bmp", 58, 54, "playo.bmp");
        Faces(l, s, "pauseu.bmp", "paused.bmp", 53, 49, "pauseo.bmp");
        Faces(l, s, "rewu.bmp", "rewd.bmp", 63, 50, "rewo.bmp");
        Faces(l, s, "thexitu.bmp", "thexitd.bmp", 106, 51, "thexito.bmp");
        Faces(l, s, "filmu.bmp", "filmd.bmp", 89, 58, "filmo.bmp");
        const std::string k = b + "scrapbk/";
        l.push_back({k + "backgrnd.bmp", 640, 480});
        l.push_back({k + "bookfrm.bmp", 260, 180});
        l.push_back({k + "scrpfrm.bmp", 260, 180});
        l.push_back({k + "track.bmp", 328, 28});
        l.push_back({k + "thumb.bmp", 43, 20});
        Faces(l, k, "retu.bmp", "retd.bmp", 92, 51);
        Faces(l, k, "prntu.bmp", "prntd.bmp", 60, 50);
        Faces(l, k, "trshu.bmp", "trshd.bmp", 60, 50);
        Faces(l, k, "scrpu.bmp", "scrpd.bmp", 70, 60);
        Faces(l, k, "imglu.bmp", "imgld.bmp", 46, 40);
        Faces(l, k, "imgru.bmp", "imgrd.bmp", 46, 40);
        Faces(l, k, "optu.bmp", "optd.bmp", 70, 51);
        Faces(l, k, "proju.bmp", "projd.bmp", 70, 55);
        Faces(l, k, "addu.bmp", "addd.bmp", 70, 50);
        Faces(l, k, "scribu.bmp", "scribd.bmp", 60, 50);
        return l;
    }();
    return list;
}

std::string LoadPicture(const std::string& path, KitImage& image) {
    if (!std::filesystem::is_regular_file(path)) return "missing";
    std::string said;
    MessageBoxHandler previous =
        SetMessageBoxHandler([&said](const std::string& text) { said = text; });
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
    }
    for (const SoundSpec& sound : ScreenSounds())
        CheckSound(dir + "/" + sound.path, sound.path, problems);
    CheckCrayons(dir, problems);
    CheckTextures(dir, problems);
    if (ReadText(dir + "/extlearn.wri").rfind("{\\rtf", 0) != 0)
        problems.push_back("extlearn.wri: missing or not an RTF document");
}
