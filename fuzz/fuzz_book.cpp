// Book descriptions with their scene blocks: the input is the book file, in a folder whose
// pictures (of unequal sizes) the scenes may name. Every scene is then coloured, erased,
// undone and its sounds asked for.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ModelsFuzzFolder.h"
#include "models/CCrayon.h"
#include "models/CGlimBook.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& root = fuzzfolder::Root();
    fuzzfolder::Write(root + "/book.txt", std::string(reinterpret_cast<const char*>(data), size));
    static CCrayon crayon;
    static const bool crayonLoaded = crayon.LoadFiles(root + "/b.bmp", root + "/a.bmp");
    CGlimBook book;
    if (!book.Load(root, "book.txt") || !crayonLoaded) return 0;
    book.GetSlidePath(0, true);
    book.GetBinderPicture();
    for (int i = 0; i < book.GetImageCount(); ++i) {
        book.SelectImage(i);
        CGlimImage* scene = book.GetCurrentImage();
        CGlimAreaFill fill;
        fill.SetSwatch(crayon.GetSwatch());
        fill.Fill(scene, CPoint(1, 1), nullptr);
        CGlimBrush brush;
        brush.SetSwatch(crayon.GetSwatch());
        brush.MakeRound(3, 0.5f);
        brush.BeginStroke(scene, CPoint(0, 0));
        brush.MoveTo(CPoint(4, 6));
        brush.EndStroke(true);
        brush.SetEraseMode(true);
        brush.BeginStroke(scene, CPoint(2, 2));
        brush.EndStroke(true);
        scene->Undo();
        scene->Redo();
        scene->PlayObjectSound(scene->GetRegionId(1, 1));
        scene->GetThumbnail();
    }
    book.SelectNext();
    return 0;
}
