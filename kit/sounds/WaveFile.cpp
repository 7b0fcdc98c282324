#include "sounds/WaveFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "KitImage.h"

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t GetLe(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | in[at + i];
    return value;
}

bool TagAt(const std::vector<std::uint8_t>& in, std::size_t at, const char* tag) {
    return at + 4 <= in.size() && std::equal(tag, tag + 4, in.begin() + static_cast<long>(at));
}

int PeakOf(std::vector<std::int16_t>::const_iterator first,
           std::vector<std::int16_t>::const_iterator last) {
    int peak = 0;
    for (auto it = first; it != last; ++it) peak = std::max(peak, std::abs(static_cast<int>(*it)));
    return peak;
}

}  // namespace

std::vector<std::uint8_t> WaveFile::Encode(const std::vector<std::int16_t>& samples, int rate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    PutLe(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 1, 2);  // mono
    PutLe(out, static_cast<std::uint32_t>(rate), 4);
    PutLe(out, static_cast<std::uint32_t>(rate * 2), 4);
    PutLe(out, 2, 2);
    PutLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLe(out, dataBytes, 4);
    for (std::int16_t s : samples) PutLe(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

std::string WaveFile::Parse(const std::vector<std::uint8_t>& in) {
    if (in.size() < 12 || !TagAt(in, 0, "RIFF") || !TagAt(in, 8, "WAVE"))
        return "not a RIFF WAVE file";
    if (GetLe(in, 4, 4) + 8 > in.size()) return "RIFF length runs past the end of the file";
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= in.size()) {
        const std::uint32_t length = GetLe(in, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + length > in.size()) return "chunk runs past the end of the file";
        if (TagAt(in, at, "fmt ")) {
            if (length < 16) return "fmt chunk too short";
            if (GetLe(in, body, 2) != 1) return "not PCM";
            channels = static_cast<int>(GetLe(in, body + 2, 2));
            rate = static_cast<int>(GetLe(in, body + 4, 4));
            bits = static_cast<int>(GetLe(in, body + 14, 2));
            if (channels < 1 || rate <= 0 || (bits != 8 && bits != 16)) return "unusual format";
            haveFormat = true;
        } else if (TagAt(in, at, "data")) {
            if (!haveFormat) return "data chunk before fmt chunk";
            const std::size_t frame = static_cast<std::size_t>(channels) * (bits / 8);
            samples.clear();
            for (std::size_t p = body; p + frame <= body + length; p += frame) {
                samples.push_back(bits == 16 ? static_cast<std::int16_t>(GetLe(in, p, 2))
                                             : static_cast<std::int16_t>((in[p] - 128) * 256));
            }
            return "";
        }
        at = body + length + (length & 1);
    }
    return haveFormat ? "no data chunk" : "no fmt chunk";
}

std::string WaveFile::Read(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return "cannot be opened";
    return Parse(bytes);
}

int WaveFile::Peak() const {
    return PeakOf(samples.begin(), samples.end());
}

int WaveFile::PeakOfHead(std::size_t count) const {
    return PeakOf(samples.begin(),
                  samples.begin() + static_cast<long>(std::min(count, samples.size())));
}

int WaveFile::PeakOfTail(std::size_t count) const {
    return PeakOf(samples.end() - static_cast<long>(std::min(count, samples.size())),
                  samples.end());
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
    return WriteFileBytes(path, WaveFile::Encode(samples));
}

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}
