#pragma once
#include <array>
#include <cstdint>

#include "coloring/CBackdropAnimation.h"
#include "coloring/CColoringSounds.h"
#include "coloring/CColourChoice.h"
#include "coloring/CKeepNotices.h"
#include "coloring/CPictureShelf.h"
#include "coloring/CPictureView.h"
#include "coloring/CSplashPictures.h"
#include "coloring/CStartupSequence.h"
#include "coloring/CToolChoice.h"
#include "dialogs/CPictureDialog.h"
#include "imaging/CCursor.h"
#include "imaging/CDIBPal.h"
#include "imaging/CDib.h"
#include "painting/CGlimAreaFill.h"
#include "resources/ScreenLayouts.h"

class Preferences;

// The coloring screen: the 640 x 480 main screen where the child colours. It owns the
// book, the crayon boxes, the texture box, the tools, the scrapbook model, the cursor set,
// the screen's sounds and its palette. A timed start-up shows two splash pictures while
// everything loads; then mouse input drives the tools and the buttons choose tools,
// textures, crayon boxes and scenes, until the exit is confirmed.
class CColoringDlg : public CPictureDialog, private CStartupSequence::Steps {
  public:
    static constexpr UINT kTemplateId = ScreenLayouts::Coloring::kScreen.templateId;
    static constexpr int kScreenWidth = ScreenLayouts::kScreenWidth;
    static constexpr int kScreenHeight = ScreenLayouts::kScreenHeight;

    enum ControlId : int {
        kBackground = ScreenLayouts::Coloring::kBackground.id,
        kPictureArea = ScreenLayouts::Coloring::kPictureArea.id,
        kCrayonArea = ScreenLayouts::Coloring::kCrayonArea.id,
        kColourStrip = ScreenLayouts::Coloring::kColourStrip.id,
        kSmallBrush = ScreenLayouts::Coloring::kSmallBrush.id,
        kBigBrush = ScreenLayouts::Coloring::kBigBrush.id,
        kRegionFill = ScreenLayouts::Coloring::kRegionFill.id,
        kSmallEraser = ScreenLayouts::Coloring::kSmallEraser.id,
        kBigEraser = ScreenLayouts::Coloring::kBigEraser.id,
        kUndo = ScreenLayouts::Coloring::kUndo.id,
        kRedo = ScreenLayouts::Coloring::kRedo.id,
        kTextureUp = ScreenLayouts::Coloring::kTextureUp.id,
        kTextureSlot0 = ScreenLayouts::Coloring::kTextureSlot0.id,
        kTextureSlot1 = ScreenLayouts::Coloring::kTextureSlot1.id,
        kTextureSlot2 = ScreenLayouts::Coloring::kTextureSlot2.id,
        kSwatch0 = ScreenLayouts::Coloring::kSwatch0.id,
        kSwatch1 = ScreenLayouts::Coloring::kSwatch1.id,
        kSwatch2 = ScreenLayouts::Coloring::kSwatch2.id,
        kTextureDown = ScreenLayouts::Coloring::kTextureDown.id,
        kVoiceOver = ScreenLayouts::Coloring::kVoiceOver.id,
        kScrapbook = ScreenLayouts::Coloring::kScrapbook.id,
        kLeftStar = ScreenLayouts::Coloring::kLeftStar.id,
        kRightStar = ScreenLayouts::Coloring::kRightStar.id,
        kSceneLeft = ScreenLayouts::Coloring::kSceneLeft.id,
        kSceneRight = ScreenLayouts::Coloring::kSceneRight.id,
        kExit = ScreenLayouts::Coloring::kExit.id,
    };

    // `fillSoundSeed` picks the sequence of fill sounds.
    CColoringDlg(CWnd* parent, std::uint32_t fillSoundSeed);
    ~CColoringDlg() override;

    // Saves the current picture to the scrapbook when it was coloured since it became
    // current (or was last saved). False when it did not go into the scrapbook: the child
    // was told, and it was set aside.
    bool SaveTouchedPicture();
    // Makes `picture` of `book` the current picture (after saving the one it replaces);
    // `entryIndex` is the scrapbook entry it was chosen from, or -1. False only for a
    // missing picture: a picture that cannot be saved never keeps the child there.
    bool SetCurrentPicture(CGlimBook* book, CGlimImage* picture, int entryIndex = -1);
    CGlimImage* GetCurrentPicture();

