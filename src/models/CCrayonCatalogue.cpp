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
    if (!CContentText::ReadCatalogue(path, "crayons", text)) return 0;
    const CDescParser parser;
    int position = 0;
    const int declared = parser.GetCount(text, "NumCrayonBoxes", position);
    if (declared <= 0 || declared > kMaxBoxes)
        CContentReport::Report(path, "NumCrayonBoxes is " + std::to_string(declared) +
                                         "; write the number of crayon boxes, 1 to " +
                                         std::to_string(kMaxBoxes) + ".");
    const int count = std::min({declared, kMaxBoxes, capacity});
    const int loaded = parser.LoadNumberedBlocks(
        text, count, position, [&](int i, const std::string& block, const std::string& prefix) {
            if (!boxes[i].Load(block, prefix, crayonsFolder)) return false;
            if (onBoxLoaded) onBoxLoaded(boxes[i]);
            return true;
        });
    if (loaded < count)
        CContentReport::Report(path, "crayon box " + std::to_string(loaded) +
                                         " cannot be loaded, so it and the boxes after it "
                                         "are left out; check its block and its files.");
    if (loaded == 0)
        AfxMessageBox(ChildMessage::ContentMissing, "The crayon boxes cannot be loaded.", path,
                      "no crayon box can be loaded, so there are no crayons.");
    return loaded;
}
