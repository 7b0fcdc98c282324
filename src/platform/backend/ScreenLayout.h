#pragma once
#include "platform/base/CPoint.h"
#include "platform/base/CRect.h"
#include "platform/base/CSize.h"

// Where the display's pixels appear on an output of a given size (a window or a monitor)
// and how output positions map back. The display keeps its aspect ratio and is centred,
// with black bars around it.
class ScreenLayout {
  public:
    ScreenLayout() = default;
    ScreenLayout(CSize output, CSize display);

    // The scale at which `content` is shown on `output`: the largest whole number that
    // fits, unless that leaves more than a quarter of the output's shorter side unused;
    // then the largest fraction that fits (below 1 when the output is smaller).
    static double ChooseScale(CSize output, CSize content);

    CSize Output() const { return m_output; }
    CSize Display() const { return m_display; }
    // The display's pixels on the output; the rest of the output is black.
    const CRect& Dest() const { return m_dest; }
    double Scale() const { return m_scale; }
    bool IsWholeScale() const;

    // The display pixel an output pixel shows most of: the one under its centre. Points on
    // the bars fall outside the display.
    CPoint ToDisplay(CPoint output) const;
    // The centre of a display pixel on the output.
    CPoint ToOutput(CPoint display) const;

  private:
    CSize m_output;
    CSize m_display;
    CRect m_dest;
    double m_scale = 1.0;
};
