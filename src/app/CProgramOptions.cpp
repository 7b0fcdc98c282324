#include "app/CProgramOptions.h"

#include <sys/stat.h>

#include <cstdlib>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Installed: PREFIX/bin/talewick reads PREFIX/share/talewick. Built only: build/bin/talewick
// reads build/content, the tree the build generates.
std::string DefaultDataFolder(const std::string& programPath) {
    const std::string prefix = FolderOf(FolderOf(programPath));
    const std::string installed = prefix + "/share/talewick";
    if (IsFolder(installed)) return installed;
    const std::string built = prefix + "/content";
    return IsFolder(built) ? built : installed;
}

std::string DefaultUserFolder() {
    // A relative XDG_DATA_HOME is not valid and is ignored, as other desktop programs do.
    const std::string data = Environment("XDG_DATA_HOME");
    if (!data.empty() && data.front() == '/') return data + "/talewick";
    return Environment("HOME") + "/.local/share/talewick";
}

std::string DefaultConfigFolder() {
    const std::string config = Environment("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/') return config + "/talewick";
    return Environment("HOME") + "/.config/talewick";
}

}  // namespace

bool CProgramOptions::TakeValue(const std::vector<std::string>& arguments, std::size_t& i,
                                const std::string& name, std::string& value) {
    const std::string& argument = arguments[i];
    if (argument.rfind(name + "=", 0) == 0) {
        value = argument.substr(name.size() + 1);
    } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
    } else {
        m_error = "option " + name + " needs a folder";
        return false;
    }
    if (!value.empty()) return true;
    m_error = "option " + name + " needs a folder";
    return false;
}

bool CProgramOptions::Parse(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto named = [&](const char* name) {
            return argument == name || argument.rfind(std::string(name) + "=", 0) == 0;
        };
        if (argument == "--help" || argument == "-h") {
            m_action = Action::Help;
        } else if (argument == "--version") {
            m_action = Action::Version;
        } else if (argument == "--windowed" || argument == "--fullscreen") {
            m_windowed = argument == "--windowed";
            m_windowChosen = true;
        } else if (named("--data-dir")) {
            if (!TakeValue(arguments, i, "--data-dir", m_dataFolder)) return false;
        } else if (named("--user-dir")) {
            if (!TakeValue(arguments, i, "--user-dir", m_userFolder)) return false;
        } else if (named("--config-dir")) {
            if (!TakeValue(arguments, i, "--config-dir", m_configFolder)) return false;
        } else {
            m_error = "unknown option " + argument;
            return false;
        }
    }
    return true;
}

void CProgramOptions::Complete(const std::string& programPath) {
    if (m_dataFolder.empty()) m_dataFolder = Environment("TALEWICK_DATA_DIR");
    if (m_dataFolder.empty()) m_dataFolder = DefaultDataFolder(programPath);
    if (m_userFolder.empty()) m_userFolder = Environment("TALEWICK_USER_DIR");
    if (m_userFolder.empty()) m_userFolder = DefaultUserFolder();
    if (m_configFolder.empty()) m_configFolder = Environment("TALEWICK_CONFIG_DIR");
    if (m_configFolder.empty()) m_configFolder = DefaultConfigFolder();
}

const char* CProgramOptions::Usage() {
    return "usage: talewick [OPTION]...\n"
           "A colouring book for children.\n"
           "\n"
           "  --fullscreen     cover the whole screen (the default; remembered)\n"
           "  --windowed       run in a window (remembered for later starts)\n"
           "  --data-dir DIR   read the shared pictures, books and sounds from DIR\n"
           "                   (also TALEWICK_DATA_DIR; default PREFIX/share/talewick)\n"
           "  --user-dir DIR   keep this user's scrapbook and slide shows in DIR\n"
           "                   (also TALEWICK_USER_DIR; default $XDG_DATA_HOME/talewick,\n"
           "                   that is ~/.local/share/talewick)\n"
           "  --config-dir DIR keep this user's settings.ini in DIR\n"
           "                   (also TALEWICK_CONFIG_DIR; default $XDG_CONFIG_HOME/talewick,\n"
           "                   that is ~/.config/talewick)\n"
           "  --help           show this help and end\n"
           "  --version        show the version and end\n";
}
