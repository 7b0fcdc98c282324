#include "sheet/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "check/TreeCheck.h"
#include "screens/Canvas.h"

namespace {

constexpr int kCell = 150;  // each version is fitted into kCell x kCell * 3/4
constexpr int kColumns = 4;

int Level(int value, int levels) {
    const int step = 255 / (levels - 1);
    return std::clamp((value + step / 2) / step, 0, levels - 1) * 255 / (levels - 1);
}

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
    const int w = image.Width(), h = image.Height();
    std::vector<double> error(static_cast<std::size_t>(w + 2) * 2 * 3, 0.0);
    KitImage out(w, h, 0);
    const int levels[3] = {8, 8, 4};
    for (int y = 0; y < h; ++y) {
        double* current = &error[static_cast<std::size_t>(y % 2) * (w + 2) * 3];
        double* next = &error[static_cast<std::size_t>((y + 1) % 2) * (w + 2) * 3];
        std::fill(next, next + (w + 2) * 3, 0.0);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = image.Get(x, y);
            std::uint32_t result = 0;
            for (int c = 0; c < 3; ++c) {
                const int shift = 16 - 8 * c;
                const double want = ((rgb >> shift) & 0xFF) + current[(x + 1) * 3 + c];
                const int got =
                    Level(static_cast<int>(std::lround(std::clamp(want, 0.0, 255.0))), levels[c]);
                const double e = want - got;
                current[(x + 2) * 3 + c] += e * 7 / 16;
                next[x * 3 + c] += e * 3 / 16;
                next[(x + 1) * 3 + c] += e * 5 / 16;
                next[(x + 2) * 3 + c] += e / 16;
                result |= static_cast<std::uint32_t>(got) << shift;
            }
            out.Set(x, y, result);
        }
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
