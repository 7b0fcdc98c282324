// Loads arbitrary bytes as a slide script, reads and changes entries, saves, and checks
// that the saved script reads back the same.
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "models/CSlideScript.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

const std::string& Folder() {
    static const std::string folder = [] {
        // Every save syncs to disk; memory-backed /dev/shm keeps that cheap.
        std::string name = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        name += "/fuzz-slidescript-XXXXXX";
        if (::mkdtemp(name.data()) == nullptr) std::abort();
        return name;
    }();
    return folder;
}

// An entry value from the input without line ends, which could not survive a save.
std::string ValueFrom(const std::uint8_t* data, std::size_t size) {
    std::string value;
    for (std::size_t i = 0; i < size && i < 40; ++i)
        if (data[i] != '\n' && data[i] != '\r') value.push_back(static_cast<char>(data[i]));
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = Folder() + "/script.txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CSlideScript script;
    Check(script.Load(path, true));
    Check(script.GetCount() >= 0 && script.GetCount() <= CSlideScript::kMaxEntries);
    for (int i = -1; i <= CSlideScript::kMaxEntries; ++i) {
        const bool valid = i >= 0 && i < script.GetCount();
        Check(valid || script.GetEntry(i).empty());
    }
    const int index = size > 0 ? data[0] % 23 - 1 : 0;
    const bool stored = script.SetEntry(index, ValueFrom(data, size));
    Check(stored == (index >= 0 && index < script.GetCount()));
    if (script.IsModified()) Check(script.Save());

    CSlideScript reread;
    Check(reread.Load(path));
    Check(reread.GetCount() == script.GetCount());
    for (int i = 0; i < script.GetCount(); ++i) {
        std::string lowered = script.GetEntry(i);
        for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Check(reread.GetEntry(i) == lowered);
    }
    return 0;
}
