#include "sounds/SoundKit.h"

#include "resources/CStringTable.h"
#include "resources/ChildMessageArt.h"
#include "resources/ContentPaths.h"
#include "sounds/Synth.h"
#include "sounds/Voice.h"

namespace {

constexpr double kMaxSeconds = 1.45;

// A sound the program reads from `path`, written where the content tree keeps it.
SoundPlan Fx(const char* path, const std::string& effect) {
    return {std::string(ContentPaths::InTree(path)), effect, ""};
}
SoundPlan Say(const char* path, const std::string& words) {
    return {std::string(ContentPaths::InTree(path)), "", words};
}

}  // namespace

const std::vector<SoundPlan>& ScreenSounds() {
    static const std::vector<SoundPlan> sounds = [] {
        std::vector<SoundPlan> list = {
            Fx(ContentPaths::kClickSound, "click"),
            Fx(ContentPaths::kPageTurnSound, "pgturn"),
            Fx(ContentPaths::kPageTurnBackSound, "pgturn2"),
            Fx(ContentPaths::kSmallBrushSound, "brush"),
            Fx(ContentPaths::kBigBrushSound, "bigbrush"),
            Fx(ContentPaths::kFillToolSound, "fill"),
            Fx(ContentPaths::kSmallEraserSound, "eraser"),
            Fx(ContentPaths::kBigEraserSound, "bigeraser"),
            Fx(ContentPaths::kSlideChangeSound, "slidesnd"),
            Fx(ContentPaths::kSunWinkSound, "wink"),
            Fx(ContentPaths::kRainbowSound, "shimmer"),
            Say(ContentPaths::kOopsSound, "Oops!"),
            Say(ContentPaths::kLibrarySound, "Let's find a story!"),
            Say(ContentPaths::kGreetingSound, "Let's colour!"),
            Say(ContentPaths::kGoodbyeSound, "Goodbye!"),
            Say(ContentPaths::kSoundOffSound, "Sound off"),
            Say(ContentPaths::kSoundOnSound, "Sound on"),
            Say(ContentPaths::kDrawInSound, "Stay inside the lines"),
            Say(ContentPaths::kDrawOutSound, "Colour anywhere!"),
            Say(ContentPaths::kPrintAskSound, "Print your picture?"),
            Say(ContentPaths::kPrintedSound, "Your picture is printing"),
            Say(ContentPaths::kSlideShowSound, "Let's watch the slide show!"),
            Say(ContentPaths::kAddSlideSound, "Added to your slides!"),
            Say(ContentPaths::kTrashAskSound, "Throw this picture away?"),
            Say(ContentPaths::kTrashGoneSound, "The picture is gone"),
            Say(ContentPaths::kMySlidesSound, "My slides"),
            Say(ContentPaths::kStorySlidesSound, "Story slides"),
        };
        // The voices of the messages to the child.
        const std::string messages(ContentPaths::InTree(ContentPaths::kMessageSounds));
        for (const ChildMessageArt::Entry& entry : ChildMessageArt::All())
            list.push_back({messages + entry.voice, "", entry.words});
        // The fill sounds: the program's string table names them.
        const std::string folder(ContentPaths::InTree(ContentPaths::kFillSounds));
        for (int i = 0; i < CStringTable::kFillSoundCount; ++i) {
            const std::string file =
                CStringTable::Load(CStringTable::kFillSoundFirst + static_cast<UINT>(i));
            list.push_back({folder + file, file.substr(0, file.rfind('.')), ""});
        }
        return list;
    }();
    return sounds;
}

void AddSoundJobs(const std::string& contentDir, const std::vector<SoundPlan>& sounds,
                  std::vector<KitJob>& jobs) {
    for (const SoundPlan& sound : sounds) {
        const std::string path = contentDir + "/" + sound.path;
        jobs.push_back({sound.path, [sound, path] {
                            return sound.speech.empty()
                                       ? SynthToWave(sound.effect, path)
                                       : VoiceToWave(sound.speech, path, kMaxSeconds);
                        }});
    }
}
