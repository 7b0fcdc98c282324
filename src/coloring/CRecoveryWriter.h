#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "imaging/CDib.h"
#include "models/CPictureSlot.h"

// Writes the picture being coloured to the recovery slot without holding up the screen:
// Submit copies the canvas and returns, a writer thread writes and syncs it. Only the
// newest picture waiting is written; an older one still waiting is dropped. Everything
// else that touches the slot first waits for the writer to be idle.
class CRecoveryWriter {
  public:
    explicit CRecoveryWriter(std::string folder);
    ~CRecoveryWriter();
    CRecoveryWriter(const CRecoveryWriter&) = delete;
    CRecoveryWriter& operator=(const CRecoveryWriter&) = delete;

    void SetFolder(std::string folder);

    // Queues `canvas` with `label` for the writer thread.
    void Submit(const CDib& canvas, const CPictureSlot::Label& label);
    // Writes at once (after any queued write); false when a file could not be written.
    bool WriteNow(const CDib& canvas, const CPictureSlot::Label& label);
    bool WriteLabelNow(const CPictureSlot::Label& label);
    // Waits until nothing is queued or being written.
    void WaitIdle();
    // The slot, for reading, clearing and moving once the writer is idle.
    CPictureSlot& Slot();

    // A 64-bit fingerprint of the canvas's pixels, to tell cheaply whether it changed.
    static std::uint64_t Fingerprint(const CDib& canvas);

    // The last write that failed on the writer thread: its file and errno, once; false when
    // none failed since the last call.
    bool TakeFailure(std::string& path, int& error);
    bool HasFailure() const;

  private:
    struct Job {
        CDib canvas;
        CPictureSlot::Label label;
    };

    void Run();
    void NoteFailure();

    CPictureSlot m_slot;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Job> m_queued;
    bool m_busy = false;
    bool m_stopping = false;
    bool m_failed = false;
    std::string m_failedPath;
    int m_failedError = 0;
    std::thread m_thread;
};
