#include "app/CScriptDriver.h"

#include <cctype>
#include <random>
#include <sstream>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/base/WinUser.h"
#include "platform/draw/SurfacePng.h"
#include "platform/window/CWnd.h"
#include "platform/window/MessageLoop.h"

namespace {

using Kind = CScriptDriver::Command::Kind;

// `count` numbers, then at most one word naming the modifier keys held.
bool ReadInts(std::istringstream& words, int* values, int count, UINT* modifiers = nullptr) {
    for (int i = 0; i < count; ++i) {
        if (!(words >> values[i])) return false;
    }
    std::string held, rest;
    if (!(words >> held)) return true;
    if (modifiers == nullptr || (words >> rest)) return false;
    return CScriptDriver::ModifiersFromNames(held, modifiers);
}

// "[MODS+]NAME" into a key and the modifiers held with it.
bool ReadKey(const std::string& word, UINT* key, UINT* modifiers) {
    const auto plus = word.rfind('+');
    if (plus != std::string::npos &&
        !CScriptDriver::ModifiersFromNames(word.substr(0, plus), modifiers)) {
        return false;
    }
    *key = CScriptDriver::KeyFromName(plus == std::string::npos ? word : word.substr(plus + 1));
    return *key != 0;
}

// One line into a command; an empty string when it parsed, else what is wrong.
std::string ParseLine(const std::string& text, CScriptDriver::Command& command) {
    std::istringstream words(text);
    std::string verb;
    words >> verb;
    int v[4] = {0, 0, 0, 0};
    if (verb == "click") {
        if (!ReadInts(words, v, 2, &command.modifiers)) return "click needs X Y [ctrl+shift]";
        command.kind = Kind::Click;
        command.from = CPoint(v[0], v[1]);
    } else if (verb == "drag") {
        if (!ReadInts(words, v, 4, &command.modifiers))
            return "drag needs X1 Y1 X2 Y2 [ctrl+shift]";
        command.kind = Kind::Drag;
        command.from = CPoint(v[0], v[1]);
        command.to = CPoint(v[2], v[3]);
    } else if (verb == "key") {
        std::string name, rest;
        if (!(words >> name) || (words >> rest)) return "key needs one NAME";
        command.kind = Kind::Key;
        if (!ReadKey(name, &command.key, &command.modifiers)) return "unknown key " + name;
    } else if (verb == "wait") {
        if (!ReadInts(words, v, 1) || v[0] < 0) return "wait needs MS (0 or more)";
        command.kind = Kind::Wait;
        command.ms = static_cast<DWORD>(v[0]);
    } else if (verb == "shot") {
        std::string rest;
        if (!(words >> command.file) || (words >> rest)) return "shot needs one FILE.png";
        command.kind = Kind::Shot;
    } else if (verb == "quit") {
        std::string rest;
        if (words >> rest) return "quit takes nothing";
        command.kind = Kind::Quit;
    } else {
        return "unknown command " + verb;
    }
    return {};
}

}  // namespace

UINT CScriptDriver::KeyFromName(const std::string& name) {
    static const struct {
        const char* name;
        UINT key;
    } kNamed[] = {{"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Space", VK_SPACE},
                  {"Tab", VK_TAB},       {"Left", VK_LEFT},     {"Right", VK_RIGHT},
                  {"Up", VK_UP},         {"Down", VK_DOWN},     {"Delete", VK_DELETE},
                  {"BackSpace", VK_BACK}};
    for (const auto& k : kNamed) {
        if (name == k.name) return k.key;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    if (name.size() >= 2 && name[0] == 'F' && name.size() <= 3) {
        int n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 12) return VK_F1 + static_cast<UINT>(n - 1);
    }
    return 0;
}

bool CScriptDriver::ModifiersFromNames(const std::string& names, UINT* modifiers) {
    UINT found = 0;
    std::istringstream parts(names);
    std::string part;
    int count = 0;
    while (std::getline(parts, part, '+')) {
        for (char& c : part) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (part == "ctrl" || part == "control") {
            found |= MK_CONTROL;
        } else if (part == "shift") {
            found |= MK_SHIFT;
        } else {
            return false;
        }
        ++count;
    }
    // "ctrl+" leaves an empty last part that getline does not report.
    if (count == 0 || names.back() == '+') return false;
    *modifiers = found;
    return true;
}

bool CScriptDriver::Parse(std::istream& in, std::vector<Command>& out, std::string& error) {
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') continue;
        Command command;
        command.line = number;
        const std::string problem = ParseLine(text.substr(first), command);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        out.push_back(command);
    }
    return true;
}

std::vector<CScriptDriver::Command> CScriptDriver::Monkey(int count, std::uint32_t seed, int width,
                                                          int height) {
    static const UINT kKeys[] = {VK_RETURN, VK_ESCAPE, VK_F1, VK_SPACE, 'A', 'Q', 'Z', VK_LEFT};
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<Command> commands;
    for (int i = 0; i < count; ++i) {
        Command c;
        c.line = i + 1;
        const int roll = pick(10);
        c.from = CPoint(pick(width), pick(height));
        if (roll < 5) {
            c.kind = Kind::Click;
        } else if (roll < 7) {
            c.kind = Kind::Drag;
            c.to = CPoint(pick(width), pick(height));
        } else if (roll < 8) {
            c.kind = Kind::Key;
            c.key = kKeys[pick(static_cast<int>(std::size(kKeys)))];
        } else {
            c.kind = Kind::Wait;
            c.ms = static_cast<DWORD>(pick(2000));
        }
        commands.push_back(c);
    }
    return commands;
}

CScriptDriver::CScriptDriver(HeadlessBackend& backend, std::vector<Command> commands)
    : m_backend(backend), m_commands(std::move(commands)) {}

bool CScriptDriver::Step() {
    if (m_next < m_commands.size()) {
        Run(m_commands[m_next++]);
        return true;
    }
    if (m_quitSent) return false;
    m_quitSent = true;
    PostQuitMessage(0);
    return true;
}

void CScriptDriver::Run(const Command& command) {
    switch (command.kind) {
        case Kind::Click:
            m_backend.InjectClick(command.from, command.modifiers);
            break;
        case Kind::Drag:
            m_backend.InjectDrag(command.from, command.to, command.modifiers);
            break;
        case Kind::Key:
            m_backend.InjectKey(command.key, command.modifiers);
            break;
        case Kind::Wait:
            m_backend.WaitUntil(m_backend.Now() + command.ms);
            break;
        case Kind::Quit:
            m_backend.InjectClose();
            break;
        case Kind::Shot:
            if (!WriteSurfacePng(m_backend.Surface(), command.file)) {
                m_errors.push_back("line " + std::to_string(command.line) + ": cannot write " +
                                   command.file);
            }
            break;
    }
}
