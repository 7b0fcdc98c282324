#include "render/SceneReader.h"

#include <cstdlib>
#include <sstream>

namespace {

using Keys = std::map<std::string, std::string>;

Keys KeyValues(const std::vector<std::string>& words) {
    Keys keys;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::size_t eq = words[i].find('=');
        if (eq != std::string::npos) keys[words[i].substr(0, eq)] = words[i].substr(eq + 1);
    }
    return keys;
}

bool ParseNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

std::string Get(const Keys& keys, const std::string& key, const std::string& fallback = "") {
    const auto it = keys.find(key);
    return it == keys.end() ? fallback : it->second;
}

bool VecKey(const Keys& keys, const std::string& key, Vec3& out, std::string& error) {
    const auto it = keys.find(key);
    if (it == keys.end()) return true;
    if (SceneReader::ParseVec(it->second, out)) return true;
    error = "bad " + key + " value \"" + it->second +
            "\"; write one number or three separated by commas, like " + key + "=1,0.5,2";
    return false;
}

bool NumberKey(const Keys& keys, const std::string& key, double& out, std::string& error) {
    const auto it = keys.find(key);
    if (it == keys.end()) return true;
    if (ParseNumber(it->second, out)) return true;
    error = "bad " + key + " value \"" + it->second + "\"; write a number, like " + key + "=2";
    return false;
}

// The placement of an object or a group use: scale, then turn, then move.
bool Placement(const Keys& keys, Transform& out, std::string& error) {
    Vec3 scale{1.0, 1.0, 1.0}, turn, at;
    if (!VecKey(keys, "scale", scale, error) || !VecKey(keys, "turn", turn, error) ||
        !VecKey(keys, "at", at, error))
        return false;
    out = Transform::Compose(scale, turn, at);
    return true;
}

}  // namespace

std::vector<std::string> SceneReader::SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r')) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

bool SceneReader::ParseVec(const std::string& text, Vec3& out) {
    std::vector<double> values;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        double value = 0.0;
        if (!ParseNumber(item, value)) return false;
        values.push_back(value);
    }
    if (values.size() == 1) {
        out = Vec3{values[0], values[0], values[0]};
        return true;
    }
    if (values.size() != 3) return false;
    out = Vec3{values[0], values[1], values[2]};
    return true;
}

bool SceneReader::ReadLibrary(const std::string& text, std::string& error) {
    return ReadLines(text, nullptr, error);
}

bool SceneReader::ReadScene(const std::string& text, Scene& scene, std::string& error) {
    return ReadLines(text, &scene, error);
}

