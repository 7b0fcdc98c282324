#pragma once
#include <array>

#include "platform/window/CButton.h"

class CCursor;
class CDib;

// An owner-drawn button that shows pictures its dialog owns: an up and a down face (and
// optionally a disabled one), or a cycle of up to ten frames. It shows the dialog's
// "clickable" cursor and tells its parent of every left-button release over it.
class CPictureButton : public CButton {
  public:
    enum class Mode { Push, Toggle, Cycle };
    static constexpr int kMaxFrames = 10;

    CPictureButton();
    ~CPictureButton() override;

    // Pictures are not owned; `disabled` may be null.
    void SetPictures(CDib* up, CDib* down, CDib* disabled);
    // Appends frames (stopping silently once ten are held) and makes this a Cycle button.
    void AddFrames(CDib* const* frames, int count);
    void AddFrames(CDib* frame, int count) { AddFrames(&frame, count); }
    void ClearPictures();
    void SetMode(Mode mode) { m_mode = mode; }
    Mode GetMode() const { return m_mode; }

    bool IsOn() const { return m_on; }
    void SetOn();
    void SetOff();
    void Toggle();
    // The owning dialog's reaction to the button's command, according to the mode.
    void Click();
    void SetCursorObject(CCursor* cursor) { m_cursor = cursor; }

    int GetFrameCount() const { return m_frameCount; }
    int GetFrameIndex() const { return m_frameIndex; }
    // Shows frame `index` (ignored outside the frames); used to step a cycle backwards.
    void SetFrameIndex(int index);
    bool HasPictures() const { return m_hasPictures; }

    void DrawItem(DRAWITEMSTRUCT* drawItem) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

  private:
    CDib* ChoosePicture(UINT itemState) const;
    CDib* NextFrame() const;
    void Latch(bool on);

    CDib* m_up = nullptr;
    CDib* m_down = nullptr;
    CDib* m_disabled = nullptr;
    std::array<CDib*, kMaxFrames> m_frames{};
    bool m_hasPictures = false;
    Mode m_mode = Mode::Push;
    bool m_on = false;
    CCursor* m_cursor = nullptr;
    int m_frameCount = 0;
    int m_frameIndex = -1;
};
