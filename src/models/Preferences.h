#pragma once

// The child's settings: whether sounds are heard and whether strokes stay inside the object
// they start on. The application owns one; the screens that show or use a setting are handed
// it. Both are on at start.
class Preferences {
  public:
    bool IsSoundOn() const { return m_soundOn; }
    // Also mutes or unmutes the sound player at once, so every sound obeys the switch.
    void SetSoundOn(bool on);
    bool StaysInsideLines() const { return m_staysInsideLines; }
    void SetStayInsideLines(bool on) { m_staysInsideLines = on; }

  private:
    bool m_soundOn = true;
    bool m_staysInsideLines = true;
};
