#include "models/CCrayonCatalogue.h"

#include <algorithm>
#include <cstdlib>

#include "platform/files/CFile.h"
#include "platform/window/MessageBox.h"
#include "models/CDescParser.h"

int CCrayonCatalogue::Load(CCrayonBox* boxes, int capacity,
                           const std::function<void(CCrayonBox&)>& onBoxLoaded,
                           const std::string& crayonsFolder) {
    CFile file;
    if (!file.Open(crayonsFolder + ContentPaths::kCrayonCatalogue, CFile::modeRead | CFile::shareDenyWrite)) {
        AfxMessageBox("The crayons cannot be found: " + crayonsFolder + "crayons.txt is missing.");
        return 0;
    }
    const CDescParser parser;
    int next = 0;
    std::string prefix;
    const int declared =
        std::atoi(parser.GetValue(file, "NumCrayonBoxes", 0, next, prefix).c_str());
    const int count = std::min({declared, kMaxBoxes, capacity});
    int position = next;
    int loaded = 0;
    for (int i = 0; i < count; ++i) {
        prefix.clear();
        const std::string block = parser.GetValue(file, std::to_string(i), position, next, prefix);
        position = next;
        if (!boxes[i].Load(block, prefix, crayonsFolder)) break;
        if (onBoxLoaded) onBoxLoaded(boxes[i]);
        ++loaded;
    }
    if (loaded == 0)
        AfxMessageBox("The crayon boxes cannot be loaded from " + crayonsFolder + "crayons.txt.");
    return loaded;
}
