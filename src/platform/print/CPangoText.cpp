#include "platform/print/CPangoText.h"

#include <glib.h>
#include <pango/pangocairo.h>

#include <cmath>

#include "platform/base/FreeWith.h"

namespace {

using LayoutPtr = std::unique_ptr<PangoLayout, FreeWith<g_object_unref>>;
using FontPtr = std::unique_ptr<PangoFont, FreeWith<g_object_unref>>;
using DescriptionPtr = std::unique_ptr<PangoFontDescription, FreeWith<pango_font_description_free>>;
using MetricsPtr = std::unique_ptr<PangoFontMetrics, FreeWith<pango_font_metrics_unref>>;
using AttrListPtr = std::unique_ptr<PangoAttrList, FreeWith<pango_attr_list_unref>>;
using LayoutIterPtr = std::unique_ptr<PangoLayoutIter, FreeWith<pango_layout_iter_free>>;

// The default font when none is selected: 10 points at 300 dpi.
constexpr int kDefaultEmHeight = 42;

int PangoToUnits(int value) {
    return static_cast<int>(std::ceil(double(value) / PANGO_SCALE));
}

DescriptionPtr Describe(const CFont& font, double emHeight) {
    DescriptionPtr d(pango_font_description_new());
    pango_font_description_set_family(d.get(), font.GetFamilyList().c_str());
    pango_font_description_set_weight(d.get(), static_cast<PangoWeight>(font.GetWeight()));
    pango_font_description_set_style(d.get(),
                                     font.IsItalic() ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d.get(), emHeight * PANGO_SCALE);
    return d;
}

}  // namespace

struct CPangoText::Impl {
    PangoContext* context = nullptr;

    Impl() {
        context = pango_font_map_create_context(pango_cairo_font_map_get_default());
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(context, FALSE);
    }
    ~Impl() { g_object_unref(context); }

    // Line height (ascent + descent) of the font at an em height, in device units.
    double LineHeight(const CFont& font, double emHeight) {
        DescriptionPtr d = Describe(font, emHeight);
        MetricsPtr m(pango_context_get_metrics(context, d.get(), nullptr));
        if (!m) return 0;
        return double(pango_font_metrics_get_ascent(m.get()) +
                      pango_font_metrics_get_descent(m.get())) /
               PANGO_SCALE;
    }

    // The em height a logical font asks for: a negative height is the character height
    // itself; a positive one is the whole line, which the face's proportions scale down.
    double EmHeight(const CFont& font) {
        const int height = font.IsCreated() ? font.GetHeight() : -kDefaultEmHeight;
        if (height < 0) return -height;
        if (height == 0) return kDefaultEmHeight;
        const double line = LineHeight(font, height);
        return line > 0 ? height * height / line : height;
    }

    LayoutPtr MakeLayout(const CFont& font, const std::string& text, const CRect& rect,
                         UINT format) {
        LayoutPtr layout(pango_layout_new(context));
        DescriptionPtr d = Describe(font, EmHeight(font));
        pango_layout_set_font_description(layout.get(), d.get());
        const std::string utf8 = ToUtf8(text);
        pango_layout_set_text(layout.get(), utf8.c_str(), -1);
        AttrListPtr attrs(pango_attr_list_new());
        if (font.IsUnderlined())
            pango_attr_list_insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font.IsStruckOut())
            pango_attr_list_insert(attrs.get(), pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout.get(), attrs.get());
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && rect.Width() > 0) {
            pango_layout_set_width(layout.get(), rect.Width() * PANGO_SCALE);
            pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
            pango_layout_set_alignment(layout.get(), Alignment(format));
        }
        if (format & DT_SINGLELINE) pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
        return layout;
    }

    static PangoAlignment Alignment(UINT format) {
        if (format & DT_CENTER) return PANGO_ALIGN_CENTER;
        if (format & DT_RIGHT) return PANGO_ALIGN_RIGHT;
        return PANGO_ALIGN_LEFT;
    }

    // Fills the cell of every line (its logical extent) with `colour`, whole device units
    // so that the background has no soft edges.
    static void FillLines(cairo_t* cr, PangoLayout* layout, double x, double y, COLORREF colour) {
        cairo_save(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                             GetBValue(colour) / 255.0);
        LayoutIterPtr lines(pango_layout_get_iter(layout));
        do {
            PangoRectangle logical;
            pango_layout_iter_get_line_extents(lines.get(), nullptr, &logical);
            const double left = std::floor(x + double(logical.x) / PANGO_SCALE);
            const double top = std::floor(y + double(logical.y) / PANGO_SCALE);
            const double right = std::ceil(x + double(logical.x + logical.width) / PANGO_SCALE);
            const double bottom = std::ceil(y + double(logical.y + logical.height) / PANGO_SCALE);
            if (right > left && bottom > top)
                cairo_rectangle(cr, left, top, right - left, bottom - top);
        } while (pango_layout_iter_next_line(lines.get()));
        cairo_fill(cr);
        cairo_restore(cr);
    }

    static CSize Extent(PangoLayout* layout) {
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        return {PangoToUnits(logical.width), PangoToUnits(logical.height)};
    }
};