    // The application's settings, handed to the brushes and the options screen.
    void SetPreferences(Preferences* preferences);

    // The start-up, for the application to say whether it may be hurried.
    CStartupSequence& GetStartup() { return m_startup; }

    // State, for tests.
    StartupPhase GetStartupPhase() const { return m_startup.GetPhase(); }
    const CToolChoice& GetToolChoice() const { return m_tools; }
    CGlimBrush& GetBrush(Tool tool) { return m_tools.GetBrush(tool); }
    ColourSource GetColourSource() const { return m_colours.GetSource(); }
    int GetCurrentCrayonBox() const { return m_colours.GetShownBoxIndex(); }
    int GetCrayonBoxCount() const { return m_colours.GetBoxCount(); }
    bool HasUnsavedColouring() const { return m_shelf.HasUnsavedColouring(); }
    CPictureShelf& GetShelf() { return m_shelf; }
    CGlimBook* GetBooks() { return m_shelf.GetStoryBooks(); }
    CGlimScrapbook& GetScrapbook() { return m_shelf.GetScrapbook(); }
    const CRect& GetPinnedRect() const { return GetPosition(); }

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  public:
    // Framework overrides.
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnPaint() override;
    void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) override;
    BOOL OnQueryNewPalette() override;
    void OnPaletteChanged(CWnd* focusWnd) override;
    void OnWindowPosChanging(WINDOWPOS* pos) override;
    void OnTimer(UINT id) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Layout.
    void PlaceControls();
    void CentreOnDisplay();
    void InvalidateControl(int id);
    void InvalidateArea(int id);
    CRect GetControlRect(int id) const;
    CRect GetScreenRect(int id) const;
    CPoint PointIn(int id, CPoint clientPoint) const;

    // Start-up steps.
    void ShowScreen() override;
    void LoadSplashPictures() override;
    void LoadScreenResources() override;
    bool LoadBooks() override;
    void OpenBook() override;
    void FinishStartup() override;
    void Repaint() override;
    void PaintStartupPhase(CDC& dc, const CRect& update);
    void FlushInput();
    void ShowKeptCrayonBox();

    // Painting.
    void PaintScreen(const CRect& update, CDC& dc);
    void PaintBackgroundCell(CDC& dc, const CRect& cell);
    void PaintPictureCell(const CRect& cell, const CRect& picture);
    void PaintTextureSlot(int slot, DRAWITEMSTRUCT& item);

    // Input and commands.
    CursorShape PointerShape(bool overClient) const;
    bool PickCrayon(CPoint point);
    void Colour(CPoint point);
    bool ChooseToolOf(int id);
    bool RunButton(int id);
    void ChooseTool(Tool tool);
    void PageTextures(bool forward);
    void ChooseTexture(int slot);
    void UndoColouring();
    void RedoColouring();
    // Greys the undo and redo buttons while the picture has no step to take that way.
    void ShowHistoryButtons();
    void PlayVoiceOver();
    void StepCrayonBox();
    void StepScene(int step);
    void OpenScrapbook();
    bool ShowChosenPicture(CGlimImage* chosen, bool fromScrapbook, int bookIndex);
    // Runs the scrapbook screen; true when the child chose a picture there.
    bool RunScrapbookScreen(CGlimImage*& chosen, bool& fromScrapbook, int& bookIndex);
    // Makes the picture safe before the child leaves it; the way out then always goes on.
    void LeavePicture();
    bool MakeRoomOnScrapbookScreen(bool followChoice);
    void ReportFailedWrite();
    void ArmRecovery();
    void ExitSequence();
    void ClearPictureArea();
    void ShowPicture(CGlimImage* picture);
    void StopAnimations();

    CDIBPal m_palette;
    CPictureView m_pictureView;
    CCursor m_cursors;
    CStartupSequence m_startup{*this};
    CColoringSounds m_sounds;
    CSplashPictures m_splashes;
    std::array<CDib, 2> m_slotFrame;  // up and down
    CToolChoice m_tools;
    CGlimAreaFill m_fill;
    CColourChoice m_colours;
    CPictureShelf m_shelf;
    Preferences* m_preferences = nullptr;
    std::array<CBackdropAnimation, 2> m_animations;  // the sun's and the rainbow's
    CKeepNotices m_notices;
    bool m_recoveryArmed = false;
};
