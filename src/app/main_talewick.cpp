// talewick: the colouring book on the real display.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CColoringApp.h"
#include "app/CDataSetup.h"
#include "app/CProgramOptions.h"
#include "models/CPictureExport.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/base/CQuitSignals.h"

namespace {

// Where this program's file lies, to find the data installed beside it.
std::string ProgramPath(const char* argv0) {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return argv0;
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

int Run(const CProgramOptions& options) {
    CDataSetup folders;
    if (!folders.Prepare(options.DataFolder(), options.UserFolder())) {
        std::fprintf(stderr, "talewick: %s\n", folders.Error().c_str());
        return 1;
    }
    CPictureExport::SetFolder(CDataSetup::PicturesFolder());
    SdlBackend backend(options.IsWindowed());
    if (!backend.IsReady()) {
        std::fprintf(stderr, "talewick: %s\n", backend.Error().c_str());
        return 1;
    }
    CQuitSignals signals([&backend] { backend.Wake(); });
    backend.SetQuitHandler([] { theApp.RequestQuit(); });
    SetBackend(&backend);
    const int status = AfxWinMain(theApp);
    SetBackend(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CProgramOptions options;
    if (!options.Parse(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fprintf(stderr, "talewick: %s\n%s", options.Error().c_str(), CProgramOptions::Usage());
        return 2;
    }
    if (options.GetAction() == CProgramOptions::Action::Help) {
        std::fputs(CProgramOptions::Usage(), stdout);
        return 0;
    }
    if (options.GetAction() == CProgramOptions::Action::Version) {
        std::printf("talewick %s\n", TALEWICK_VERSION);
        return 0;
    }
    options.Complete(ProgramPath(argv[0]));
    return Run(options);
}
