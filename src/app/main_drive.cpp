// talewick-drive: the program on the headless backend, driven by a script.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/CColoringApp.h"
#include "app/CScriptDriver.h"
#include "app/CStartMark.h"
#include "models/CSettings.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "resources/ScreenLayouts.h"

namespace {

struct Options {
    std::string script;
    int monkey = -1;
    unsigned seed = 1;
    int width = 640;
    int height = 480;
    int depth = 32;
    bool layout = false;
    std::string stateFolder;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: talewick-drive [--display WxH] [--depth 8|24] [--state-dir DIR] SCRIPT\n"
                 "       talewick-drive [--display WxH] [--depth 8|24] [--state-dir DIR]"
                 " --monkey N --seed S\n"
                 "       talewick-drive --layout\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--layout") {
            o.layout = true;
        } else if (arg == "--monkey" && hasValue) {
            o.monkey = std::atoi(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            o.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--display" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (arg == "--state-dir" && hasValue) {
            o.stateFolder = argv[++i];
        } else if (arg == "--depth" && hasValue) {
            o.depth = std::atoi(argv[++i]) == 8 ? 8 : 32;
        } else if (!arg.empty() && arg[0] != '-' && o.script.empty()) {
            o.script = arg;
        } else {
            return false;
        }
    }
    if (o.layout) return o.monkey < 0 && o.script.empty();
    return (o.monkey >= 0) != !o.script.empty() && o.width > 0 && o.height > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    if (options.layout) {
        // Every screen's controls, for scripts that click them by name.
        std::fputs(ScreenLayouts::Dump().c_str(), stdout);
        return 0;
    }
    std::vector<CScriptDriver::Command> commands;
    if (options.monkey >= 0) {
        commands =
            CScriptDriver::Monkey(options.monkey, options.seed, options.width, options.height);
    } else {
        std::ifstream in(options.script);
        if (!in) {
            std::fprintf(stderr, "talewick-drive: cannot read %s\n", options.script.c_str());
            return 2;
        }
        std::string error;
        if (!CScriptDriver::Parse(in, commands, error)) {
            std::fprintf(stderr, "%s:%s\n", options.script.c_str(), error.c_str());
            return 2;
        }
    }

    HeadlessBackend backend(options.width, options.height, options.depth);
    backend.InstallAudio();
    backend.InstallPrintRecord();
    SetBackend(&backend);
    CScriptDriver driver(backend, std::move(commands));
    backend.SetIdleHook([&driver] { return driver.Step(); });
    theApp.SetSingleInstance(false);
    theApp.SetFillSoundSeed(CColoringApp::kScriptedFillSoundSeed);
    // The settings and the start mark persist between runs only in a folder named for them;
    // without one every run starts as on a new machine and keeps nothing.
    CSettings settings;
    if (!options.stateFolder.empty()) {
        settings.Load(options.stateFolder + "/" + CSettings::kFileName);
        theApp.SetSettings(&settings);
        theApp.SetStartMarkPath(options.stateFolder + "/" + CStartMark::kFileName);
    }
    // The monkey may confirm the exit long before its events are used up: the child starts
    // the program again, so every event reaches a running screen.
    do {
        AfxWinMain(theApp);
    } while (options.monkey >= 0 && driver.HasCommandsLeft());
    backend.SetIdleHook(nullptr);
    SetBackend(nullptr);
    theApp.SetSettings(nullptr);

    for (const std::string& line : backend.RecordLines()) std::printf("%s\n", line.c_str());
    for (const std::string& error : driver.Errors()) std::fprintf(stderr, "%s\n", error.c_str());
    return driver.Errors().empty() ? 0 : 1;
}
