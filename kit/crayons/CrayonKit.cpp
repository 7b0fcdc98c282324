#include "crayons/CrayonKit.h"

#include <cmath>
#include <memory>

#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"
#include "screens/ScreenKit.h"
#include "sounds/Voice.h"

using namespace Colours;

namespace {

using Coloring = ScreenLayouts::Coloring;

constexpr int kBoxWidth = Coloring::kCrayonArea.rect.Width();
constexpr int kBoxHeight = Coloring::kCrayonArea.rect.Height();
constexpr const char* kSoundFolder = "english";

void DrawCrayon(Canvas& c, double x, double top, double w, double bottom, std::uint32_t rgb) {
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, x + w * 0.2, top + 12);  // the sharpened tip
    cairo_line_to(cr, x + w / 2, top);
    cairo_line_to(cr, x + w * 0.8, top + 12);
    cairo_close_path(cr);
    c.FillStroke(rgb, kInk, 1.5);
    c.RoundRect(x, top + 11, w, bottom - top - 11, 2);
    c.FillStroke(rgb, kInk, 1.5);
    cairo_rectangle(cr, x + 1, top + 24, w - 2, 14);  // the paper wrapper
    c.FillStroke(Darker(rgb, 0.8), kInk, 1);
    cairo_move_to(cr, x + 3, top + 31);
    cairo_line_to(cr, x + w - 3, top + 31);
    c.SetColour(rgb == kWhite ? kGrey : kWhite, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

CrayonColour C(const char* name, std::uint32_t rgb) {
    return {name, rgb};
}

}  // namespace

const std::vector<CrayonBoxPlan>& CrayonBoxes() {
    static const std::vector<CrayonBoxPlan> boxes = {
        {"everyday",
         kRed,
         {C("Red", 0xDB2400), C("Orange", 0xFF9200), C("Yellow", 0xFFDB00), C("Green", 0x24B600),
          C("Blue", 0x2449FF), C("Purple", 0x9224AA), C("Pink", 0xFF92AA), C("Brown", 0x926D00),
          C("Black", 0x242400), C("White", 0xFFFFFF), C("Grey", 0x929292), C("Sky Blue", 0x6DB6FF),
          C("Dark Green", 0x246D00), C("Tan", 0xDBB655), C("Peach", 0xFFB655), C("Navy", 0x000055),
          C("Maroon", 0x920000), C("Lime", 0xB6FF00)}},
        {"bright",
         kBlue,
         {C("Hot Pink", 0xFF24AA), C("Lemon", 0xFFFF55), C("Tangerine", 0xFF6D00),
          C("Cherry", 0xFF0055), C("Grass", 0x6DFF00), C("Aqua", 0x00FFFF),
          C("Turquoise", 0x00DBAA), C("Violet", 0xB649FF), C("Magenta", 0xFF00FF),
          C("Sunshine", 0xFFDB55), C("Bubblegum", 0xFFB6FF), C("Electric Blue", 0x0092FF),
          C("Mint", 0x92FFAA), C("Coral", 0xFF6D55), C("Lavender", 0xDBB6FF), C("Gold", 0xDBB600),
          C("Silver", 0xDBDBDB), C("Scarlet", 0xFF2400)}},
        {"nature",
         kGreen,
         {C("Cream", 0xFFDBAA), C("Sand", 0xDBB692), C("Honey", 0xDB9255), C("Caramel", 0xB66D2A),
          C("Cocoa", 0x6D4900), C("Chocolate", 0x492400), C("Rose", 0xDB6D55), C("Leaf", 0x49B600),
          C("Moss", 0x6D9200), C("Pine", 0x244900), C("Sea", 0x2492AA), C("Sky", 0x92DBFF),
          C("Stone", 0xB6B6AA), C("Earth", 0x6D4955), C("Wheat", 0xFFDB92), C("Olive", 0x929200),
          C("Plum", 0x6D2455), C("Slate", 0x496D92)}},
    };
    return boxes;
}

std::string CrayonStem(const std::string& name) {
    std::string stem;
    for (char ch : name)
        if (ch != ' ') stem += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    return stem;
}

void CrayonRect(const CrayonBoxPlan& box, int i, int& x, int& y, int& w, int& h) {
    w = kBoxWidth / static_cast<int>(box.crayons.size());
    x = (kBoxWidth - w * static_cast<int>(box.crayons.size())) / 2 + i * w;
    y = 0;
    h = kBoxHeight;
}

KitImage CrayonBoxImage(const CrayonBoxPlan& box) {
    Canvas c(kBoxWidth, kBoxHeight, Darker(box.boxColour, 0.5));
    for (std::size_t i = 0; i < box.crayons.size(); ++i) {
        int x, y, w, h;
        CrayonRect(box, static_cast<int>(i), x, y, w, h);
        const double lift = (i % 3) * 4.0;  // a ragged row, as in a real box
        DrawCrayon(c, x + 2, 3 + lift, w - 4, 80, box.crayons[i].rgb);
    }
    c.RoundRect(-4, 62, kBoxWidth + 8, 40, 6);  // the box's front flap
    c.FillStroke(box.boxColour, kInk, 3);
    for (std::size_t i = 0; i < box.crayons.size(); ++i) {  // a colour dot under each crayon
        int x, y, w, h;
        CrayonRect(box, static_cast<int>(i), x, y, w, h);
        cairo_new_sub_path(c.Cr());
        cairo_arc(c.Cr(), x + w / 2.0, 76, w / 3.0, 0, 2 * M_PI);
        c.FillStroke(box.crayons[i].rgb, kInk, 1.5);
    }
    return c.ToImage();
}

KitImage CrayonBoxButton(const CrayonBoxPlan& box) {
    // The box selector shows on the right star's button.
    const CRect& star = Coloring::kRightStar.rect;
    Canvas c(Crop(ColoringBackground(), star.left, star.top, star.Width(), star.Height()));
    StarPath(c.Cr(), 27.5, 19, 19, 9);
    c.FillStroke(kSun, kInk, 2);
    for (int i = 0; i < 4; ++i)
        DrawCrayon(c, 8 + i * 10, 4 + (i % 2) * 3, 8, 26, box.crayons[i * 3].rgb);
    c.RoundRect(4, 22, 47, 12, 3);
    c.FillStroke(box.boxColour, kInk, 2);
    return c.ToImage();
}

KitImage CrayonSelected(std::uint32_t rgb) {
    Canvas c(Coloring::kColourStrip.rect.Width(), Coloring::kColourStrip.rect.Height(), kWhite);
    cairo_t* cr = c.Cr();
    cairo_move_to(cr, 2, 9);
    cairo_line_to(cr, 18, 2);
    cairo_line_to(cr, 18, 16);
    cairo_close_path(cr);
    c.FillStroke(rgb, kInk, 1.5);
    c.RoundRect(17, 2, 120, 14, 3);
    c.FillStroke(rgb, kInk, 1.5);
    cairo_rectangle(cr, 60, 2.5, 40, 13);
    c.FillStroke(Darker(rgb, 0.8), kInk, 1);
    return c.ToImage();
}

std::string CrayonCatalogue() {
    const std::string nl = "\r\n";
    const auto& boxes = CrayonBoxes();
    std::string text = "NumCrayonBoxes=" + std::to_string(boxes.size()) + nl;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        const CrayonBoxPlan& box = boxes[b];
        text += std::to_string(b) + "=" + nl;
        text += "[BoxFolder=" + box.folder + nl;
        text += "[NumCrayons=" + std::to_string(box.crayons.size()) + nl;
        text += "[LanguageEnglishFolder=" + box.folder + "/" + kSoundFolder + nl;
        text += "[Box=box.bmp" + nl + "[Button=button.bmp" + nl;
        for (std::size_t i = 0; i < box.crayons.size(); ++i) {
            int x, y, w, h;
            CrayonRect(box, static_cast<int>(i), x, y, w, h);
            const std::string stem = CrayonStem(box.crayons[i].name);
            text += "[" + std::to_string(i) + "=" + nl;
            text += "[[Tex=" + stem + "_t.bmp" + nl + "[[Sel=" + stem + "_s.bmp" + nl;
            text += "[[Pos=" + std::to_string(x) + "," + std::to_string(y) + "," +
                    std::to_string(w) + "," + std::to_string(h) + nl;
            text += "[[Snd=" + stem + ".wav" + nl + "[]" + nl;
        }
        text += "]" + nl;
    }
    return text;
}

