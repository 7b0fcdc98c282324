#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/base/CPoint.h"
#include "platform/base/WinTypes.h"

class HeadlessBackend;

// Drives the program on the headless backend from a script, one line each time the
// program's loop runs out of work:
//   click X Y [MODS] | drag X1 Y1 X2 Y2 [MODS] | key [MODS+]NAME | wait MS | shot FILE.png
//   | quit
// with '#' comments and blank lines; coordinates are display coordinates. MODS are the
// keys held meanwhile: ctrl, shift or both joined by '+' ("click 450 425 ctrl+shift",
// "key ctrl+Z"). When the script is done the program is told to quit.
class CScriptDriver {
  public:
    struct Command {
        enum class Kind { Click, Drag, Key, Wait, Shot, Quit };
        Kind kind = Kind::Click;
        CPoint from;
        CPoint to;
        UINT key = 0;
        UINT modifiers = 0;  // MK_SHIFT | MK_CONTROL
        DWORD ms = 0;
        std::string file;
        int line = 0;
    };

    // Reads a whole script; on a bad line returns false with `error` naming its number.
    static bool Parse(std::istream& in, std::vector<Command>& out, std::string& error);
    // A random script of `count` clicks, drags, keys and waits over a display.
    static std::vector<Command> Monkey(int count, std::uint32_t seed, int width, int height);
    // The virtual key for a name: Return, Escape, F1..F12, Space, Tab, Left, Right, Up,
    // Down, Delete, BackSpace, a letter or a digit; 0 for an unknown name.
    static UINT KeyFromName(const std::string& name);
    // MK_ flags for modifier names joined by '+' ("ctrl", "shift", "ctrl+shift"; any case,
    // "control" too); false for anything else.
    static bool ModifiersFromNames(const std::string& names, UINT* modifiers);

    CScriptDriver(HeadlessBackend& backend, std::vector<Command> commands);

    // Feeds the next line; false once the script is over and the quit was sent.
    bool Step();
    // Lines not fed yet (a monkey run starts the program again while some are left).
    bool HasCommandsLeft() const { return m_next < m_commands.size(); }
    // Problems met while running (a shot that could not be written).
    const std::vector<std::string>& Errors() const { return m_errors; }

  private:
    void Run(const Command& command);

    HeadlessBackend& m_backend;
    std::vector<Command> m_commands;
    std::size_t m_next = 0;
    bool m_quitSent = false;
    std::vector<std::string> m_errors;
};
