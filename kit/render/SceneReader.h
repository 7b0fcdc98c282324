#pragma once
#include <map>
#include <string>
#include <vector>

#include "render/Scene.h"

// Reads the kit's scene text: one statement a line, "#" starts a comment.
//   scene FOLDER                      caption TEXT...
//   camera from=x,y,z to=x,y,z fov=DEG
//   light dir=x,y,z power=P spread=DEG ambient A
//   sky id=N name=NAME [sound=EFFECT] [say="TEXT"]
//   object id=N name=NAME shape=SHAPE map=MAPPING [tile=U,V] [minor=R]
//          [scale=S|X,Y,Z] [turn=X,Y,Z] [at=X,Y,Z] [sound=EFFECT] [say="TEXT"]
//          [floats=yes] [cut=yes]     (meant to hang in the air / to be cut by the frame)
//          [line=yes]                 (a detail outlined within its own object)
//          [blend=FIGURE [smooth=K]]  (melted smoothly into the other parts of FIGURE)
//   group NAME ... end                (object lines with ids relative to the use)
//   use NAME id=FIRST [scale=..] [turn=..] [at=..] [floats=yes] [cut=yes]
// Values with blanks are written in double quotes.
class SceneReader {
  public:
    // Keeps the groups defined in `text` for later scenes.
    bool ReadLibrary(const std::string& text, std::string& error);
    // Fills `scene` from `text` (groups defined there stay known too).
    bool ReadScene(const std::string& text, Scene& scene, std::string& error);

    // Splits a statement into words; key="a b" stays one word with the quotes removed.
    static std::vector<std::string> SplitWords(const std::string& line);
    // Reads "x,y,z" (or a single number for all three); false when malformed.
    static bool ParseVec(const std::string& text, Vec3& out);

  private:
    bool ReadLines(const std::string& text, Scene* scene, std::string& error);
    bool Statement(const std::vector<std::string>& words, const std::string& line, Scene* scene,
                   std::string& error);
    bool AddObject(const std::map<std::string, std::string>& keys, Scene& scene, int idBase,
                   const Transform& parent, std::string& error);
    bool UseGroup(const std::string& name, const std::map<std::string, std::string>& keys,
                  Scene& scene, std::string& error);

    std::map<std::string, std::vector<std::string>> m_groups;
    std::string m_openGroup;
    int m_line = 0;  // the line being read
};
