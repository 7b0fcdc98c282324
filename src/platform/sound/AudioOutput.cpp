#include "platform/sound/AudioOutput.h"

namespace {
AudioOutput* g_audioOutput = nullptr;
}  // namespace

AudioOutput* SetAudioOutput(AudioOutput* output) {
    AudioOutput* previous = g_audioOutput;
    g_audioOutput = output;
    return previous;
}

AudioOutput* GetAudioOutput() {
    return g_audioOutput;
}
