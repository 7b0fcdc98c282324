#pragma once
#include <string>

#include "platform/files/CFile.h"

// Replaces a file as a whole or not at all. The new contents go to a temporary file in
// the same folder, which is flushed, synced to disk and then renamed over the target (the
// folder is synced after). Until Commit succeeds the old file is untouched; a failed step
// or an object destroyed without Commit removes the temporary file.
//
// It is a CFile, so code that writes to a CFile& can write into it:
//     CAtomicFile file;
//     if (!file.Open(path) || !file.Write(data, size) || !file.Commit()) { /* old file kept */ }
// or in one call: CAtomicFile::WriteAll(path, bytes).
class CAtomicFile : public CFile {
  public:
    // How an injected failure behaves: Error makes one step fail as a full disk would;
    // Crash makes that step and every later one fail without cleaning up, as if the
    // process had died there (temporary files stay behind).
    enum class FailureKind { Error, Crash };

    CAtomicFile() = default;
    ~CAtomicFile() override;

    // Starts a replacement of `path`; `flags` are accepted for CFile compatibility and
    // ignored (the file is always created fresh and written).
    BOOL Open(const std::string& path, UINT flags = modeCreate | modeWrite,
              int* errorNumber = nullptr) override;
    BOOL Write(const void* buffer, UINT count) override;
    BOOL Write(const std::string& bytes);
    UINT Read(void* buffer, UINT count) override;
    // Makes the new contents the file's contents; false (old file kept) when any step
    // failed, including an earlier Write.
    BOOL Commit();
    // Drops the replacement; the old file stays as it was.
    void Close() override;

    // Replaces `path` with `bytes` in one call.
    static bool WriteAll(const std::string& path, const std::string& bytes);

    // Whether `fileName` is the name of a temporary file a replacement makes (one left
    // behind when the process died before Commit).
    static bool IsLeftover(const std::string& fileName);
    // Removes the temporary files left behind in `folder` (not in its subfolders); returns
    // how many were removed. Only call it when no replacement in that folder is under way.
    static int RemoveLeftovers(const std::string& folder);

    // Test support. Every step that can fail (creating the temporary file, each Write,
    // the sync, closing, the rename) counts, over all instances. With FailAtStep(n) the
    // n-th counted step from now fails (n = 1 is the next one); 0 switches injection off.
    static void FailAtStep(int step, FailureKind kind = FailureKind::Error);
    // Steps counted since the last FailAtStep or ResetSteps.
    static int StepsTaken();
    // Counts from zero again and switches injection off.
    static void ResetSteps();

    // The file and the system's reason (an errno value) of the last replacement that
    // failed in this thread, for telling a grown-up what went wrong; empty and 0 before any.
    static const std::string& LastFailedPath();
    static int LastFailedError();
    // Forgets the last failure, so a caller can tell whether its own step failed here.
    static void ClearLastFailure();

  private:
    void NoteFailure(int error);

    bool TakeStep();
    void Abandon();

    std::string m_target;
    std::string m_temporary;
    bool m_failed = false;
};
