#include "sounds/SoundKit.h"

#include "sounds/Synth.h"
#include "sounds/Voice.h"

namespace {

constexpr double kMaxSeconds = 1.45;

SoundPlan Fx(const std::string& path, const std::string& effect) {
    return {path, effect, ""};
}
SoundPlan Say(const std::string& path, const std::string& words) {
    return {path, "", words};
}

}  // namespace

const std::vector<SoundPlan>& ScreenSounds() {
    static const std::vector<SoundPlan> sounds = [] {
        std::vector<SoundPlan> list = {
            Fx("sounds/click.wav", "click"),
            Fx("sounds/pgturn.wav", "pgturn"),
            Fx("sounds/pgturn2.wav", "pgturn2"),
            Fx("sounds/lttlclr.wav", "brush"),
            Fx("sounds/bigcolor.wav", "bigbrush"),
            Fx("sounds/fill.wav", "fill"),
            Fx("sounds/lttlrsr.wav", "eraser"),
            Fx("sounds/bgrsr.wav", "bigeraser"),
            Fx("sounds/slidesnd.wav", "slidesnd"),
            Say("sounds/oops.wav", "Oops!"),
            Say("sounds/library.wav", "Let's find a story!"),
            Say("sounds/lets_clr.wav", "Let's colour!"),
            Say("sounds/goodbye.wav", "Goodbye!"),
            Say("sounds/soundoff.wav", "Sound off"),
            Say("sounds/sound_on.wav", "Sound on"),
            Say("sounds/draw_in.wav", "Stay inside the lines"),
            Say("sounds/draw_out.wav", "Colour anywhere!"),
            Say("sounds/print.wav", "Print your picture?"),
            Say("sounds/img_prnt.wav", "Your picture is printing"),
            Say("sounds/seeslide.wav", "Let's watch the slide show!"),
            Say("sounds/slidshow.wav", "Added to your slides!"),
            Say("sounds/throw_im.wav", "Throw this picture away?"),
            Say("sounds/img_gone.wav", "The picture is gone"),
            Say("sounds/myslides.wav", "My slides"),
            Say("sounds/strysld.wav", "Story slides"),
        };
        for (const char* name :
             {"blop",   "ahooga", "4knocks", "badsax",   "bigboing", "boing",   "bonk",
              "bonk5",  "quahh",  "rbrband", "shrtxylo", "slide",    "slidedn", "slideup",
              "tinhit", "toot",   "uwhaa",   "waheepf",  "whaa",     "whistl2", "zip_hit"})
            list.push_back(Fx(std::string("sounds/fill/") + name + ".wav", name));
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
