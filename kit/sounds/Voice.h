#pragma once
#include <string>

// Speaks `text` with espeak-ng in a friendly English voice and writes it as a 16-bit
// mono 22050 Hz wave file, leading and trailing silence trimmed, mastered like the
// synthesised sounds (peak about -3 dBFS, short fades). When `maxSeconds` is above 0
// the speech is spoken faster until it fits, and cut with a fade if it still does not.
// The same text always gives the same bytes. False when espeak-ng fails or the file
// cannot be written.
bool VoiceToWave(const std::string& text, const std::string& wavPath, double maxSeconds = 0.0);