CPangoText::CPangoText() : m_impl(std::make_unique<Impl>()) {}
CPangoText::~CPangoText() = default;

CSize CPangoText::Measure(const CFont& font, const std::string& text, const CRect& rect,
                          UINT format) {
    LayoutPtr layout = m_impl->MakeLayout(font, text, rect, format);
    return Impl::Extent(layout.get());
}

int CPangoText::Draw(_cairo* cr, const CFont& font, const std::string& text, const CRect& rect,
                     UINT format) {
    return Draw(cr, font, text, rect, format, TextInk());
}

int CPangoText::Draw(_cairo* cr, const CFont& font, const std::string& text, const CRect& rect,
                     UINT format, const TextInk& ink) {
    LayoutPtr layout = m_impl->MakeLayout(font, text, rect, format);
    const CSize extent = Impl::Extent(layout.get());
    double x = rect.left;
    // A layout without a wrapping width is aligned here instead of by pango.
    if (pango_layout_get_width(layout.get()) < 0) {
        if (format & DT_CENTER) x += (rect.Width() - extent.cx) / 2.0;
        if (format & DT_RIGHT) x += rect.Width() - extent.cx;
    }
    double y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y += (rect.Height() - extent.cy) / 2.0;
        if (format & DT_BOTTOM) y += rect.Height() - extent.cy;
    }
    cairo_save(cr);
    if (!(format & DT_NOCLIP)) {
        cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
        cairo_clip(cr);
    }
    if (ink.opaque) Impl::FillLines(cr, layout.get(), x, y, ink.background);
    cairo_set_source_rgb(cr, GetRValue(ink.colour) / 255.0, GetGValue(ink.colour) / 255.0,
                         GetBValue(ink.colour) / 255.0);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
    return extent.cy;
}

bool CPangoText::GetMetrics(const CFont& font, TEXTMETRIC* metrics) {
    if (metrics == nullptr) return false;
    const double em = m_impl->EmHeight(font);
    DescriptionPtr d = Describe(font, em);
    FontPtr loaded(pango_context_load_font(m_impl->context, d.get()));
    if (!loaded) return false;
    MetricsPtr m(pango_font_get_metrics(loaded.get(), nullptr));
    if (!m) return false;
    TEXTMETRIC tm;
    // The line height rounds like a laid-out line (the sum, not each part), so that it
    // agrees with what DrawText measures for one line.
    const int ascent = pango_font_metrics_get_ascent(m.get());
    tm.tmAscent = PangoToUnits(ascent);
    tm.tmHeight = PangoToUnits(ascent + pango_font_metrics_get_descent(m.get()));
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading = std::max(0L, static_cast<long>(tm.tmHeight - std::lround(em)));
    tm.tmAveCharWidth = PangoToUnits(pango_font_metrics_get_approximate_char_width(m.get()));
    tm.tmMaxCharWidth = Measure(font, "W", CRect(), DT_SINGLELINE).cx;
    tm.tmWeight = font.IsCreated() ? font.GetWeight() : FW_NORMAL;
    tm.tmItalic = font.IsItalic();
    tm.tmUnderlined = font.IsUnderlined();
    tm.tmStruckOut = font.IsStruckOut();
    tm.tmPitchAndFamily = font.GetPitchAndFamily();
    *metrics = tm;
    return true;
}

std::string CPangoText::ToUtf8(const std::string& text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return text;
    gsize written = 0;
    gchar* converted = g_convert(text.data(), static_cast<gssize>(text.size()), "UTF-8",
                                 "WINDOWS-1252", nullptr, &written, nullptr);
    if (converted == nullptr) {
        // Bytes the code page does not define either: keep what can be shown.
        converted = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
        written = std::char_traits<char>::length(converted);
    }
    std::string result(converted, written);
    g_free(converted);
    return result;
}
