#include "models/CCrayonCatalogue.h"

#include <algorithm>
#include <cstdlib>

#include "models/CContentText.h"
#include "models/CDescParser.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageBox.h"

int CCrayonCatalogue::Load(CCrayonBox* boxes, int capacity,
                           const std::function<void(CCrayonBox&)>& onBoxLoaded,
                           const std::string& crayonsFolder) {
    const std::string path = crayonsFolder + ContentPaths::kCrayonCatalogue;
    std::string text;
    if (!CContentText::Read(path, text)) {
        CContentReport::Report(path,
                               "cannot be read, so there are no crayons; check that the "
                               "file exists and that the program may read it.");
        AfxMessageBox("The crayons cannot be found: " + path + " is missing.");
        return 0;
    }
    const CDescParser parser;
    int next = 0;
    std::string prefix;
    const int declared =
        std::atoi(parser.GetValue(text, "NumCrayonBoxes", 0, next, prefix).c_str());
    if (declared <= 0 || declared > kMaxBoxes)
        CContentReport::Report(path, "NumCrayonBoxes is " + std::to_string(declared) +
                                         "; write the number of crayon boxes, 1 to " +
                                         std::to_string(kMaxBoxes) + ".");
    const int count = std::min({declared, kMaxBoxes, capacity});
    int position = next;
    int loaded = 0;
    for (int i = 0; i < count; ++i) {
        prefix.clear();
        const std::string block = parser.GetValue(text, std::to_string(i), position, next, prefix);
        position = next;
        if (!boxes[i].Load(block, prefix, crayonsFolder)) {
            CContentReport::Report(path, "crayon box " + std::to_string(i) +
                                             " cannot be loaded, so it and the boxes after it "
                                             "are left out; check its block and its files.");
            break;
        }
        if (onBoxLoaded) onBoxLoaded(boxes[i]);
        ++loaded;
    }
    if (loaded == 0)
        AfxMessageBox("The crayon boxes cannot be loaded from " + crayonsFolder + "crayons.txt.");
    return loaded;
}
