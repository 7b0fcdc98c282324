// Saves as the program does, in a tight loop, for a test to kill at random moments: the
// recovery slot gets canvases of one value each (labelled with that value) and the
// scrapbook gains and loses entries of a real scene. `check` then verifies that what a
// kill left behind is whole: the slot's label names a canvas of its own value, the
// scrapbook's index loads and every entry it lists has its files.
//
// usage: save_loop run CONTENT_PLAY DIR | save_loop check CONTENT_PLAY DIR
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "imaging/CDib.h"
#include "models/CGlimBook.h"
#include "models/CGlimImage.h"
#include "models/CGlimScrapbook.h"
#include "models/CPictureSlot.h"

namespace {

constexpr int kMaxKept = 5;

CDib CanvasOf(BYTE value) {
    CDib canvas;
    canvas.Create(640, 480, 24);
    std::memset(canvas.GetBits(), value, canvas.GetImageSize());
    return canvas;
}

int Run(const std::string& dir) {
    CGlimBook book;
    if (!book.Load("../books/pip", "pip.txt") || book.GetImageCount() < 1) return 2;
    CGlimScrapbook scrapbook;
    if (!scrapbook.Load(dir + "/scrapbook/", "scrapbook.txt")) return 2;
    scrapbook.LinkToBooks(&book, 1);
    CPictureSlot slot(dir + "/recovery");
    for (unsigned round = 0;; ++round) {
        const BYTE value = static_cast<BYTE>(round % 250 + 1);
        slot.Write(CanvasOf(value), {"loop", "s" + std::to_string(value), ""});
        if (scrapbook.GetCount() >= kMaxKept)
            scrapbook.DeleteEntry(0);
        else
            scrapbook.AddEntry(book.GetImage(static_cast<int>(round % 2)), &book);
    }
}

bool CanvasHasValue(const std::string& path, int value) {
    CDib canvas;
    if (!canvas.Load(path) || canvas.GetImageSize() == 0) return false;
    for (DWORD i = 0; i < canvas.GetImageSize(); ++i)
        if (canvas.GetBits()[i] != value) return false;
    return true;
}

int Check(const std::string& dir) {
    CPictureSlot::Label label;
    std::string canvas;
    if (CPictureSlot(dir + "/recovery").Read(label, canvas)) {
        const int value = std::atoi(label.scene.c_str() + 1);
        if (canvas.empty() || !CanvasHasValue(canvas, value)) {
            std::fprintf(stderr, "the slot names %s but its canvas is %s\n", label.scene.c_str(),
                         canvas.empty() ? "missing" : "another");
            return 1;
        }
    }
    CGlimBook book;
    if (!book.Load("../books/pip", "pip.txt")) return 2;
    CGlimScrapbook scrapbook;
    if (!scrapbook.Load(dir + "/scrapbook/", "scrapbook.txt")) {
        std::fprintf(stderr, "the scrapbook's index does not load\n");
        return 1;
    }
    for (int i = 0; i < scrapbook.GetCount(); ++i) {
        CDib saved;
        CDib thumbnail;
        if (!saved.Load(scrapbook.GetEntrySavedFile(i)) ||
            !thumbnail.Load(scrapbook.GetEntryThumbnailFile(i))) {
            std::fprintf(stderr, "entry %s is listed but not whole\n",
                         scrapbook.GetEntryName(i).c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || chdir(argv[2]) != 0) {
        std::fprintf(stderr, "usage: save_loop run|check CONTENT_PLAY DIR\n");
        return 2;
    }
    const std::string mode = argv[1];
    if (mode == "run") return Run(argv[3]);
    if (mode == "check") return Check(argv[3]);
    return 2;
}
