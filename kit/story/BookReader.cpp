#include "story/BookReader.h"

#include <cstdlib>

#include "story/BookPlan.h"

std::string BookReader::Read(const std::string& path) {
    std::string text;
    if (!ReadTextFile(path, text)) return "cannot read " + path;
    return Parse(text);
}

std::string BookReader::Parse(const std::string& text) {
    std::size_t at = 0;
    int depth = 0;
    SceneEntry* scene = nullptr;
    while (at < text.size()) {
        const std::size_t lf = text.find('\n', at);
        if (lf == std::string::npos || lf == at || text[lf - 1] != '\r')
            return "a line does not end in CR LF";
        const std::string line = text.substr(at, lf - 1 - at);
        at = lf + 1;
        std::size_t markers = 0;
        while (markers < line.size() && markers < static_cast<std::size_t>(depth) &&
               line[markers] == '[')
            ++markers;
        const std::string body = line.substr(markers);
        if (body == "]") {
            depth = static_cast<int>(markers);
            if (depth == 0) scene = nullptr;
            continue;
        }
        const std::size_t eq = body.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = body.substr(0, eq), value = body.substr(eq + 1);
        if (value.empty()) {  // a block opens one level deeper
            if (depth == 0) {
                scenes.emplace_back();
                scene = &scenes.back();
            }
            depth = static_cast<int>(markers) + 1;
            continue;
        }
        if (depth == 0) {
            if (key == "bookname")
                bookName = value;
            else if (key == "binder")
                binder = value;
            else if (key == "binderhighlight")
                binderHighlight = value;
            else if (key == "slides")
                slides = value;
            else if (key == "script")
                script = value;
            else if (key == "NumImages")
                declaredScenes = std::atoi(value.c_str());
        } else if (scene && depth == 2 && key == "objectSound") {
            const std::size_t comma = value.find(',');
            scene->sounds.emplace_back(std::atoi(value.substr(0, comma).c_str()),
                                       comma == std::string::npos ? "" : value.substr(comma + 1));
        } else if (scene) {
            SceneKey(*scene, key, value);
        }
    }
    if (depth != 0) return "a block is not closed";
    return "";
}

void BookReader::SceneKey(SceneEntry& scene, const std::string& key, const std::string& value) {
    if (key == "imagefolder")
        scene.folder = value.back() == '/' ? value : value + "/";
    else if (key == "imagename")
        scene.name = value;
    else if (key == "lt")
        scene.shading = value;
    else if (key == "mg")
        scene.mapping = value;
    else if (key == "fp")
        scene.footprint = value;
    else if (key == "ou")
        scene.uncoloured = value;
    else if (key == "tn")
        scene.thumbnail = value;
    else if (key == "pr")
        scene.print = value;
    else if (key == "vo")
        scene.voice = value;
    else if (key == "caption")
        scene.caption = value;
}
