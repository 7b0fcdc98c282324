#include "platform/backend/headless/HeadlessAudio.h"

#include <algorithm>
#include <cstring>

namespace {

// Format tags of a wave file's "fmt " chunk: samples stored one by one, samples packed
// in ADPCM blocks, and the extensible header that names its format further in.
constexpr WORD kFormatPcm = 0x0001, kFormatFloat = 0x0003;
constexpr WORD kFormatAlaw = 0x0006, kFormatMulaw = 0x0007;
constexpr WORD kFormatMsAdpcm = 0x0002, kFormatImaAdpcm = 0x0011;
constexpr WORD kFormatExtensible = 0xFFFE;

// What the duration needs from a wave file's "fmt " and "data" chunks.
struct WaveLayout {
    bool hasFormat = false;
    bool hasData = false;
    WORD formatTag = 0;
    WORD channels = 0;
    DWORD sampleRate = 0;
    DWORD bytesPerSecond = 0;
    WORD blockAlign = 0;
    WORD bitsPerSample = 0;
    std::size_t dataLength = 0;  // what the file holds, not what the chunk claims
};

DWORD ReadDword(const BYTE* at) {
    return static_cast<DWORD>(at[0]) | (static_cast<DWORD>(at[1]) << 8) |
           (static_cast<DWORD>(at[2]) << 16) | (static_cast<DWORD>(at[3]) << 24);
}

WORD ReadWord(const BYTE* at) {
    return static_cast<WORD>(at[0] | (at[1] << 8));
}

bool IsTag(const BYTE* at, const char* tag) {
    return std::memcmp(at, tag, 4) == 0;
}

bool ReadFormat(const BYTE* body, std::size_t length, WaveLayout* layout) {
    if (length < 16) return false;
    layout->formatTag = ReadWord(body);
    layout->channels = ReadWord(body + 2);
    layout->sampleRate = ReadDword(body + 4);
    layout->bytesPerSecond = ReadDword(body + 8);
    layout->blockAlign = ReadWord(body + 12);
    layout->bitsPerSample = ReadWord(body + 14);
    // The extensible header names the real encoding in its sub-format.
    if (layout->formatTag == kFormatExtensible) {
        if (length < 40) return false;
        layout->formatTag = ReadWord(body + 24);
    }
    layout->hasFormat = true;
    return true;
}

// Walks the chunks after the RIFF WAVE header. Chunks are searched within the size the
// RIFF header states (a zero size means "up to the end of the file"); the format chunk
// must come whole, the data chunk may be cut short by the end of the file.
bool ReadLayout(const BYTE* data, std::size_t size, WaveLayout* layout) {
    if (size < 12 || !IsTag(data, "RIFF") || !IsTag(data + 8, "WAVE")) return false;
    const DWORD riffSize = ReadDword(data + 4);
    const std::size_t limit =
        riffSize == 0 ? size : std::min<std::size_t>(size, std::size_t{riffSize} + 8);
    std::size_t at = 12;
    while (at + 8 <= limit && !layout->hasData) {
        const BYTE* header = data + at;
        const std::size_t length = ReadDword(header + 4);
        const std::size_t available = size - (at + 8);
        if (IsTag(header, "fmt ") && !layout->hasFormat) {
            if (length > available || !ReadFormat(header + 8, length, layout)) return false;
        } else if (IsTag(header, "data") && layout->hasFormat) {
            layout->dataLength = std::min(length, available);
            layout->hasData = true;
        }
        at += 8 + length + (length & 1);
    }
    return layout->hasData;
}

bool IsLinearFormat(const WaveLayout& layout) {
    const WORD bits = layout.bitsPerSample;
    switch (layout.formatTag) {
        case kFormatPcm:
            return bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kFormatFloat:
            return bits == 32;
        case kFormatAlaw:
        case kFormatMulaw:
            return bits == 8;
        default:
            return false;
    }
}

long long CeilMilliseconds(unsigned long long units, unsigned long long unitsPerSecond) {
    return static_cast<long long>((units * 1000 + unitsPerSecond - 1) / unitsPerSecond);
}

long long DurationOf(const WaveLayout& layout) {
    if (layout.channels == 0 || layout.sampleRate == 0 || layout.blockAlign == 0) return -1;
    if (IsLinearFormat(layout)) {
        const std::size_t frameBytes = std::size_t{layout.channels} * layout.bitsPerSample / 8;
        if (layout.blockAlign < frameBytes) return -1;
        return CeilMilliseconds(layout.dataLength / layout.blockAlign, layout.sampleRate);
    }
    // Compressed blocks: the format's average byte rate is the only clock there is.
    const bool adpcm = layout.formatTag == kFormatMsAdpcm || layout.formatTag == kFormatImaAdpcm;
    if (!adpcm || layout.bytesPerSecond == 0) return -1;
    const std::size_t whole = layout.dataLength / layout.blockAlign * layout.blockAlign;
    return CeilMilliseconds(whole, layout.bytesPerSecond);
}

}  // namespace

HeadlessAudio::HeadlessAudio(std::function<DWORD()> now, std::function<void(DWORD ms)> waitFor)
    : m_now(std::move(now)), m_waitFor(std::move(waitFor)) {}

long long HeadlessAudio::WaveDuration(const BYTE* data, std::size_t size) {
    WaveLayout layout;
    if (data == nullptr || !ReadLayout(data, size, &layout)) return -1;
    return DurationOf(layout);
}

bool HeadlessAudio::Play(WaveBytes wave, const std::string& label, UINT flags) {
    const long long duration = wave ? WaveDuration(wave->data(), wave->size()) : -1;
    if (duration < 0 || duration > 0xFFFFFFFFLL) return Refuse(label, flags);
    if ((flags & SND_NOSTOP) != 0 && IsPlaying()) return Refuse(label, flags);
    StopPlaying();
    const DWORD start = m_now();
    m_record.push_back({label, flags, start, static_cast<DWORD>(start + duration), false});
    m_playingIndex = m_record.size() - 1;
    m_playingWave = std::move(wave);
    if ((flags & SND_ASYNC) == 0) {
        const std::size_t index = m_playingIndex;
        m_waitFor(static_cast<DWORD>(duration));
        // Over now, unless the wait let another sound take its place.
        if (m_playingIndex == index) m_playingWave.reset();
    }
    return true;
}

bool HeadlessAudio::Refuse(const std::string& label, UINT flags) {
    const DWORD now = m_now();
    m_record.push_back({label, flags, now, now, true});
    return false;
}

void HeadlessAudio::StopAll() {
    StopPlaying();
}

bool HeadlessAudio::IsPlaying() {
    if (!m_playingWave) return false;
    const PlayRecord& playing = m_record[m_playingIndex];
    // Unsigned differences stay right when the millisecond clock wraps.
    if (m_now() - playing.start < playing.end - playing.start) return true;
    m_playingWave.reset();
    return false;
}

WaveBytes HeadlessAudio::GetPlayingWave() {
    return IsPlaying() ? m_playingWave : nullptr;
}

// Cuts the sound that plays short at the present time.
void HeadlessAudio::StopPlaying() {
    if (!IsPlaying()) return;
    m_record[m_playingIndex].end = m_now();
    m_playingWave.reset();
}
