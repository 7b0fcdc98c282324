#pragma once
#include <set>
#include <string>

#include "dialogs/CPictureDialog.h"
#include "imaging/CDib.h"
#include "resources/ScreenLayouts.h"
#include "sound/CBasicSound.h"

class CGlimBook;
class CGlimScrapbook;

// The slide-show player: shows a book's slides one after the other, each with its
// picture's voice-over, and advances by itself after the slide-change sound and a pause
// of four seconds. The child can pause, rewind, switch between their own slides (the
// book's slide script) and the story's slides, and leave.
class CSlideShowDlg : public CPictureDialog {
  public:
    static constexpr UINT kTemplateId = ScreenLayouts::SlideShow::kScreen.templateId;
    static constexpr UINT kSlideTimer = 1;
    static constexpr UINT kSlideTimerInterval = 1000;
    static constexpr DWORD kPauseMs = 4000;
    static constexpr const char* kLoadFailed = "Failed to open default slide.";

    enum ControlId : int {
        kExit = ScreenLayouts::SlideShow::kExit.id,
        kCancel = ScreenLayouts::SlideShow::kCancel.id,
        kPlaceholder = ScreenLayouts::SlideShow::kPlaceholder.id,
        kSlideArea = ScreenLayouts::SlideShow::kSlideArea.id,
        kRewind = ScreenLayouts::SlideShow::kRewind.id,
        kBack = ScreenLayouts::SlideShow::kBack.id,
        kForward = ScreenLayouts::SlideShow::kForward.id,
        kStop = ScreenLayouts::SlideShow::kStop.id,
        kPlay = ScreenLayouts::SlideShow::kPlay.id,
        kUseScript = ScreenLayouts::SlideShow::kUseScript.id,
    };

    explicit CSlideShowDlg(CWnd* parent = nullptr);
    ~CSlideShowDlg() override;

    // Set before DoModal, with SetPosition, SetPalette and SetCursorObject.
    void SetBook(CGlimBook* book) { m_book = book; }
    // The scrapbook the show was opened from: its shown picture keeps its files.
    void SetScrapbook(CGlimScrapbook* scrapbook) { m_scrapbook = scrapbook; }
    void SetClickSound(CBasicSound* sound) { m_clickSound = sound; }

    int GetSlideIndex() const { return m_slideIndex; }
    bool IsUsingScript() const { return m_useScript; }
    bool IsAutoPlay() const { return m_autoPlay; }
    bool IsReady() const { return m_ready; }
    const CDib& GetSlidePicture() const { return m_slide; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;
    void OnPaint() override;
    void OnTimer(UINT id) override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    bool LoadSlide(int index);
    void DrawSlide();
    void StartVoiceOver();
    void EnableButtons(bool enable);
    void Silence();
    void PlayClick();
    bool IsLastSlide() const;
    void Post(int command);
    void PauseBetweenSlides();

    void OnPlay();
    void OnForward();
    void OnBack();
    void OnStop();
    void OnRewind();
    // Stops the show where it is: no timer, no voice, a click.
    void Halt();
    void OnUseScript();

    CDib m_slide;
    CBasicSound m_slideChangeSound;
    CBasicSound m_mySlidesSound;
    CBasicSound m_storySlidesSound;
    CGlimBook* m_book = nullptr;
    CGlimScrapbook* m_scrapbook = nullptr;
    CBasicSound* m_clickSound = nullptr;
    int m_slideIndex = 0;
    bool m_useScript = true;
    bool m_autoPlay = true;
    bool m_ready = false;
    // Pictures whose voice-over the show loaded; their sounds go when the show ends.
    std::set<int> m_spoken;
};
