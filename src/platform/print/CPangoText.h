#pragma once
#include <memory>
#include <string>

#include "platform/base/CRect.h"
#include "platform/print/CFont.h"
#include "platform/print/PrintTypes.h"

struct _cairo;

// Text in device units with pango: measuring, drawing and font metrics for a logical
// font. Layouts use unhinted metrics so that measuring before a page exists gives the same
// result as drawing on it.
class CPangoText {
  public:
    CPangoText();
    ~CPangoText();
    CPangoText(const CPangoText&) = delete;
    CPangoText& operator=(const CPangoText&) = delete;

    // The size of `text` laid out in `rect` with the DT_* `format` (wrapped to the
    // rectangle's width with DT_WORDBREAK): its width (the widest line) and height.
    CSize Measure(const CFont& font, const std::string& text, const CRect& rect, UINT format);
    // Draws black text at the top of `rect`, clipped to it unless DT_NOCLIP; returns the
    // text height.
    int Draw(_cairo* cr, const CFont& font, const std::string& text, const CRect& rect,
             UINT format);
    // The same in `ink`'s colour, over its background where opaque. A single line
    // (DT_SINGLELINE) sits at the top, in the middle (DT_VCENTER) or at the bottom
    // (DT_BOTTOM) of `rect`.
    int Draw(_cairo* cr, const CFont& font, const std::string& text, const CRect& rect, UINT format,
             const TextInk& ink);
    bool GetMetrics(const CFont& font, TEXTMETRIC* metrics);

    // Text from the program's files may be in the Windows Latin-1 code page; pango wants
    // UTF-8. Valid UTF-8 passes unchanged.
    static std::string ToUtf8(const std::string& text);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
