#pragma once
#include <functional>

#include "dialogs/CCreditsTicker.h"
#include "dialogs/CPictureDialog.h"
#include "imaging/CDib.h"
#include "models/Preferences.h"
#include "resources/ContentPaths.h"
#include "resources/ScreenLayouts.h"
#include "sound/CBasicSound.h"

// The options screen: sound on or off, stay inside the lines on or off, the learning
// extensions document and the credits screen (with its hidden ticker). Both settings are
// the application's preferences and take effect at once.
class COptionsDlg : public CPictureDialog {
  public:
    static constexpr UINT kTemplateId = ScreenLayouts::Options::kScreen.templateId;
    static constexpr UINT kTickerTimer = 99;
    static constexpr UINT kTickerInterval = 125;
    static constexpr COLORREF kTickerColour = RGB(251, 214, 4);
    static constexpr const char* kDocumentPath = ContentPaths::kLearningGuide;
    static constexpr const char* kDocumentMissing =
        "The learning extensions document could not be found.";
    static constexpr const char* kNoOpener =
        "There is no program on this computer that can open the learning extensions.";

    enum ControlId : int {
        kOk = ScreenLayouts::Options::kOk.id,
        kPlaceholder = ScreenLayouts::kPlaceholderId,
        kSound = ScreenLayouts::Options::kSound.id,
        kLines = ScreenLayouts::Options::kLines.id,
        kLearning = ScreenLayouts::Options::kLearning.id,
        kCredits = ScreenLayouts::Options::kCredits.id,
    };

    explicit COptionsDlg(Preferences& preferences, CWnd* parent = nullptr);

    bool IsCreditsMode() const { return m_creditsMode; }
    const std::string& GetTickerText() const { return m_ticker.GetText(); }
    static CRect GetTickerBand() { return ScreenLayouts::Options::kTickerBand.rect; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT id) override;

  protected:
    const DialogTemplate* GetDialogTemplate() const override;

  private:
    void OnSoundSwitch();
    void OnLinesSwitch();
    // Flips a toggle button and the setting it shows, with the sound of the new state.
    void Switch(int id, CBasicSound& offSound, CBasicSound& onSound,
                const std::function<void(bool)>& setSetting);
    void OnLearning();
    void OnCreditsButton();
    void ShowButtons(int command);

    Preferences& m_preferences;
    CDib m_creditsPicture;
    CDib* m_currentPicture = nullptr;
    CBasicSound m_soundOnSound;
    CBasicSound m_soundOffSound;
    CBasicSound m_drawInSound;
    CBasicSound m_drawOutSound;
    bool m_creditsMode = false;
    CCreditsTicker m_ticker;
};
