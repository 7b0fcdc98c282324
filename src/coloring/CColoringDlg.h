#pragma once
#include <array>
#include <memory>
#include <random>
#include <string>

#include "coloring/CPictureKeeper.h"
#include "dialogs/CPictureButton.h"
#include "imaging/CCursor.h"
#include "imaging/CDIBPal.h"
#include "imaging/CDib.h"
#include "platform/window/CDialog.h"
#include "models/CGlimScrapbook.h"
#include "sound/CBasicSound.h"
#include "models/CGlimBook.h"
#include "models/CCrayonBox.h"
#include "painting/CGlimAreaFill.h"
#include "painting/CGlimBrush.h"
#include "models/CTextureBox.h"

// The coloring screen: the 640 x 480 main dialog where the child colours. It owns the
// book, the crayon boxes, the texture box, the tools, the scrapbook model, the cursor set,
// the screen's sounds and the faces of its buttons. A timed start-up (timer 0) shows two
// splash pictures while everything loads; then mouse input drives the tools and the
// buttons choose tools, textures, crayon boxes and scenes, until the exit is confirmed.
class CColoringDlg : public CDialog {
  public:
    static constexpr UINT kTemplateId = 102;
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;
    static constexpr int kFillSoundCount = 21;
    static constexpr int kMaxCrayonBoxes = 10;
    static constexpr int kPhaseRunning = 7;
    static constexpr int kPhaseClosing = 8;

    enum ControlId : int {
        kBackground = 1066,
        kPictureArea = 1028,
        kCrayonArea = 1032,
        kColourStrip = 1067,
        kSmallBrush = 1040,
        kBigBrush = 1041,
        kRegionFill = 1039,
        kSmallEraser = 1046,
        kBigEraser = 1037,
        kUndo = 1048,
        kTextureUp = 1038,
        kTextureSlot0 = 1043,
        kTextureSlot1 = 1044,
        kTextureSlot2 = 1045,
        kSwatch0 = 1092,
        kSwatch1 = 1090,
        kSwatch2 = 1091,
        kTextureDown = 1042,
        kVoiceOver = 1050,
        kScrapbook = 1054,
        kLeftStar = 1047,
        kRightStar = 1049,
        kSceneLeft = 1055,
        kSceneRight = 1056,
        kExit = 1101,
    };
    enum ToolKind : int { kToolFill = 0, kToolBrush = 1 };
    enum BrushIndex : int { kNoBrush = -1, kSmall = 0, kBig = 1, kSmallErase = 2, kBigErase = 3 };

    explicit CColoringDlg(CWnd* parent);
    ~CColoringDlg() override;

    // Layout and painting helpers.
    void InvalidateControl(int id);
    void MoveControl(int id, int x, int y, int width, int height);
    CRect GetControlRect(int id) const;
    void PaintScreen(const CRect& update, CDC& dc);
    // Nine cells around `inner` inside `outer`, row by row; cell 4 is their overlap.
    // `outer` is emptied.
    static void Split(CRect& outer, const CRect& inner, std::array<CRect, 9>& cells);
    void PlayToolSound(CBasicSound& sound, const std::string& path);

    // The picture in the picture area and keeping what was coloured.
    // Saves the current picture to the scrapbook when it was coloured since it became
    // current (or was last saved). False when it could not be saved: the child was told.
    bool SaveTouchedPicture();
    // Makes `picture` of `book` the current picture (after saving the one it replaces);
    // `entryIndex` is the scrapbook entry it was chosen from, or -1. False when the
    // current picture could not be saved and so stays current.
    bool SetCurrentPicture(CGlimBook* book, CGlimImage* picture, int entryIndex = -1);
    CGlimImage* GetCurrentPicture();
    CGlimBook* GetCurrentPictureBook();

    // State, for the other screens and for tests.
    int GetStartupPhase() const { return m_startupPhase; }
    int GetPaintedPhase() const { return m_paintedPhase; }
    int GetToolKind() const { return m_toolKind; }
    int GetBrushIndex() const { return m_brushIndex; }
    int GetColourSource() const { return m_colourSource; }
    int GetCurrentCrayonBox() const { return m_currentCrayonBox; }
    int GetCrayonBoxCount() const { return m_crayonBoxCount; }
    bool IsPictureTouched() const { return m_pictureTouched; }
    bool HasUnsavedColouring() const { return m_unsaved; }
    CGlimBook* GetBooks() { return &m_shelf[1]; }
    int GetBookCount() const { return m_bookCount; }
    CGlimBook& GetScribblePad() { return m_shelf[0]; }
    CGlimScrapbook& GetScrapbook() { return m_scrapbook; }
    CGlimBrush& GetBrush(int index) { return m_brushes.at(static_cast<std::size_t>(index)); }
    CTextureBox& GetTextureBox() { return m_textureBox; }
    CCrayonBox& GetCrayonBox(int index) {
        return m_crayonBoxes.at(static_cast<std::size_t>(index));
    }
    CCursor& GetCursorSet() { return m_cursors; }
    CDIBPal& GetScreenPalette() { return m_palette; }
    CPictureButton& GetButton(int id);
    const CRect& GetPinnedRect() const { return m_windowRect; }

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  public:
    // Framework overrides.
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnEraseBkgnd(CDC* dc) override;
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
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Face {
        int id;
        std::unique_ptr<CDib> up;
        std::unique_ptr<CDib> down;
    };
    struct ToolSound {
        CBasicSound sound;
        std::string path;
    };

