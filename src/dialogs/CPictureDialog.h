#pragma once
#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "dialogs/CPictureButton.h"
#include "imaging/CDib.h"
#include "platform/window/CDialog.h"
#include "platform/window/DialogTemplate.h"
#include "resources/ScreenLayouts.h"

class CCursor;
class CPalette;

// The rectangle of `width` x `height` pixels whose top left corner is at x, y.
constexpr CRect RectAt(int x, int y, int width, int height) {
    return CRect(x, y, x + width, y + height);
}

// One picture button of a screen: its control id, its caption in the dialog template, the
// file names of its up, down and (optional) disabled pictures, and its place in the window.
// A face without an up picture is a button whose pictures the screen sets or draws itself.
struct PictureFace {
    int id = 0;
    const char* text = "";
    const char* up = nullptr;
    const char* down = nullptr;
    const char* disabled = nullptr;
    CRect rect;
};

// What every screen of the program shares: a background picture filling the window, a set
// of owner-drawn picture buttons whose pictures the screen owns, a place on the screen set
// before the dialog opens (0 width or height: the background's size), the shared palette
// realised before anything is drawn, the pointer cursor handed to every button, and a
// background that is never erased. A screen adds only its own controls and behaviour.
class CPictureDialog : public CDialog {
  public:
    CPictureDialog(UINT templateId, CWnd* parent);
    ~CPictureDialog() override;

    // x, y, width, height in screen pixels; set before DoModal.
    void SetPosition(int x, int y, int width, int height);
    const CRect& GetPosition() const { return m_position; }
    void SetCursorObject(CCursor* cursor);
    void SetPalette(CPalette* palette) { m_palette = palette; }
    // The button with control id `id`; an unknown id gives the first button.
    CPictureButton& GetButton(int id);

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

    // Adds one visible owner-drawn button item per face to a layout.
    static void AddFaceItems(DialogTemplate& layout, std::span<const PictureFace> faces);

  protected:
    // Loads each face's pictures (file names relative to `folder`) into a new button; a
    // face without pictures gets a button without them.
    void AddButtons(const std::string& folder, std::span<const PictureFace> faces);
    // A new button for each picture button of `screen` that has faces, loaded from its folder.
    void AddButtons(const ScreenLayout& screen);
    // A button whose pictures the screen sets itself.
    CPictureButton& AddButton(int id, const CRect& rect);
    // Moves the window onto its position, filling in an empty size with the background's,
    // or with `missing` when the background did not load.
    void PlaceWindow(BOOL repaint, CSize missing = CSize(0, 0));
    // Stretches control `id` (if present) over the whole window.
    void PlaceOverWindow(int id);
    // Moves every button onto its face's rectangle.
    void PlaceButtons(BOOL repaint);
    void RealizePalette(CDC& dc) const;
    // Realises the palette and paints `picture` over the whole client area.
    void PaintBackground(CDC& dc, CDib& picture);
    // Realises the palette and paints the background at the window's size with its colours
    // as stored, not mapped through the palette (the confirmations are drawn this way).
    void PaintBackgroundAsStored(CDC& dc);
    template <typename Function>
    void ForEachButton(Function function) {
        for (auto& entry : m_buttons) function(entry->button);
    }

    CDib& GetBackground() { return m_background; }
    const CDib& GetBackground() const { return m_background; }
    CPalette* GetPalette() const { return m_palette; }
    CCursor* GetCursorObject() const { return m_cursor; }

  private:
    void LoadPictures(int id, const CRect& rect, const std::string& up, const std::string& down,
                      const std::string* disabled);

    struct Entry {
        int id = 0;
        CRect rect;
        std::array<CDib, 3> pictures;
        CPictureButton button;
    };

    CDib m_background;
    std::vector<std::unique_ptr<Entry>> m_buttons;
    CRect m_position;
    CPalette* m_palette = nullptr;
    CCursor* m_cursor = nullptr;
};
