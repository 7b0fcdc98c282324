// talewick: the colouring book on the real display.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CColoringApp.h"
#include "app/CDataSetup.h"
#include "app/CProgramOptions.h"
#include "models/CPictureExport.h"
#include "app/CStartMark.h"
#include "models/CSettings.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/base/CQuitSignals.h"
#include "platform/files/CDataFolders.h"

namespace {

// Where this program's file lies, to find the data installed beside it.
std::string ProgramPath(const char* argv0) {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return argv0;
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// A window mode named on the command line wins and is remembered for later starts.
bool ChooseWindowed(const CProgramOptions& options, CSettings& settings) {
    if (!options.HasWindowChoice())
        return settings.GetWindowMode() == CSettings::WindowMode::Windowed;
    const auto chosen =
        options.IsWindowed() ? CSettings::WindowMode::Windowed : CSettings::WindowMode::Fullscreen;
    if (chosen != settings.GetWindowMode()) {
        settings.SetWindowMode(chosen);
        settings.Save();
    }
    return options.IsWindowed();
}

int Run(const CProgramOptions& options) {
    // Named before the setup moves into the working folder, so a relative folder holds.
    std::error_code error;
    const std::string settingsPath =
        std::filesystem::absolute(options.ConfigFolder() + "/" + CSettings::kFileName, error);
    CDataSetup folders;
    if (!folders.Prepare(options.DataFolder(), options.UserFolder())) {
        std::fprintf(stderr, "talewick: %s\n", folders.Error().c_str());
        return 1;
    }
    CPictureExport::SetFolder(CDataSetup::PicturesFolder());
    CSettings settings;
    settings.Load(settingsPath);
    CPictureExport::SetExportEnabled(settings.IsPngExportOn());
    theApp.SetSettings(&settings);
    theApp.SetStartMarkPath(CDataFolders::UserFolder() + "/" + CStartMark::kFileName);
    SdlBackend backend(ChooseWindowed(options, settings));
    if (!backend.IsReady()) {
        std::fprintf(stderr, "talewick: %s\n", backend.Error().c_str());
        return 1;
    }
    CQuitSignals signals([&backend] { backend.Wake(); });
    backend.SetQuitHandler([] { theApp.RequestQuit(); });
    SetBackend(&backend);
    const int status = AfxWinMain(theApp);
    SetBackend(nullptr);
    theApp.SetSettings(nullptr);
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
