// The cursor set, the message-box record and the single-instance lock.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "PlatformFixture.h"
#include "app/CInstanceGuard.h"
#include "imaging/CCursor.h"
#include "platform/files/CContentReport.h"
#include "platform/window/MessageBox.h"

namespace {

class CursorAndRecordTest : public PlatformTest {};

TEST_F(CursorAndRecordTest, NothingShownUntilAskedThenRestoreShowsTheInvisibleCursor) {
    CCursor cursors;
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_TRUE(backend.Record().empty());
    EXPECT_EQ(cursors.GetShape(), CursorShape::Hidden);
    cursors.RestoreCursor();
    ASSERT_NE(backend.ShownCursor(), nullptr);
    EXPECT_EQ(backend.ShownCursor()->label, "1");
    for (int y = 0; y < CursorImage::kSize; ++y) EXPECT_EQ(backend.ShownCursor()->opaque[y], 0U);
}

TEST_F(CursorAndRecordTest, RestoreBringsTheBurstBackAfterTheSystemChangedThePointer) {
    CCursor cursors;
    HCURSOR before = cursors.SetShape(CursorShape::Pointer);
    EXPECT_EQ(before, nullptr);
    SetCursor(LoadSystemCursor(IDC_WAIT));
    cursors.RestoreCursor();
    EXPECT_EQ(backend.ShownCursor(), cursors.GetCursorHandle(CursorShape::Pointer));
    EXPECT_EQ(cursors.SetShape(CursorShape::Wait), cursors.GetCursorHandle(CursorShape::Pointer));
    EXPECT_EQ(backend.ShownCursor(), LoadSystemCursor(IDC_WAIT));
}

TEST_F(CursorAndRecordTest, ShapesHaveTheirHotSpotsOnVisiblePixels) {
    CCursor cursors;
    const CPoint hot[] = {{8, 9}, {15, 15}, {1, 2}, {16, 7}, {1, 17}, {1, 15}};
    for (int i = 2; i < CCursor::kCount; ++i) {
        HCURSOR c = cursors.GetCursorHandle(static_cast<CursorShape>(i));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->hotSpot, hot[i - 2]) << i;
        // The pointer's active point lies on the drawn shape or right beside it.
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = c->hotSpot.x + dx, y = c->hotSpot.y + dy;
                if (x >= 0 && y >= 0 && x < 32 && y < 32 && c->IsOpaque(x, y)) near = true;
            }
        }
        EXPECT_TRUE(near) << i;
    }
}

TEST_F(CursorAndRecordTest, BurstIsSymmetric) {
    CCursor cursors;
    HCURSOR burst = cursors.GetCursorHandle(CursorShape::Pointer);
    for (int y = 0; y <= 30; ++y) {
        for (int x = 0; x <= 30; ++x) {
            EXPECT_EQ(burst->IsOpaque(x, y), burst->IsOpaque(30 - x, y)) << x << "," << y;
            EXPECT_EQ(burst->IsOpaque(x, y), burst->IsOpaque(x, 30 - y)) << x << "," << y;
        }
    }
}

TEST_F(CursorAndRecordTest, DestroyedCursorSetLeavesNoDanglingShapeOnScreen) {
    {
        CCursor cursors;
        cursors.SetShape(CursorShape::BigCrayon);
    }
    EXPECT_EQ(GetCursor(), LoadSystemCursor(IDC_ARROW));
}

TEST_F(CursorAndRecordTest, MessagesAreRecordedInOrderWithKindCaptionAndTime) {
    AfxMessageBox(ChildMessage::ContentMissing, "Failed to open bitmap file");
    backend.AdvanceClock(250);
    EXPECT_EQ(AfxMessageBox(ChildMessage::NoPrinter, "No printer"), IDOK);
    ASSERT_EQ(backend.Record().size(), 2U);
    EXPECT_EQ(backend.Record()[0].text, "message ContentMissing \"Failed to open bitmap file\"");
    EXPECT_EQ(backend.Record()[1].time, 250U);
    EXPECT_EQ(backend.RecordLines()[1], "message NoPrinter \"No printer\"");
}

TEST_F(CursorAndRecordTest, MessageDetailsGoToTheReportAndThePresenterGetsKindAndCaption) {
    CContentReport::ClearLog();
    std::vector<std::pair<ChildMessage, std::string>> presented;
    const MessageBoxHandler previous =
        SetMessageBoxHandler([&presented](ChildMessage kind, const std::string& caption) {
            presented.emplace_back(kind, caption);
        });
    AfxMessageBox(ChildMessage::ContentMissing, "Read error 1", "../books/a\x01.bmp", "is short");
    AfxMessageBox(ChildMessage::ScrapbookFull, "The scrapbook is full.");
    SetMessageBoxHandler(previous);
    AfxMessageBox(ChildMessage::SaveFailed, "Not presented");

    ASSERT_EQ(presented.size(), 2U);
    EXPECT_EQ(presented[0],
              std::make_pair(ChildMessage::ContentMissing, std::string("Read error 1")));
    EXPECT_EQ(presented[1].first, ChildMessage::ScrapbookFull);
    // Only the message with a file reaches the report, path made printable, never the caption.
    EXPECT_EQ(CContentReport::Log(), std::vector<std::string>{"../books/a?.bmp: is short"});
    EXPECT_EQ(backend.Record().size(), 3U);
    CContentReport::ClearLog();
}

// The lock is per process: check it from a child process.
int OtherProcessCanLock(const std::string& name) {
    const pid_t child = fork();
    if (child == 0) {
        CInstanceGuard other(name);
        _exit(other.Lock() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(InstanceGuard, SecondProcessIsRefusedWhileTheFirstHoldsTheLockAndAdmittedAfter) {
    char folder[] = "/tmp/talewick-guard-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_RUNTIME_DIR", folder, 1);
    const std::string name = "PimblyGlim3DColoringBookSemaphore";
    {
        CInstanceGuard first(name);
        ASSERT_TRUE(first.Lock());
        EXPECT_EQ(first.GetPath(), std::string(folder) + "/" + name);
        EXPECT_FALSE(OtherProcessCanLock(name));
    }
    EXPECT_TRUE(OtherProcessCanLock(name));
    // A holder that dies without cleaning up gives the lock back too.
    const pid_t holder = fork();
    if (holder == 0) {
        CInstanceGuard g(name);
        g.Lock();
        std::abort();
    }
    int status = 0;
    waitpid(holder, &status, 0);
    EXPECT_TRUE(OtherProcessCanLock(name));
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