void AddCrayonJobs(const std::string& contentDir, std::vector<KitJob>& jobs) {
    const std::string crayons(ContentPaths::InTree(ContentPaths::kCrayons));
    const std::string root = contentDir + "/" + crayons;
    jobs.push_back({crayons + ContentPaths::kCrayonCatalogue, [root] {
                        return WriteTextFile(root + ContentPaths::kCrayonCatalogue,
                                             CrayonCatalogue());
                    }});
    for (const CrayonBoxPlan& box : CrayonBoxes()) {
        const std::string folder = root + box.folder + "/";
        jobs.push_back(
            {crayons + box.folder, [box, folder] {
                 bool ok = CrayonBoxImage(box).WriteBmp(folder + "box.bmp");
                 ok = CrayonBoxButton(box).WriteScrambled(folder + "button.bmp") && ok;
                 for (const CrayonColour& crayon : box.crayons) {
                     const std::string stem = CrayonStem(crayon.name);
                     ok = KitImage(16, 16, crayon.rgb).WriteBmp(folder + stem + "_t.bmp") && ok;
                     ok = CrayonSelected(crayon.rgb).WriteBmp(folder + stem + "_s.bmp") && ok;
                 }
                 return ok;
             }});
        for (const CrayonColour& crayon : box.crayons) {
            const std::string path = folder + kSoundFolder + "/" + CrayonStem(crayon.name) + ".wav";
            jobs.push_back(
                {path, [crayon, path] { return VoiceToWave(crayon.name + "!", path, 1.45); }});
        }
    }
}
