#include "textures/TextureKit.h"

#include <cmath>
#include <functional>
#include <map>

#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"
#include "screens/Canvas.h"
#include "screens/Icons.h"
#include "sounds/Voice.h"

using namespace Colours;

namespace {

constexpr int kTile = 64;
using Painter = std::function<void(Canvas&)>;

// Draws `paint` at the nine offsets around the tile, so shapes crossing an edge come
// back on the opposite side and the swatch repeats without seams.
void Wrapped(Canvas& c, const Painter& paint) {
    for (int dy = -kTile; dy <= kTile; dy += kTile)
        for (int dx = -kTile; dx <= kTile; dx += kTile) {
            cairo_save(c.Cr());
            cairo_translate(c.Cr(), dx, dy);
            paint(c);
            cairo_restore(c.Cr());
        }
}

void Disc(Canvas& c, double x, double y, double r, std::uint32_t rgb) {
    cairo_new_sub_path(c.Cr());
    cairo_arc(c.Cr(), x, y, r, 0, 2 * M_PI);
    c.SetColour(rgb);
    cairo_fill(c.Cr());
}

void Bar(Canvas& c, double x, double y, double w, double h, std::uint32_t rgb) {
    cairo_rectangle(c.Cr(), x, y, w, h);
    c.SetColour(rgb);
    cairo_fill(c.Cr());
}

struct Pattern {
    std::uint32_t ground;
    Painter paint;
};

const std::map<std::string, Pattern>& Patterns() {
    static const std::map<std::string, Pattern> patterns = {
        {"stripes",
         {kWhite,
          [](Canvas& c) {
              for (int i = 0; i < 4; ++i) Bar(c, 0, i * 16, 64, 8, kRed);
          }}},
        {"dots",
         {kSky,
          [](Canvas& c) {
              Disc(c, 16, 16, 8, kWhite);
              Disc(c, 48, 48, 8, kWhite);
          }}},
        {"checks",
         {kWhite,
          [](Canvas& c) {
              Bar(c, 0, 0, 16, 16, kBlue);
              Bar(c, 32, 0, 16, 16, kBlue);
              Bar(c, 16, 16, 16, 16, kBlue);
              Bar(c, 48, 16, 16, 16, kBlue);
              Bar(c, 0, 32, 16, 16, kBlue);
              Bar(c, 32, 32, 16, 16, kBlue);
              Bar(c, 16, 48, 16, 16, kBlue);
              Bar(c, 48, 48, 16, 16, kBlue);
          }}},
        {"bricks",
         {kGrey,
          [](Canvas& c) {
              for (int row = 0; row < 4; ++row)
                  for (int col = -1; col < 2; ++col)
                      Bar(c, col * 32 + (row % 2) * 16 + 1, row * 16 + 1, 30, 14, kRed);
          }}},
        {"scales",
         {kTeal,
          [](Canvas& c) {
              for (int row = 0; row < 5; ++row)
                  for (int col = 0; col < 5; ++col) {
                      const double x = col * 16 + (row % 2) * 8, y = row * 16;
                      cairo_new_sub_path(c.Cr());
                      cairo_arc(c.Cr(), x, y, 9, 0, M_PI);
                      c.SetColour(kLeaf);
                      cairo_fill_preserve(c.Cr());
                      c.SetColour(kInk);
                      cairo_set_line_width(c.Cr(), 1.5);
                      cairo_stroke(c.Cr());
                  }
          }}},
        {"stars",
         {kBlue,
          [](Canvas& c) {
              StarPath(c.Cr(), 16, 18, 12, 5);
              StarPath(c.Cr(), 48, 48, 12, 5);
              c.SetColour(kSun);
              cairo_fill(c.Cr());
          }}},
        {"hearts",
         {kPink,
          [](Canvas& c) {
              for (auto [x, y] : {std::pair{16.0, 16.0}, std::pair{48.0, 48.0}}) {
                  cairo_move_to(c.Cr(), x, y + 10);
                  cairo_curve_to(c.Cr(), x - 16, y, x - 10, y - 12, x, y - 5);
                  cairo_curve_to(c.Cr(), x + 10, y - 12, x + 16, y, x, y + 10);
                  c.SetColour(kRed);
                  cairo_fill(c.Cr());
              }
          }}},
        {"wood",
         {kTan,
          [](Canvas& c) {
              for (int i = 0; i < 8; ++i) {
                  cairo_move_to(c.Cr(), 0, i * 8 + 3);
                  cairo_curve_to(c.Cr(), 20, i * 8 + 6, 44, i * 8, 64, i * 8 + 3);
                  c.SetColour(kWood);
                  cairo_set_line_width(c.Cr(), 2);
                  cairo_stroke(c.Cr());
              }
              cairo_save(c.Cr());
              cairo_translate(c.Cr(), 40, 28);
              cairo_scale(c.Cr(), 1, 0.5);
              cairo_arc(c.Cr(), 0, 0, 6, 0, 2 * M_PI);
              cairo_restore(c.Cr());
              c.SetColour(kWood);
              cairo_fill(c.Cr());
          }}},
        {"grass",
         {kGreen,
          [](Canvas& c) {
              for (int i = 0; i < 16; ++i) {
                  const double x = i * 4.0, y = (i % 2) * 32 + 30;
                  cairo_move_to(c.Cr(), x, y);
                  cairo_line_to(c.Cr(), x + 2 + (i % 3), y - 22 - (i % 4) * 2);
                  cairo_line_to(c.Cr(), x + 4, y);
                  c.SetColour(i % 2 ? kLeaf : 0x249200);
                  cairo_fill(c.Cr());
              }
          }}},
        {"water",
         {kSky,
          [](Canvas& c) {
              for (int i = 0; i < 4; ++i) {
                  cairo_move_to(c.Cr(), 0, i * 16 + 8);
                  cairo_curve_to(c.Cr(), 16, i * 16, 16, i * 16 + 16, 32, i * 16 + 8);
                  cairo_curve_to(c.Cr(), 48, i * 16, 48, i * 16 + 16, 64, i * 16 + 8);
                  c.SetColour(i % 2 ? kWhite : kBlue);
                  cairo_set_line_width(c.Cr(), 3);
                  cairo_stroke(c.Cr());
              }
          }}},
        {"clouds",
         {kSky,
          [](Canvas& c) {
              for (auto [x, y] : {std::pair{18.0, 18.0}, std::pair{50.0, 50.0}}) {
                  Disc(c, x - 8, y + 2, 7, kWhite);
                  Disc(c, x, y - 3, 9, kWhite);
                  Disc(c, x + 9, y + 2, 7, kWhite);
                  Bar(c, x - 8, y + 2, 17, 7, kWhite);
              }
          }}},
        {"spots",
         {kSun,
          [](Canvas& c) {
              Disc(c, 12, 14, 7, kInk);
              Disc(c, 44, 10, 5, kInk);
              Disc(c, 30, 36, 9, kInk);
              Disc(c, 56, 44, 6, kInk);
              Disc(c, 12, 52, 5, kInk);
          }}},
        {"tartan",
         {kRed,
          [](Canvas& c) {
              for (int i = 0; i < 2; ++i) {
                  Bar(c, i * 32 + 8, 0, 12, 64, 0x920000);
                  Bar(c, 0, i * 32 + 8, 64, 12, 0x920000);
                  Bar(c, i * 32 + 26, 0, 2, 64, kSun);
                  Bar(c, 0, i * 32 + 26, 64, 2, kSun);
                  Bar(c, i * 32 + 12, 0, 4, 64, kBlue);
                  Bar(c, 0, i * 32 + 12, 64, 4, kBlue);
              }
          }}},
    };
    return patterns;
}

std::string Capitalised(std::string name) {
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 32);
    return name;
}

}  // namespace

