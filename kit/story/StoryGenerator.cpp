#include "story/StoryGenerator.h"

#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "check/KitJob.h"
#include "render/Renderer.h"
#include "render/SceneLayers.h"
#include "sounds/Synth.h"
#include "sounds/Voice.h"
#include "story/BinderArt.h"
#include "story/Colouring.h"

namespace {

const char* const kCrLf = "\r\n";

// The kit's crayons for the ready-made slides: the first entry whose word occurs in an
// object's name gives its colour, so a character looks the same in every scene.
struct NamedColour {
    const char* word;
    std::uint32_t rgb;
    std::uint32_t second;  // a pattern's second colour, 0 for a plain crayon
    int pattern;           // 0 plain, 1 stripes, 2 dots
};

const NamedColour kSlideColours[] = {
    {"Pip's ears", 0x8B5A2B, 0, 0},
    {"Pip's eyes", 0x2B2B2B, 0, 0},
    {"nose", 0x3A2A2A, 0, 0},
    {"Pip", 0xE0A860, 0, 0},
    {"Mimi's eyes", 0x4CAF50, 0, 0},
    {"Mimi", 0xB0B0B8, 0, 0},
    {"beak", 0xFF8C1A, 0, 0},
    {"Dot", 0xFFE14D, 0, 0},
    {"sky", 0x8FD3FF, 0, 0},
    {"grass", 0x6CC04A, 0, 0},
    {"hill", 0x7FCB5A, 0, 0},
    {"sun", 0xFFD42A, 0, 0},
    {"moon", 0xFFF3A0, 0, 0},
    {"star", 0xFFE66B, 0, 0},
    {"trunk", 0x8B5A2B, 0, 0},
    {"tree top", 0x3FA34D, 0, 0},
    {"bush", 0x4DB35A, 0, 0},
    {"cloud", 0xF4F8FF, 0, 0},
    {"roof", 0xD94A3D, 0, 0},
    {"doorway", 0x4A2F1F, 0, 0},
    {"doghouse", 0xF2C46D, 0, 0},
    {"ball", 0xE53935, 0xFFFFFF, 1},
    {"blanket", 0xE53935, 0xFFFFFF, 2},
    {"water", 0x4FA8E8, 0, 0},
    {"pond", 0x4FA8E8, 0, 0},
    {"bowl", 0x3D7BE0, 0, 0},
    {"fence posts", 0xF5F0E6, 0, 0},
    {"fence", 0xC98B4E, 0xF5F0E6, 1},
    {"flower stem", 0x3E9E3E, 0, 0},
    {"flower", 0xFF6FB5, 0, 0},
    {"bench", 0xB5703A, 0, 0},
    {"rainbow", 0xFF6F61, 0xFFD54F, 1},
    {"umbrella", 0xFF7043, 0xFFF59D, 1},
    {"bed", 0x7E57C2, 0, 0},
    {"pillow", 0xFFFFFF, 0, 0},
    {"quilt", 0x42A5F5, 0xFFFFFF, 2},
    {"bell", 0xFFC107, 0, 0},
    {"wheel", 0x424242, 0, 0},
    {"apple", 0xE53935, 0, 0},
    {"basket", 0xC58A4A, 0, 0},
    {"lamp", 0xFFEB3B, 0, 0},
    {"bubble", 0xE1F5FE, 0, 0},
    {"tub", 0xFFFFFF, 0, 0},
    {"floor", 0xD7B98E, 0, 0},
    {"wall", 0xFFF1D6, 0, 0},
    {"sand", 0xF4D58D, 0, 0},
    {"sea", 0x3C9BE0, 0, 0},
    {"boat", 0xFFFFFF, 0xE53935, 1},
    {"sail", 0xFFF8E1, 0, 0},
    {"kite", 0xAB47BC, 0xFFEB3B, 1},
    {"path", 0xE0C9A6, 0, 0},
};

const std::uint32_t kFallbackColours[] = {0xEF5350, 0xAB47BC, 0x5C6BC0, 0x29B6F6, 0x26A69A,
                                          0x9CCC65, 0xFFEE58, 0xFFA726, 0x8D6E63, 0xEC407A};

KitImage SlideSwatch(const std::string& name) {
    for (const NamedColour& entry : kSlideColours)
        if (name.find(entry.word) != std::string::npos) {
            if (entry.pattern == 1) return Colouring::Stripes(entry.rgb, entry.second, 6);
            if (entry.pattern == 2) return Colouring::Dots(entry.rgb, entry.second, 5);
            return Colouring::Solid(entry.rgb);
        }
    std::uint32_t hash = 2166136261u;
    for (char c : name) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return Colouring::Solid(kFallbackColours[hash % std::size(kFallbackColours)]);
}

std::string TwoDigits(std::size_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

bool WriteSounds(const Scene& scene, const std::string& soundsDir, std::string& error) {
    for (const SceneObjectInfo& info : scene.objects) {
        if (!info.HasSound()) continue;
        const std::string path = soundsDir + StoryGenerator::SoundFile(info);
        if (std::filesystem::exists(path)) continue;  // several objects may share one effect
        const bool ok = info.effect.empty() ? VoiceToWave(info.phrase, path, 3.0)
                                            : SynthToWave(info.effect, path);
        if (!ok) {
            error = "cannot make the sound for " + info.name;
            return false;
        }
    }
    if (!VoiceToWave(scene.caption, soundsDir + "voice.wav", 9.0)) {
        error = "cannot speak the caption of " + scene.folder;
        return false;
    }
    return true;
}

}  // namespace

bool StoryGenerator::LoadBook(const std::string& bookFile, std::string& error) {
    if (!m_book.Read(bookFile, error)) return false;
    return m_book.LoadScenes(std::filesystem::path(bookFile).parent_path().string(), m_scenes,
                             error);
}

namespace {

// Processor time of the whole process so far, user and system, all threads.
double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

void StoryGenerator::RenderAll() {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    Renderer renderer;
    m_layers.clear();
    for (const Scene& scene : m_scenes) m_layers.push_back(MakeLayers(renderer.Render(scene)));
    m_renderSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m_renderCpuSeconds = ProcessCpuSeconds() - cpuStart;
}

StoryGenerator::Layers StoryGenerator::MakeLayers(const RenderedScene& render) {
    Layers layers;
    layers.shading = SceneLayers::Shading(render);
    layers.mapping = SceneLayers::Mapping(render);
    layers.footprint = SceneLayers::Footprint(render);
    layers.uncoloured = SceneLayers::Uncoloured(render);
    layers.print = SceneLayers::Print(render);
    layers.thumbnail = SceneLayers::Reduce(layers.uncoloured, kThumbWidth, kThumbHeight);
    return layers;
}

StoryGenerator::Layers StoryGenerator::BlankPage() {
    // One object over the whole page, its texture spread once across it, in full light.
    Layers page;
    page.shading = KitImage(kWidth, kHeight, 0xFFFFFF);
    page.mapping = KitImage(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            page.mapping.Set(x, y,
                             (static_cast<std::uint32_t>(x * 256 / kWidth) << 16) |
                                 (static_cast<std::uint32_t>(y * 256 / kHeight) << 8) | 1u);
    // A texture spread once over the page moves under a coordinate a pixel: the finest level.
    page.footprint = KitGreyImage(kWidth, kHeight, {});
    page.uncoloured = KitImage(kWidth, kHeight, 0xFFFFFF);
    page.print = KitImage(kWidth, kHeight, 0xFFFFFF);
    page.thumbnail = KitImage(kThumbWidth, kThumbHeight, 0xFFFFFF);
    return page;
}

KitImage StoryGenerator::ColourScene(const Scene& scene, const Layers& layers) {
    KitImage canvas = layers.uncoloured;
    for (const SceneObjectInfo& info : scene.objects)
        Colouring::FillObject(layers.shading, layers.mapping, info.id, SlideSwatch(info.name),
                              canvas);
    return canvas;
}

std::string StoryGenerator::SoundFile(const SceneObjectInfo& info) {
    if (!info.effect.empty()) return info.effect + ".wav";
    if (!info.phrase.empty()) return "say" + std::to_string(info.id) + ".wav";
    return "";
}

std::string StoryGenerator::DescriptionText(const BookPlan& book,
                                            const std::vector<Scene>& scenes) {
    std::string text;
    auto line = [&text](const std::string& content) { text += content + kCrLf; };
    line("bookname=" + book.bookName);
    line("binder=binder.bmp");
    line("binderhighlight=binderhi.bmp");
    line("slides=slides");
    line("script=" + book.folder + "/script.txt");
    line("NumImages=" + std::to_string(scenes.size()));
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const Scene& scene = scenes[i];
        line(std::to_string(i) + "=");
        line("[imagefolder=" + scene.folder);
        line("[imagename=" + scene.folder);
        line("[lt=shade.bmp");
        line("[mg=map.bmp");
        line("[fp=foot.bmp");
        line("[ou=page.bmp");
        line("[tn=thumb.bmp");
        line("[pr=print.bmp");
        line("[sound=");
        for (const SceneObjectInfo& info : scene.objects)
            if (info.HasSound())
                line("[[objectSound=" + std::to_string(info.id) + "," + SoundFile(info));
        line("[]");
        line("[vo=voice.wav");
        line("[caption=" + scene.caption);
        line("]");
    }
    return text;
}

bool StoryGenerator::WriteAll(std::string& error) {
    // Scenes write into folders of their own, so they are written side by side; most of
    // the time goes into speaking their captions and phrases.
    std::vector<std::string> errors(m_scenes.size());
    std::vector<KitJob> jobs;
    for (std::size_t i = 0; i < m_scenes.size(); ++i)
        jobs.push_back(
            {m_scenes[i].folder, [this, i, &errors] { return WriteScene(i, errors[i]); }});
    std::vector<std::string> failures;
    if (!RunJobs(jobs, failures)) {
        for (const std::string& problem : errors)
            if (!problem.empty()) error = problem;
        return false;
    }
    return WriteBookFiles(error);
}

bool StoryGenerator::WriteScene(std::size_t index, std::string& error) const {
    const Scene& scene = m_scenes[index];
    const Layers& layers = m_layers[index];
    const std::string dir = BookDir() + "/" + scene.folder + "/";
    // The data layers go in the scrambled container, the pictures as plain bitmaps: the
    // program reads both.
    const bool written =
        layers.shading.WriteScrambled(dir + "shade.bmp") &&
        layers.mapping.WriteScrambled(dir + "map.bmp") &&
        layers.footprint.WriteBmp(dir + "foot.bmp") &&
        layers.uncoloured.WriteBmp(dir + "page.bmp") && layers.print.WriteBmp(dir + "print.bmp") &&
        layers.thumbnail.WriteBmp(dir + "thumb.bmp") &&
        ColourScene(scene, layers).WriteBmp(BookDir() + "/slides/" + TwoDigits(index) + ".vkb");
    if (!written) {
        error = "cannot write the layers of " + scene.folder;
        return false;
    }
    std::filesystem::create_directories(dir + "sounds");
    return WriteSounds(scene, dir + "sounds/", error);
}

bool StoryGenerator::WriteBookFiles(std::string& error) const {
    std::string script;
    for (std::size_t i = 0; i < m_scenes.size(); ++i) script += "def\n";
    const bool ok = WriteTextFile(BookDir() + "/" + m_book.folder + ".txt",
                                  DescriptionText(m_book, m_scenes)) &&
                    WriteTextFile(BookDir() + "/script.txt", script) && WriteBinders();
    if (!ok) error = "cannot write the description, script or binders of " + m_book.folder;
    return ok;
}

bool StoryGenerator::WriteTreeFiles(const std::string& contentDir,
                                    const std::vector<std::string>& bookFolders,
                                    std::string& error) {
    const std::string books = BooksDirOf(contentDir);
    std::string catalogue;
    for (const std::string& folder : bookFolders) catalogue += folder + kCrLf;
    catalogue += std::string("scrapbook=scrapbook") + kCrLf;
    const bool ok = WriteTextFile(books + "/" + ContentPaths::kBookCatalogue, catalogue) &&
                    WriteTextFile(books + "/scrapbook/scrapbook.txt",
                                  std::string("bookname=scrapbook") + kCrLf);
    if (!ok) {
        error = "cannot write the catalogue or the scrapbook under " + books;
        return false;
    }
    return WriteScribblePad(books + "/scribble/", error);
}

bool StoryGenerator::WriteScribblePad(const std::string& pad, std::string& error) {
    const Layers page = BlankPage();
    Scene padScene;
    padScene.folder = "page";
    padScene.caption = "Draw anything you like!";
    padScene.objects.push_back(SceneObjectInfo{1, "page", "", ""});
    BookPlan padBook;
    padBook.bookName = "Scribble Pad";
    padBook.folder = "scribble";
    std::string padText = DescriptionText(padBook, {padScene});
    // The pad has neither slides nor a script: drop those two lines.
    for (const char* key : {"slides=slides\r\n", "script=scribble/script.txt\r\n"})
        padText.erase(padText.find(key), std::string(key).size());
    const bool ok =
        WriteTextFile(pad + "scribble.txt", padText) &&
        page.shading.WriteBmp(pad + "page/shade.bmp") &&
        page.mapping.WriteBmp(pad + "page/map.bmp") &&
        page.footprint.WriteBmp(pad + "page/foot.bmp") &&
        page.uncoloured.WriteBmp(pad + "page/page.bmp") &&
        page.print.WriteBmp(pad + "page/print.bmp") &&
        page.thumbnail.WriteBmp(pad + "page/thumb.bmp") &&
        BinderArt::Binder(padBook.bookName, 0x9E9E9E, false).WriteBmp(pad + "binder.bmp") &&
        BinderArt::Binder(padBook.bookName, 0x9E9E9E, true).WriteBmp(pad + "binderhi.bmp");
    if (!ok) {
        error = "cannot write the scribble pad under " + pad;
        return false;
    }
    std::filesystem::create_directories(pad + "page/sounds");
    if (!VoiceToWave(padScene.caption, pad + "page/sounds/voice.wav", 4.0)) {
        error = "cannot speak the scribble pad's caption";
        return false;
    }
    return true;
}

bool StoryGenerator::WriteBinders() const {
    return BinderArt::Binder(m_book.bookName, m_book.binderColour, false)
               .WriteBmp(BookDir() + "/binder.bmp") &&
           BinderArt::Binder(m_book.bookName, m_book.binderColour, true)
               .WriteBmp(BookDir() + "/binderhi.bmp");
}
