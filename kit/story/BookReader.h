#pragma once
#include <string>
#include <utility>
#include <vector>

// Reads back a written book description: top-level keys and, for every scene block,
// its keys and its object sounds. Lines must end in CR LF; block bodies carry one "["
// before each key per level of depth.
class BookReader {
  public:
    struct SceneEntry {
        std::string folder;  // imagefolder, with a trailing "/"
        std::string name, shading, mapping, footprint, uncoloured, thumbnail, print, voice, caption;
        std::vector<std::pair<int, std::string>> sounds;  // object id, wave file
    };

    std::string bookName, binder, binderHighlight, slides, script;
    int declaredScenes = 0;
    std::vector<SceneEntry> scenes;

    // "" on success, else the first problem found.
    std::string Read(const std::string& path);
    std::string Parse(const std::string& text);

  private:
    static void SceneKey(SceneEntry& scene, const std::string& key, const std::string& value);
};
