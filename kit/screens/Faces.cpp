#include "screens/Faces.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Colours;

KitImage Crop(const KitImage& image, int x, int y, int w, int h) {
    KitImage out(w, h, kCream);
    for (int sy = 0; sy < h; ++sy)
        for (int sx = 0; sx < w; ++sx) {
            const int ix = x + sx, iy = y + sy;
            if (ix >= 0 && iy >= 0 && ix < image.Width() && iy < image.Height())
                out.Set(sx, sy, image.Get(ix, iy));
        }
    return out;
}

KitImage ButtonFace(const KitImage& under, std::uint32_t fill, Icon icon, bool down,
                    bool disabled) {
    Canvas canvas(under);
    cairo_t* cr = canvas.Cr();
    const double w = under.Width(), h = under.Height();
    const double shift = down ? 2.0 : 0.0;
    const double r = std::min(w, h) / 4;
    const double inset = 1.5;
    const double bw = w - 2 * inset - 2, bh = h - 2 * inset - 2;
    if (disabled) fill = kGrey;
    if (!down) {  // drop shadow under a raised button
        canvas.RoundRect(inset + 2, inset + 2, bw, bh, r);
        canvas.SetColour(kInk, 0.45);
        cairo_fill(cr);
    }
    canvas.RoundRect(inset + shift, inset + shift, bw, bh, r);
    canvas.FillStroke(down ? Darker(fill) : fill, kInk, 2.0);
    if (down) {  // inner shadow along the top and left edges: pushed in
        cairo_save(cr);
        canvas.RoundRect(inset + shift, inset + shift, bw, bh, r);
        cairo_clip(cr);
        canvas.RoundRect(inset + shift + 3, inset + shift + 3, bw + 6, bh + 6, r);
        canvas.SetColour(kInk, 0.35);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        cairo_restore(cr);
    } else {  // a glossy highlight across the top
        canvas.RoundRect(inset + r / 2, inset + 3, bw - r, bh * 0.3, r / 2);
        canvas.SetColour(kWhite, 0.4);
        cairo_fill(cr);
    }
    DrawIcon(canvas, icon, inset + bw / 2 + shift, inset + bh / 2 + shift, std::min(bw, bh) * 0.82);
    if (disabled) {
        canvas.RoundRect(inset, inset, bw, bh, r);
        canvas.SetColour(kGrey, 0.55);
        cairo_fill(cr);
    }
    return canvas.ToImage();
}

FacePlan PlanOf(const ControlLayout& control, std::uint32_t fill, Icon icon, bool scrambled) {
    const CRect& r = control.rect;
    return {control.up != nullptr ? control.up : "",
            control.down != nullptr ? control.down : "",
            control.disabled != nullptr ? control.disabled : "",
            r.left,
            r.top,
            r.Width(),
            r.Height(),
            fill,
            icon,
            scrambled};
}

std::string FolderOf(const ScreenLayout& screen) {
    return std::string(ContentPaths::InTree(screen.folder));
}

std::string PathOf(const ScreenLayout& screen, const char* file) {
    return FolderOf(screen) + file;
}

void AddFaces(const std::string& folder, const KitImage& background,
              const std::vector<FacePlan>& plans, std::vector<KitPicture>& out) {
    for (const FacePlan& s : plans) {
        const KitImage under = Crop(background, s.x, s.y, s.w, s.h);
        out.push_back({folder + s.upName, ButtonFace(under, s.fill, s.icon, false), s.scrambled});
        out.push_back({folder + s.downName, ButtonFace(under, s.fill, s.icon, true), s.scrambled});
        if (!s.offName.empty())
            out.push_back({folder + s.offName, ButtonFace(under, s.fill, s.icon, false, true)});
    }
}

KitJob WriteJob(const std::string& contentDir, KitPicture picture) {
    auto shared = std::make_shared<KitPicture>(std::move(picture));
    return {shared->path, [contentDir, shared] {
                const std::string path = contentDir + "/" + shared->path;
                return shared->scrambled ? shared->image.WriteScrambled(path)
                                         : shared->image.WriteBmp(path);
            }};
}
