#include "story/StorySheet.h"

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "models/CCrayon.h"
#include "models/CGlimImage.h"
#include "story/Colouring.h"

namespace {

constexpr int kGap = 8;
constexpr int kTitle = 22;

const std::uint32_t kCrayons[] = {0xE53935, 0xFB8C00, 0xFDD835, 0x7CB342, 0x43A047, 0x00ACC1,
                                  0x1E88E5, 0x3949AB, 0x8E24AA, 0xD81B60, 0x6D4C41, 0xF48FB1,
                                  0x80DEEA, 0xC5E1A5, 0xFFCC80, 0xB39DDB, 0x9E9E9E, 0xFFFFFF};

void Blit(const KitImage& image, unsigned char* data, int stride, int left, int top) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint32_t pixel = 0xFF000000u | image.Get(x, y);
            std::copy_n(reinterpret_cast<const unsigned char*>(&pixel), 4,
                        data + static_cast<std::size_t>(top + y) * stride +
                            static_cast<std::size_t>(left + x) * 4);
        }
}

void Label(cairo_t* cr, const std::string& text, double x, double y) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 13.0);
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.2);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

}  // namespace

KitImage StorySheet::AutoColour(const KitImage& shading, const KitImage& mapping,
                                const KitImage& uncoloured, unsigned seed) {
    std::set<int> ids;
    for (int y = 0; y < mapping.Height(); ++y)
        for (int x = 0; x < mapping.Width(); ++x)
            ids.insert(static_cast<int>(mapping.Get(x, y) & 0xFF));
    std::mt19937 random(seed);
    KitImage canvas = uncoloured;
    for (int id : ids) {
        const std::uint32_t crayon = kCrayons[random() % std::size(kCrayons)];
        Colouring::FillObject(shading, mapping, id, Colouring::Solid(crayon), canvas);
    }
    return Colouring::DitherToCube(canvas);
}

namespace {

// Every texture of the folder, in name order, loaded as the texture box loads them.
std::vector<std::unique_ptr<CCrayon>> LoadTextures(const std::string& texturesDir) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(texturesDir, error)) {
        const std::string file = entry.path().filename().string();
        if (file.ends_with("_t.bmp")) names.insert(file.substr(0, file.size() - 6));
    }
    std::vector<std::unique_ptr<CCrayon>> textures;
    for (const std::string& name : names) {
        auto texture = std::make_unique<CCrayon>();
        const std::string base = texturesDir + "/" + name;
        if (texture->LoadFiles(base + "_t.bmp", base + "_s.bmp"))
            textures.push_back(std::move(texture));
    }
    return textures;
}

KitImage CanvasOf(CGlimImage& scene) {
    const CLayerView canvas = scene.ViewCanvas();
    KitImage image(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const BYTE* pixel = canvas.At(x, y);
            image.Set(x, y,
                      std::uint32_t{pixel[2]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[0]);
        }
    return image;
}

}  // namespace

KitImage StorySheet::Textured(CGlimImage& scene, const std::string& texturesDir, unsigned seed) {
    const std::vector<std::unique_ptr<CCrayon>> textures = LoadTextures(texturesDir);
    if (textures.empty() || !scene.EnsureCanvas(false)) return {};
    const CSize size = scene.GetSize();
    std::set<int> ids;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) ids.insert(scene.GetRegionId(x, y));
    std::mt19937 random(seed);
    std::vector<CRect> columns;
    for (int id : ids) {
        const Swatch& swatch = textures[random() % textures.size()]->GetSwatch();
        scene.PrepareSwatch(swatch);
        scene.PaintObjectColumns(0, size.cx, swatch, id, columns);
    }
    return Colouring::DitherToCube(CanvasOf(scene));
}

bool StorySheet::WritePng(const std::vector<Row>& rows, const std::vector<std::string>& columnNames,
                          const std::string& path) {
    int cellWidth = 0, cellHeight = 0, columns = 0;
    for (const Row& row : rows) {
        columns = std::max(columns, static_cast<int>(row.pictures.size()));
        for (const KitImage& picture : row.pictures) {
            cellWidth = std::max(cellWidth, picture.Width());
            cellHeight = std::max(cellHeight, picture.Height());
        }
    }
    const int width = kGap + columns * (cellWidth + kGap);
    const int rowHeight = kTitle + cellHeight + kGap;
    const int height = kTitle + static_cast<int>(rows.size()) * rowHeight + kGap;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                          cairo_destroy);
    cairo_set_source_rgb(cr.get(), 0.93, 0.93, 0.9);
    cairo_paint(cr.get());
    for (std::size_t c = 0; c < columnNames.size(); ++c)
        Label(cr.get(), columnNames[c], kGap + static_cast<double>(c) * (cellWidth + kGap), 16);
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int top = kTitle + static_cast<int>(r) * rowHeight;
        for (std::size_t c = 0; c < rows[r].pictures.size(); ++c)
            Blit(rows[r].pictures[c], data, stride, kGap + static_cast<int>(c) * (cellWidth + kGap),
                 top + kTitle);
    }
    cairo_surface_mark_dirty(surface.get());
    for (std::size_t r = 0; r < rows.size(); ++r)
        Label(cr.get(), rows[r].title, kGap, kTitle + static_cast<double>(r) * rowHeight + 17);
    return cairo_surface_write_to_png(surface.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
