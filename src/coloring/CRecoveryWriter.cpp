#include "coloring/CRecoveryWriter.h"

#include <cstring>
#include <utility>

#include "platform/files/CAtomicFile.h"

CRecoveryWriter::CRecoveryWriter(std::string folder)
    : m_slot(std::move(folder)), m_thread([this] { Run(); }) {}

CRecoveryWriter::~CRecoveryWriter() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CRecoveryWriter::SetFolder(std::string folder) {
    WaitIdle();
    m_slot.SetFolder(std::move(folder));
}

CPictureSlot& CRecoveryWriter::Slot() {
    WaitIdle();
    return m_slot;
}

void CRecoveryWriter::Submit(const CDib& canvas, const CPictureSlot::Label& label) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_queued = Job{canvas, label};
    }
    m_changed.notify_all();
}

bool CRecoveryWriter::WriteNow(const CDib& canvas, const CPictureSlot::Label& label) {
    WaitIdle();
    return m_slot.Write(canvas, label);
}

bool CRecoveryWriter::WriteLabelNow(const CPictureSlot::Label& label) {
    WaitIdle();
    return m_slot.WriteLabel(label);
}

void CRecoveryWriter::WaitIdle() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_queued && !m_busy; });
}

bool CRecoveryWriter::TakeFailure(std::string& path, int& error) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_failed) return false;
    m_failed = false;
    path = m_failedPath;
    error = m_failedError;
    return true;
}

bool CRecoveryWriter::HasFailure() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_failed;
}

void CRecoveryWriter::NoteFailure() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_failed = true;
    m_failedPath = CAtomicFile::LastFailedPath();
    m_failedError = CAtomicFile::LastFailedError();
}

// The queued job's slot write runs without the lock, so Submit never waits for the disk.
void CRecoveryWriter::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || m_queued; });
        if (!m_queued) return;
        Job job = std::move(*m_queued);
        m_queued.reset();
        m_busy = true;
        lock.unlock();
        const bool written = m_slot.Write(job.canvas, job.label);
        if (!written) NoteFailure();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

// Eight bytes at a time: a whole canvas takes a fraction of a millisecond, so it can be taken
// whenever a change must be confirmed.
std::uint64_t CRecoveryWriter::Fingerprint(const CDib& canvas) {
    const BYTE* bits = canvas.GetBits();
    const std::size_t size = canvas.GetImageSize();
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ size;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bits + i, 8);
        hash = (hash ^ word) * 0x100000001B3ull;
        hash ^= hash >> 29;
    }
    for (; i < size; ++i) hash = (hash ^ bits[i]) * 0x100000001B3ull;
    return hash;
}
