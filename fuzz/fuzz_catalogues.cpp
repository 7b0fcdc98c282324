// The crayon and texture catalogues: the input is written as both catalogue files (in a
// folder holding small valid pictures) and loaded, then every loaded box and texture is used.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ModelsFuzzFolder.h"
#include "models/CCrayonBox.h"
#include "models/CCrayonCatalogue.h"
#include "models/CTextureBox.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& root = fuzzfolder::Root();
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzzfolder::Write(root + "/crayons.txt", text);
    fuzzfolder::Write(root + "/textures.txt", text);
    CCrayonBox boxes[CCrayonCatalogue::kMaxBoxes];
    const int loaded = CCrayonCatalogue::Load(boxes, CCrayonCatalogue::kMaxBoxes, {}, root + "/");
    for (int i = 0; i < loaded; ++i) {
        boxes[i].HitCrayon(5, 5);
        CCrayon* crayon = nullptr;
        boxes[i].GetCurrentCrayon(&crayon);
        boxes[i].SelectCrayon(boxes[i].GetCrayonCount() - 1);
    }
    CTextureBox textures(3);
    if (textures.Load(root + "/")) {
        textures.ScrollBack();
        textures.SelectSlot(2);
        CTexture* texture = nullptr;
        textures.GetCurrentTexture(&texture);
    }
    return 0;
}
