#include "story/BookPlan.h"

#include <fstream>
#include <sstream>

#include "render/SceneReader.h"

bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool BookPlan::Read(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text)) {
        error = path + ": cannot be read; check the name and that the file exists";
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (verb == "bookname")
            bookName = rest;
        else if (verb == "folder")
            folder = rest;
        else if (verb == "library")
            libraries.push_back(rest);
        else if (verb == "scene")
            sceneFiles.push_back(rest);
        else if (verb == "binder") {
            Vec3 rgb;
            if (!SceneReader::ParseVec(rest, rgb)) {
                error =
                    path + ": bad binder colour; write red, green and blue, like binder 200,40,40";
                return false;
            }
            binderColour = (static_cast<std::uint32_t>(rgb.x) << 16) |
                           (static_cast<std::uint32_t>(rgb.y) << 8) |
                           static_cast<std::uint32_t>(rgb.z);
        }
    }
    if (bookName.empty() || folder.empty() || sceneFiles.empty()) {
        error = path + ": a book needs a bookname line, a folder line and at least one scene line";
        return false;
    }
    return true;
}

bool BookPlan::LoadScenes(const std::string& booksDir, std::vector<Scene>& scenes,
                          std::string& error) const {
    SceneReader reader;
    for (const std::string& library : libraries) {
        std::string text;
        if (!ReadTextFile(booksDir + "/" + library, text) || !reader.ReadLibrary(text, error)) {
            error = library + ": " + (error.empty() ? "cannot be read" : error);
            return false;
        }
    }
    scenes.clear();
    for (const std::string& file : sceneFiles) {
        std::string text;
        Scene scene;
        if (!ReadTextFile(booksDir + "/" + file, text) || !reader.ReadScene(text, scene, error)) {
            error = file + ": " + (error.empty() ? "cannot be read" : error);
            return false;
        }
        scenes.push_back(std::move(scene));
    }
    return true;
}
