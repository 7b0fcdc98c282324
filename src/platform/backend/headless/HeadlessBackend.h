#pragma once
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/headless/HeadlessAudio.h"
#include "platform/print/CPrintQueue.h"

// The backend without a screen: a memory framebuffer, a virtual clock and input that
// tests or a script inject. Time passes only when the program waits: a loop with
// nothing to do jumps to the next timer due, Sleep and waiting sounds advance at once,
// and each GetTickCount read costs one millisecond so busy waits end. Message boxes,
// cursor changes, print jobs and (with the audio installed) sounds are recorded.
class HeadlessBackend : public Backend {
  public:
    struct Entry {
        DWORD time = 0;
        std::string text;
    };

    explicit HeadlessBackend(int width = 640, int height = 480, int bitsPerPixel = 32);
    ~HeadlessBackend() override;
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    void SetDisplay(int width, int height, int bitsPerPixel);

    // Input, in display coordinates; `modifiers` (MK_SHIFT | MK_CONTROL) are the keys held
    // while it happens.
    void InjectMove(CPoint point, UINT modifiers = 0);
    void InjectButton(CPoint point, bool down, InputEvent::Button button = InputEvent::Button::Left,
                      UINT modifiers = 0);
    void InjectClick(CPoint point, UINT modifiers = 0);
    // Press at `from`, moves along the line, release at `to`.
    void InjectDrag(CPoint from, CPoint to, UINT modifiers = 0);
    void InjectKey(UINT key, UINT modifiers = 0);
    void InjectClose();
    bool HasPendingInput() const { return !m_events.empty(); }

    // Called whenever the program's loop runs out of work, before time moves on: a
    // script feeds its next line here. It answers whether it did anything.
    void SetIdleHook(std::function<bool()> hook) { m_idleHook = std::move(hook); }
    // While set, idle loops move the clock towards `time` (timers fire on the way).
    void WaitUntil(DWORD time) { m_waitTarget = time; }
    bool IsWaiting() const { return m_now < m_waitTarget; }
    void AdvanceClock(DWORD ms) { m_now += ms; }

    // Plays sounds on the virtual clock (installs the output; undone on destruction).
    void InstallAudio();
    HeadlessAudio* Audio() { return m_audio.get(); }
    const HeadlessAudio* Audio() const { return m_audio.get(); }

    void RecordPrint(const std::string& description);
    // Records every job sent to the print system as a "print" line: the document's name
    // in quotes, the destination, and "job=ID" or "refused". Undone on destruction.
    void InstallPrintRecord();
    const std::vector<Entry>& Record() const { return m_record; }
    // The whole record (with sounds) as text lines in time order.
    std::vector<std::string> RecordLines() const;
    HCURSOR ShownCursor() const { return m_cursor; }

    // Backend.
    CSurface& Surface() override { return *m_surface; }
    void Present() override { ++m_presents; }
    // Recorded as a "raise" line when the loop next looks for input.
    void Raise() override;
    int PresentCount() const { return m_presents; }
    bool PollEvent(InputEvent& event) override;
    void OnQueueEmpty() override;
    bool WaitEvent(DWORD timeoutMs) override;
    // The keys held with the input taken last.
    UINT GetModifierState() override { return m_modifiers; }
    DWORD Now() override { return m_now; }
    DWORD ReadTickCount() override { return m_now++; }
    void Sleep(DWORD ms) override { m_now += ms; }
    void ShowCursor(HCURSOR cursor) override;
    void OnPointerMoved(CPoint point) override { m_cursorPos = point; }
    CPoint GetCursorPos() override { return m_cursorPos; }
    void SetCursorPos(CPoint point) override { m_cursorPos = point; }
    void RecordMessage(ChildMessage kind, const std::string& caption) override;

  private:
    std::unique_ptr<CSurface> m_surface;
    std::deque<InputEvent> m_events;
    // Appends an event of the given kind and hands it back for its remaining fields.
    InputEvent& Queue(InputEvent::Kind kind, UINT modifiers);
    std::function<bool()> m_idleHook;
    bool RunIdleHook();
    DWORD m_now = 0;
    DWORD m_waitTarget = 0;
    UINT m_modifiers = 0;
    CPoint m_cursorPos;
    HCURSOR m_cursor = nullptr;
    std::vector<Entry> m_record;
    std::unique_ptr<HeadlessAudio> m_audio;
    bool m_recordsPrints = false;
    PrintJobHook m_previousPrintHook;
    int m_presents = 0;
    std::atomic<bool> m_raiseRequested{false};
};
