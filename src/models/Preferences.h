#pragma once

class CSettings;

// The child's settings: whether sounds are heard, whether strokes stay inside the object
// they start on and the crayon box last shown; and what a grown-up allows (printing, the
// options screen). The application owns one; the screens that show or use a setting are
// handed it. Until settings are kept, sound and staying inside are on, the first box
// shows and everything is allowed.
class Preferences {
  public:
    // Takes the values of `settings` and from now on writes every change the child makes
    // back into them and saves them at once; null keeps the settings in memory only.
    void Keep(CSettings* settings);

    bool IsSoundOn() const { return m_soundOn; }
    // Also mutes or unmutes the sound player at once, so every sound obeys the switch.
    void SetSoundOn(bool on);
    bool StaysInsideLines() const { return m_staysInsideLines; }
    void SetStayInsideLines(bool on);
    // The crayon box shown, counting from 0.
    int GetCrayonBox() const { return m_crayonBox; }
    void SetCrayonBox(int box);

    bool IsPrintingAllowed() const { return m_printingAllowed; }
    bool IsOptionsScreenShown() const { return m_optionsScreenShown; }

  private:
    void Store();

    CSettings* m_settings = nullptr;
    bool m_soundOn = true;
    bool m_staysInsideLines = true;
    int m_crayonBox = 0;
    bool m_printingAllowed = true;
    bool m_optionsScreenShown = true;
};