bool SceneReader::ReadLines(const std::string& text, Scene* scene, std::string& error) {
    std::stringstream stream(text);
    std::string line;
    int number = 0;
    m_openGroup.clear();
    while (std::getline(stream, line)) {
        m_line = ++number;
        const std::size_t hash = line.find('#');
        const std::string statement = hash == std::string::npos ? line : line.substr(0, hash);
        const std::vector<std::string> words = SplitWords(statement);
        if (words.empty()) continue;
        if (!Statement(words, statement, scene, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    if (!m_openGroup.empty()) {
        error = "group " + m_openGroup + " has no end; close it with a line \"end\"";
        return false;
    }
    return true;
}

bool SceneReader::Statement(const std::vector<std::string>& words, const std::string& line,
                            Scene* scene, std::string& error) {
    const std::string& verb = words[0];
    if (!m_openGroup.empty()) {
        if (verb == "end")
            m_openGroup.clear();
        else if (verb == "object")
            m_groups[m_openGroup].push_back(line);
        else {
            error = "only object lines belong in a group; close the group with \"end\" first";
            return false;
        }
        return true;
    }
    if (verb == "group") {
        if (words.size() < 2) {
            error = "group needs a name";
            return false;
        }
        m_openGroup = words[1];
        m_groups[m_openGroup].clear();
        return true;
    }
    if (!scene) {
        error = "only groups belong in a library; move this line into a scene file";
        return false;
    }
    const Keys keys = KeyValues(words);
    if (verb == "scene" && words.size() >= 2) {
        scene->folder = words[1];
        return true;
    }
    if (verb == "caption") {
        const std::size_t start = line.find_first_not_of(" \t", line.find("caption") + 7);
        const std::size_t stop = line.find_last_not_of(" \t\r");
        scene->caption = start == std::string::npos ? "" : line.substr(start, stop - start + 1);
        return true;
    }
    if (verb == "camera")
        return VecKey(keys, "from", scene->camera.from, error) &&
               VecKey(keys, "to", scene->camera.to, error) &&
               NumberKey(keys, "fov", scene->camera.fovDegrees, error);
    if (verb == "light") {
        SceneLight light;
        if (!VecKey(keys, "dir", light.towardLight, error) ||
            !NumberKey(keys, "power", light.power, error) ||
            !NumberKey(keys, "spread", light.spread, error))
            return false;
        light.towardLight = Normalize(light.towardLight);
        scene->lights.push_back(light);
        return true;
    }
    if (verb == "ambient" && words.size() >= 2) {
        double value = 0.0;
        if (!ParseNumber(words[1], value)) {
            error = "bad ambient value";
            return false;
        }
        scene->ambient = value;
        return true;
    }
    if (verb == "sky") {
        double id = scene->sky.id;
        if (!NumberKey(keys, "id", id, error)) return false;
        scene->sky = SceneObjectInfo{static_cast<int>(id), Get(keys, "name", "sky"),
                                     Get(keys, "sound"), Get(keys, "say")};
        scene->ObjectFor(scene->sky.id) = scene->sky;
        return true;
    }
    if (verb == "object") return AddObject(keys, *scene, 0, Transform(), error);
    if (verb == "use") return UseGroup(words.size() > 1 ? words[1] : "", keys, *scene, error);
    error = "unknown statement \"" + verb +
            "\"; lines start with scene, caption, camera, light, ambient, sky, object, group, "
            "end or use";
    return false;
}

bool SceneReader::AddObject(const Keys& keys, Scene& scene, int idBase, const Transform& parent,
                            std::string& error) {
    double id = -1.0, minor = 0.35;
    Vec3 tile{1.0, 1.0, 1.0};
    Shape shape{};
    Mapping mapping{};
    if (!NumberKey(keys, "id", id, error) || !NumberKey(keys, "minor", minor, error)) return false;
    const int objectId = idBase + static_cast<int>(id);
    if (id < 0.0 || objectId > 255) {
        error = "object ids run from 0 to 255; pick an id in that range";
        return false;
    }
    if (!Primitive::ParseShape(Get(keys, "shape"), shape) ||
        !Primitive::ParseMapping(Get(keys, "map"), mapping)) {
        error =
            "unknown shape or mapping; shapes are sphere, box, cylinder, cone, torus and "
            "plane, mappings planar, cylindrical, spherical and box";
        return false;
    }
    const std::string tileText = Get(keys, "tile");
    if (!tileText.empty() &&
        !ParseVec(tileText.find(',') == std::string::npos ? tileText : tileText + ",1", tile)) {
        error = "bad tile value";
        return false;
    }
    Transform placement;
    if (!Placement(keys, placement, error)) return false;
    scene.AddPart(objectId, Primitive(shape, mapping, minor), parent * placement, tile.x, tile.y);
    // A detail of a bigger object (an eye on a head) colours with it but keeps its line.
    scene.parts.back().outlined = Get(keys, "line") == "yes";
    if (const std::string blend = Get(keys, "blend"); !blend.empty()) {
        double smooth = 0.12;
        if (!NumberKey(keys, "smooth", smooth, error)) return false;
        if (shape == Shape::Plane || smooth <= 0.0) {
            error = "only bounded shapes melt into a figure, with smooth above 0";
            return false;
        }
        // Each use of a group makes its own figure.
        scene.BlendLastPart(blend + "@" + std::to_string(idBase), smooth);
    }
    SceneObjectInfo& info = scene.ObjectFor(objectId);
    if (info.line == 0) info.line = m_line;
    if (info.name.empty()) info.name = Get(keys, "name", "object " + std::to_string(objectId));
    if (!info.HasSound()) {
        info.effect = Get(keys, "sound");
        info.phrase = Get(keys, "say");
    }
    info.mayFloat = info.mayFloat || Get(keys, "floats") == "yes";
    info.mayBeCut = info.mayBeCut || Get(keys, "cut") == "yes";
    return true;
}

bool SceneReader::UseGroup(const std::string& name, const Keys& keys, Scene& scene,
                           std::string& error) {
    const auto group = m_groups.find(name);
    if (group == m_groups.end()) {
        error = "unknown group \"" + name +
                "\"; define it with group NAME ... end in a library or above this line";
        return false;
    }
    double first = 0.0;
    Transform placement;
    if (!NumberKey(keys, "id", first, error) || !Placement(keys, placement, error)) return false;
    for (const std::string& line : group->second) {
        Keys objectKeys = KeyValues(SplitWords(line));
        for (const char* flag : {"floats", "cut"})
            if (keys.contains(flag)) objectKeys[flag] = keys.at(flag);
        if (!AddObject(objectKeys, scene, static_cast<int>(first), placement, error)) return false;
    }
    return true;
}
