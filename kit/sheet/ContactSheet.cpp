#include "sheet/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "check/TreeCheck.h"
#include "imaging/CDib.h"
#include "imaging/CDitherer.h"
#include "screens/Canvas.h"

namespace {

constexpr int kCell = 150;  // each version is fitted into kCell x kCell * 3/4
constexpr int kColumns = 4;

std::vector<std::string> PictureFiles(const std::string& dir) {
    std::vector<std::string> files;
    for (const char* folder : {"bitmaps", "Crayons", "Textures"}) {
        std::error_code error;
        for (auto it = std::filesystem::recursive_directory_iterator(dir + "/" + folder, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
            if (it->path().extension() == ".bmp") files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void PlaceScaled(Canvas& sheet, const KitImage& image, double x, double y) {
    const double scale =
        std::min({2.0, kCell / static_cast<double>(image.Width()), kCell * 0.75 / image.Height()});
    Canvas source(image);
    cairo_save(sheet.Cr());
    cairo_translate(sheet.Cr(), x, y);
    cairo_scale(sheet.Cr(), scale, scale);
    cairo_set_source_surface(sheet.Cr(), cairo_get_target(source.Cr()), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(sheet.Cr()), CAIRO_FILTER_NEAREST);
    cairo_paint(sheet.Cr());
    cairo_restore(sheet.Cr());
}

}  // namespace

KitImage DitherToCube(const KitImage& image) {
    // Exactly what a 256-colour display shows: the program's own ditherer and colour cube.
    const int w = image.Width(), h = image.Height();
    KitImage out(w, h, 0);
    CDib source;
    if (w <= 0 || h <= 0 || !source.Create(w, h, 24)) return out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) source.SetPixel(image.Get(x, y), x, y);
    CPalette cube;
    CDitherer::CreateDitherPalette(cube);
    const std::size_t stride = (static_cast<std::size_t>(w) + 3) / 4 * 4;
    std::vector<BYTE> indices(stride * h);
    CDitherer ditherer(static_cast<unsigned>(w), static_cast<unsigned>(h));
    if (!ditherer.Dither(source.GetBits(), indices.data(), 0, 0, w, h, cube)) return out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const PALETTEENTRY& e = cube.Entries()[indices[stride * (h - 1 - y) + x]];
            out.Set(x, y,
                    (static_cast<std::uint32_t>(e.peRed) << 16) |
                        (static_cast<std::uint32_t>(e.peGreen) << 8) | e.peBlue);
        }
    return out;
}

bool WriteContactSheet(const std::string& dir, const std::string& outPng) {
    const std::vector<std::string> files = PictureFiles(dir);
    if (files.empty()) return false;
    const int cellW = kCell * 2 + 30, cellH = kCell * 3 / 4 + 34;
    const int rows = (static_cast<int>(files.size()) + kColumns - 1) / kColumns;
    Canvas sheet(cellW * kColumns, cellH * rows, 0xE0E0E0);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const double x = (i % kColumns) * cellW + 8, y = (i / kColumns) * cellH + 6;
        KitImage image;
        const std::string label = files[i].substr(dir.size() + 1);
        if (LoadPicture(files[i], image).empty() && image.Width() > 0) {
            PlaceScaled(sheet, image, x, y);
            PlaceScaled(sheet, DitherToCube(image), x + kCell + 10, y);
        }
        sheet.Text(
            label + " " + std::to_string(image.Width()) + "x" + std::to_string(image.Height()), x,
            y + kCell * 0.75 + 2, cellW - 16, 22, 11, 0x000000);
    }
    return cairo_surface_write_to_png(cairo_get_target(sheet.Cr()), outPng.c_str()) ==
           CAIRO_STATUS_SUCCESS;
}
