#include "platform/backend/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

HeadlessBackend::HeadlessBackend(int width, int height, int bitsPerPixel)
    : m_surface(std::make_unique<CSurface>(width, height, bitsPerPixel)) {}

HeadlessBackend::~HeadlessBackend() {
    if (m_audio && GetAudioOutput() == m_audio.get()) SetAudioOutput(nullptr);
    if (m_recordsPrints) CPrintQueue::SetPrintJobHook(std::move(m_previousPrintHook));
}

void HeadlessBackend::SetDisplay(int width, int height, int bitsPerPixel) {
    m_surface = std::make_unique<CSurface>(width, height, bitsPerPixel);
}

InputEvent& HeadlessBackend::Queue(InputEvent::Kind kind, UINT modifiers) {
    InputEvent& e = m_events.emplace_back();
    e.kind = kind;
    e.modifiers = modifiers;
    return e;
}

void HeadlessBackend::InjectMove(CPoint point, UINT modifiers) {
    Queue(InputEvent::Kind::MouseMove, modifiers).point = point;
}

void HeadlessBackend::InjectButton(CPoint point, bool down, InputEvent::Button button,
                                   UINT modifiers) {
    InputEvent& e =
        Queue(down ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp, modifiers);
    e.point = point;
    e.button = button;
}

void HeadlessBackend::InjectClick(CPoint point, UINT modifiers) {
    InjectMove(point, modifiers);
    InjectButton(point, true, InputEvent::Button::Left, modifiers);
    InjectButton(point, false, InputEvent::Button::Left, modifiers);
}

void HeadlessBackend::InjectDrag(CPoint from, CPoint to, UINT modifiers) {
    InjectMove(from, modifiers);
    InjectButton(from, true, InputEvent::Button::Left, modifiers);
    const int steps = std::max({std::abs(to.x - from.x), std::abs(to.y - from.y), 1});
    for (int i = 1; i <= steps; ++i) {
        InjectMove(
            CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps),
            modifiers);
    }
    InjectButton(to, false, InputEvent::Button::Left, modifiers);
}

void HeadlessBackend::InjectKey(UINT key, UINT modifiers) {
    Queue(InputEvent::Kind::KeyDown, modifiers).key = key;
}

void HeadlessBackend::InjectClose() {
    Queue(InputEvent::Kind::Close, 0);
}

void HeadlessBackend::InstallAudio() {
    if (!m_audio) {
        m_audio = std::make_unique<HeadlessAudio>([this] { return m_now; },
                                                  [this](DWORD ms) { m_now += ms; });
    }
    SetAudioOutput(m_audio.get());
}

void HeadlessBackend::RecordPrint(const std::string& description) {
    m_record.push_back({m_now, "print " + description});
}

void HeadlessBackend::InstallPrintRecord() {
    PrintJobHook previous = CPrintQueue::SetPrintJobHook([this](const PrintJobRecord& job) {
        RecordPrint("\"" + job.documentName + "\" " + job.destination + " " +
                    (job.jobId > 0 ? "job=" + std::to_string(job.jobId) : "refused"));
    });
    if (!m_recordsPrints) m_previousPrintHook = std::move(previous);
    m_recordsPrints = true;
}

std::vector<std::string> HeadlessBackend::RecordLines() const {
    std::vector<Entry> all = m_record;
    if (m_audio) {
        for (const HeadlessAudio::PlayRecord& play : m_audio->GetRecord()) {
            char flags[16];
            std::snprintf(flags, sizeof flags, "0x%02X", play.flags);
            std::string line = "sound " + std::to_string(play.start) + " " +
                               std::to_string(play.end - play.start) + " " + play.label +
                               " flags=" + flags;
            if (play.refused) line += " refused";
            all.push_back({play.start, line});
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Entry& a, const Entry& b) { return a.time < b.time; });
    std::vector<std::string> lines;
    lines.reserve(all.size());
    for (const Entry& e : all) lines.push_back(e.text);
    return lines;
}

void HeadlessBackend::Raise() {
    m_raiseRequested.store(true);
}

bool HeadlessBackend::PollEvent(InputEvent& event) {
    if (m_raiseRequested.exchange(false)) m_record.push_back({m_now, "raise"});
    if (m_events.empty()) return false;
    event = m_events.front();
    m_events.pop_front();
    m_modifiers = event.modifiers;
    return true;
}

bool HeadlessBackend::RunIdleHook() {
    return m_idleHook && !IsWaiting() && m_idleHook();
}

void HeadlessBackend::OnQueueEmpty() {
    RunIdleHook();
}

bool HeadlessBackend::WaitEvent(DWORD timeoutMs) {
    if (RunIdleHook() || !m_events.empty()) return true;
    if (IsWaiting()) {
        const DWORD left = m_waitTarget - m_now;
        m_now += std::min(left, timeoutMs);
        return true;
    }
    if (timeoutMs == INFINITE) return false;
    m_now += timeoutMs;
    return true;
}

void HeadlessBackend::ShowCursor(HCURSOR cursor) {
    m_cursor = cursor;
    m_record.push_back(
        {m_now, "cursor " + (cursor != nullptr ? cursor->label : std::string("none"))});
}

void HeadlessBackend::RecordMessage(ChildMessage kind, const std::string& caption) {
    m_record.push_back(
        {m_now, "message " + std::string(ChildMessageName(kind)) + " \"" + caption + "\""});
}
