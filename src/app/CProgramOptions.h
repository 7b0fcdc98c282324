#pragma once
#include <string>
#include <vector>

// The command line and environment of the installed program. Folders come from
// --data-dir/--user-dir, else TALEWICK_DATA_DIR/TALEWICK_USER_DIR, else the defaults:
// the shared data beside the program (PREFIX/share/talewick, or the build tree's content
// for a program that was built but not installed) and $XDG_DATA_HOME/talewick. The
// settings file's folder comes from --config-dir, else TALEWICK_CONFIG_DIR, else
// $XDG_CONFIG_HOME/talewick (~/.config/talewick).
class CProgramOptions {
  public:
    enum class Action { Run, Help, Version };

    // `arguments` without the program name. False for an unknown option or a missing
    // value; Error() says which.
    bool Parse(const std::vector<std::string>& arguments);
    // Fills the folders not named on the command line from the environment and defaults.
    // `programPath` is where the running program lies (for the shared data beside it).
    void Complete(const std::string& programPath);

    Action GetAction() const { return m_action; }
    bool IsWindowed() const { return m_windowed; }
    // Whether --windowed or --fullscreen was given (it then wins over the settings file).
    bool HasWindowChoice() const { return m_windowChosen; }
    const std::string& DataFolder() const { return m_dataFolder; }
    const std::string& UserFolder() const { return m_userFolder; }
    const std::string& ConfigFolder() const { return m_configFolder; }
    const std::string& Error() const { return m_error; }

    static const char* Usage();

  private:
    bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i,
                   const std::string& name, std::string& value);

    Action m_action = Action::Run;
    bool m_windowed = false;
    bool m_windowChosen = false;
    std::string m_dataFolder;
    std::string m_userFolder;
    std::string m_configFolder;
    std::string m_error;
};