const std::vector<std::string>& TextureNames() {
    static const std::vector<std::string> names = {
        "stripes", "dots",  "checks", "bricks", "scales", "stars", "hearts",
        "wood",    "grass", "water",  "clouds", "spots",  "tartan"};
    return names;
}

KitImage TextureSwatch(const std::string& name) {
    const auto it = Patterns().find(name);
    if (it == Patterns().end()) return KitImage();
    Canvas c(kTile, kTile, it->second.ground);
    Wrapped(c, it->second.paint);
    return c.ToImage();
}

KitImage TextureTiled(const KitImage& swatch, int w, int h) {
    KitImage out(w, h, 0);
    if (swatch.Width() == 0) return out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.Set(x, y, swatch.Get((x * 2) % swatch.Width(), (y * 2) % swatch.Height()));
    return out;
}

std::string TextureCatalogue() {
    const std::string nl = "\r\n";
    std::string text = "NumTextures=" + std::to_string(TextureNames().size()) + nl;
    for (std::size_t i = 0; i < TextureNames().size(); ++i) {
        const std::string& name = TextureNames()[i];
        text += std::to_string(i) + "=" + nl;
        text += "[Tex=" + name + "_t.bmp" + nl + "[Sel=" + name + "_s.bmp" + nl;
        text += "[Dsp=" + name + "_d.bmp" + nl + "[Snd=" + name + ".wav" + nl + "]" + nl;
    }
    return text;
}

namespace {

using Coloring = ScreenLayouts::Coloring;

// `swatch` tiled over the size of a control of the coloring screen.
KitImage Tiled(const KitImage& swatch, const ControlLayout& control) {
    return TextureTiled(swatch, control.rect.Width(), control.rect.Height());
}

}  // namespace

void AddTextureJobs(const std::string& contentDir, std::vector<KitJob>& jobs) {
    const std::string folder(ContentPaths::InTree(ContentPaths::kTextures));
    const std::string root = contentDir + "/" + folder;
    jobs.push_back({folder + ContentPaths::kTextureCatalogue, [root] {
                        return WriteTextFile(root + ContentPaths::kTextureCatalogue,
                                             TextureCatalogue());
                    }});
    for (const std::string& name : TextureNames()) {
        jobs.push_back(
            {folder + name, [root, name] {
                 const KitImage swatch = TextureSwatch(name);
                 bool ok = swatch.WriteBmp(root + name + "_t.bmp");
                 ok = Tiled(swatch, Coloring::kColourStrip).WriteBmp(root + name + "_s.bmp") && ok;
                 ok = Tiled(swatch, Coloring::kSwatch0).WriteBmp(root + name + "_d.bmp") && ok;
                 return VoiceToWave(Capitalised(name) + "!", root + name + ".wav", 1.45) && ok;
             }});
    }
}