    // Layout.
    void Layout();
    void CentreOnDisplay();
    CWnd* Control(int id) const { return GetDlgItem(id); }
    CRect ToControl(int id, CPoint point) const;
    CPoint PointIn(int id, CPoint clientPoint) const;

    // Start-up.
    void RunStartupStep();
    void EnterPhase(int phase);
    void Repaint();
    void PaintStartupPhase(CDC& dc, const CRect& update);
    void LoadSplashPictures();
    void LoadScreenResources();
    void LoadButtonFaces();
    void LoadCrayons();
    bool LoadBooks();
    void OpenBook();
    void FinishStartup();
    void FlushInput();

    // Painting.
    void PaintBackground(CDC& dc, const CRect& cell);
    void PaintButtonFace(int id, DRAWITEMSTRUCT& item);
    void PaintTextureSlot(int slot, const Face& frame, DRAWITEMSTRUCT& item);
    const Face* FindFace(int id) const;
    bool ShowsDownFace(int id, bool pressed) const;
    void Realize(CDC& dc);
    const CCrayon* CurrentColour();

    // Input and commands.
    bool PickCrayon(CPoint point);
    void Colour(CPoint point);
    void ChooseTool(int kind, int brush, ToolSound& sound);
    int ToolButton(int kind, int brush) const;
    bool IsEraserCurrent() const;
    void SwitchFromEraser(int brush);
    void PageTextures(bool forward);
    void ChooseTexture(int slot);
    void UndoColouring();
    void PlayVoiceOver();
    void ApplyPreset(int id);
    void StepCrayonBox(int step);
    void StepScene(int step);
    void OpenScrapbook();
    void ExitSequence();
    void ShowClosingPictures();
    void ShowScrapbookFull();
    void PlayClick();
    void ShowPicture(CGlimImage* picture);

    CDIBPal m_palette;
    std::unique_ptr<CDib> m_secondSplash;
    std::unique_ptr<CDib> m_thirdSplash;
    CDib m_background;
    std::array<Face, 13> m_faces;
    CDib m_soundUp;
    CDib m_soundDown;
    CDib m_scrapUp;
    CDib m_scrapDown;
    std::unique_ptr<CBasicSound> m_clickSound;
    std::array<ToolSound, 2> m_pageTurn;
    std::array<CBasicSound, kFillSoundCount> m_fillSounds;
    std::array<std::string, kFillSoundCount> m_fillSoundPaths;
    ToolSound m_smallBrushSound, m_bigBrushSound, m_fillToolSound, m_smallEraserSound,
        m_bigEraserSound, m_undoSound, m_librarySound;
    CBasicSound m_greeting;
    CBasicSound m_goodbye;
    CBasicSound m_fullSound;
    int m_bookCapacity = 1;
    int m_toolKind = kToolFill;
    int m_brushIndex = kNoBrush;
    CGlimAreaFill m_fill;
    std::array<CGlimBrush, 4> m_brushes;
    int m_colourSource = 1;
    CTextureBox m_textureBox{3};
    int m_currentCrayonBox = 0;
    std::array<CCrayonBox, kMaxCrayonBoxes> m_crayonBoxes;
    int m_crayonBoxCount = 0;
    int m_currentBook = -1;
    int m_bookCount = 0;
    // The scribble pad sits directly in front of the story books, as book -1.
    std::array<CGlimBook, 2> m_shelf;
    CGlimBook* m_pictureBook = nullptr;  // the book whose current picture is shown
    CGlimScrapbook m_scrapbook;
    CPictureKeeper m_keeper;
    bool m_firstPaint = false;
    bool m_startupHalted = false;
    int m_startupPhase = 0;
    int m_paintedPhase = 0;
    int m_tickCount = 0;
    bool m_pictureTouched = false;
    bool m_unsaved = false;
    int m_pageTurnNext = 0;
    CCursor m_cursors;
    CRect m_windowRect;
    std::mt19937 m_random;
    std::array<CPictureButton, 18> m_buttons;
};
