#pragma once
#include <string>

#include "imaging/CDib.h"
#include "platform/base/CPoint.h"
#include "platform/base/CRect.h"
#include "platform/base/WinTypes.h"
#include "sound/CBasicSound.h"

class CDC;
class CWnd;

// A part of a screen's background that answers a click (the colouring screen's sun and
// rainbow): a strip of frames, each the size of its place, shown over the place one timer
// message at a time with a sound at the start, after which the background shows again.
// Nothing waits, so input flows on while it plays; a click while it plays is taken but
// changes nothing.
class CBackdropAnimation {
  public:
    // Twelve frames a second.
    static constexpr UINT kFrameInterval = 83;

    // Where it lies on the screen, its frame strip and sound, and the screen timer it uses.
    struct Plan {
        CRect place;
        int frameCount;
        std::string framesFile;
        std::string soundFile;
        UINT timerId;
    };

    // Takes the plan and loads its frame strip and sound; false when the strip is missing or
    // is not frameCount places wide (then clicks are not answered).
    bool Load(Plan plan);
    // Starts playing on `screen` when `point` (its client coordinates) lies in the place;
    // false when the point lies elsewhere or nothing is loaded.
    bool Click(CWnd& screen, CPoint point);
    // Moves to the next frame, or ends after the last; false when `timerId` is not its own.
    bool OnTimer(CWnd& screen, UINT timerId);
    // Draws the frame on show, clipped to `update`; nothing when it is not playing.
    void Paint(CDC& dc, const CRect& update);
    // Ends at once, the background shown again.
    void Stop(CWnd& screen);

    bool IsPlaying() const { return m_frame >= 0; }
    // The frame on show, -1 when not playing.
    int GetFrame() const { return m_frame; }
    const CRect& GetPlace() const { return m_plan.place; }

  private:
    Plan m_plan{CRect(), 0, "", "", 0};
    CDib m_frames;
    CBasicSound m_sound;
    bool m_loaded = false;
    int m_frame = -1;
};
