// The recovery slot and the set-aside pictures on disk: what a write leaves behind, that an
// interrupted write leaves the old picture or the new one and never a torn pair, moving a
// slot aside and reading it back, and the writer thread that keeps the disk off the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "coloring/CRecoveryWriter.h"
#include "imaging/CDib.h"
#include "models/CPictureSlot.h"
#include "models/CSetAsidePictures.h"
#include "platform/files/CAtomicFile.h"
#include "support/FileText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A canvas filled with one value, so which write it came from shows in any pixel.
CDib Canvas(BYTE value, int width = 64, int height = 48) {
    CDib canvas;
    canvas.Create(width, height, 24);
    std::fill(canvas.GetBits(), canvas.GetBits() + canvas.GetImageSize(), value);
    return canvas;
}

// The value of a canvas file written by Canvas, or -1 when it does not load or is mixed.
int ValueOf(const std::string& path) {
    CDib loaded;
    if (path.empty() || !loaded.Load(path) || loaded.GetImageSize() == 0) return -1;
    const BYTE first = loaded.GetBits()[0];
    for (DWORD i = 0; i < loaded.GetImageSize(); ++i)
        if (loaded.GetBits()[i] != first) return -1;
    return first;
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PictureSlotTest : public ::testing::Test {
  protected:
    void SetUp() override { CAtomicFile::ResetSteps(); }
    void TearDown() override { CAtomicFile::ResetSteps(); }

    testsupport::TempDir m_dir{"talewick-slot"};
    std::string m_folder = m_dir / "recovery";
    CPictureSlot::Label m_farm{"Tom's Farm", "barn", "pic004"};
    CPictureSlot::Label m_sea{"Lulu at the Seaside", "pier", ""};
};

TEST_F(PictureSlotTest, AWriteReadsBackAndReplacesTheCanvasBeforeIt) {
    CPictureSlot slot(m_folder);
    CPictureSlot::Label label;
    std::string canvas;
    EXPECT_FALSE(slot.Read(label, canvas)) << "an empty slot names no picture";
    EXPECT_FALSE(slot.HoldsCanvas());

    ASSERT_TRUE(slot.Write(Canvas(10), m_farm));
    ASSERT_TRUE(slot.Write(Canvas(20), m_sea));
    ASSERT_TRUE(slot.Read(label, canvas));
    EXPECT_EQ(label.book, m_sea.book);
    EXPECT_EQ(label.scene, m_sea.scene);
    EXPECT_EQ(label.entry, "");
    EXPECT_EQ(ValueOf(canvas), 20);
    // Only the newest canvas is left beside the label.
    EXPECT_EQ(Names(m_folder).size(), 2u);

    // A label alone names the scene and lets the canvas go.
    ASSERT_TRUE(slot.WriteLabel(m_farm));
    ASSERT_TRUE(slot.Read(label, canvas));
    EXPECT_EQ(label.entry, "pic004");
    EXPECT_TRUE(canvas.empty());
    EXPECT_FALSE(slot.HoldsCanvas());
    EXPECT_EQ(Names(m_folder), std::vector<std::string>{"picture.txt"});

    slot.Clear();
    EXPECT_FALSE(fs::exists(m_folder));
}

// Every step of a write (creating, writing, syncing, renaming the canvas and then the label)
// fails once as a crash would: the slot then names the old picture, whole, or the new one.
TEST_F(PictureSlotTest, ACrashAtAnyStepLeavesTheOldPictureOrTheNew) {
    CPictureSlot counting(m_dir / "count");
    ASSERT_TRUE(counting.Write(Canvas(1), m_farm));
    CAtomicFile::ResetSteps();
    ASSERT_TRUE(counting.Write(Canvas(2), m_farm));
    const int steps = CAtomicFile::StepsTaken();
    ASSERT_GT(steps, 4);

    for (int step = 1; step <= steps; ++step) {
        const std::string folder = m_dir / ("crash" + std::to_string(step));
        CPictureSlot slot(folder);
        CAtomicFile::ResetSteps();
        ASSERT_TRUE(slot.Write(Canvas(30), m_farm));
        CAtomicFile::FailAtStep(step, CAtomicFile::FailureKind::Crash);
        EXPECT_FALSE(slot.Write(Canvas(40), m_sea)) << "step " << step;
        CAtomicFile::ResetSteps();

        CPictureSlot::Label label;
        std::string canvas;
        ASSERT_TRUE(CPictureSlot(folder).Read(label, canvas)) << "step " << step;
        const int value = ValueOf(canvas);
        EXPECT_TRUE((value == 30 && label.scene == "barn") ||
                    (value == 40 && label.scene == "pier"))
            << "step " << step << ": " << label.scene << " with canvas " << value;
        // The next write after the crash works and cleans up.
        EXPECT_TRUE(slot.Write(Canvas(50), m_sea)) << "step " << step;
        ASSERT_TRUE(slot.Read(label, canvas));
        EXPECT_EQ(ValueOf(canvas), 50);
    }
}

TEST_F(PictureSlotTest, AFailedWriteSaysWhereAndWhy) {
    testsupport::WriteText(m_dir / "blocked", "a file where a folder must be");
    CPictureSlot slot(m_dir / "blocked/recovery");
    EXPECT_FALSE(slot.Write(Canvas(5), m_farm));
    EXPECT_NE(CAtomicFile::LastFailedPath().find("blocked/recovery"), std::string::npos)
        << CAtomicFile::LastFailedPath();
    EXPECT_EQ(CAtomicFile::LastFailedError(), ENOTDIR);
}

TEST_F(PictureSlotTest, SetAsidePicturesAreTakenWholeAndListedOldestFirst) {
    CSetAsidePictures aside(m_dir / "setaside");
    CPictureSlot slot(m_folder);
    EXPECT_FALSE(aside.Take(slot)) << "an empty slot has nothing to set aside";
    ASSERT_TRUE(slot.WriteLabel(m_farm));
    EXPECT_FALSE(aside.Take(slot)) << "a label without a canvas has nothing to set aside";

    ASSERT_TRUE(slot.Write(Canvas(60), m_farm));
    ASSERT_TRUE(aside.Take(slot));
    EXPECT_FALSE(slot.HoldsCanvas()) << "the slot moved away whole";
    ASSERT_TRUE(slot.Write(Canvas(70), m_sea));
    ASSERT_TRUE(aside.Take(slot));

    CSetAsidePictures reread(m_dir / "setaside");
    reread.Load();
    ASSERT_EQ(reread.GetCount(), 2);
    CPictureSlot::Label label;
    std::string canvas;
    ASSERT_TRUE(reread.Get(0, label, canvas));
    EXPECT_EQ(label.scene, "barn");
    EXPECT_EQ(ValueOf(canvas), 60);
    ASSERT_TRUE(reread.Get(1, label, canvas));
    EXPECT_EQ(label.scene, "pier");
    EXPECT_EQ(ValueOf(canvas), 70);
    EXPECT_FALSE(reread.Get(2, label, canvas));

    reread.Remove(0);
    ASSERT_EQ(reread.GetCount(), 1);
    ASSERT_TRUE(reread.Get(0, label, canvas));
    EXPECT_EQ(label.scene, "pier");
    CSetAsidePictures again(m_dir / "setaside");
    again.Load();
    EXPECT_EQ(again.GetCount(), 1) << "the removed picture is gone from disk";
}

TEST_F(PictureSlotTest, TheWriterThreadWritesTheNewestPictureAndReportsFailures) {
    {
        CRecoveryWriter writer(m_folder);
        for (int value = 1; value <= 20; ++value) writer.Submit(Canvas(BYTE(value)), m_farm);
        writer.WaitIdle();
        CPictureSlot::Label label;
        std::string canvas;
        ASSERT_TRUE(writer.Slot().Read(label, canvas));
        EXPECT_EQ(ValueOf(canvas), 20);
        std::string path;
        int error = 0;
        EXPECT_FALSE(writer.TakeFailure(path, error));

        testsupport::WriteText(m_dir / "blocked", "x");
        writer.SetFolder(m_dir / "blocked/recovery");
        writer.Submit(Canvas(3), m_farm);
        writer.WaitIdle();
        ASSERT_TRUE(writer.TakeFailure(path, error));
        EXPECT_NE(path.find("blocked/recovery"), std::string::npos) << path;
        EXPECT_EQ(error, ENOTDIR);
        EXPECT_FALSE(writer.TakeFailure(path, error)) << "a failure is told once";
        writer.SetFolder(m_folder);
        // Destroyed with a write queued: it is finished first.
        writer.Submit(Canvas(99), m_sea);
    }
    CPictureSlot::Label label;
    std::string canvas;
    ASSERT_TRUE(CPictureSlot(m_folder).Read(label, canvas));
    EXPECT_EQ(label.scene, "pier");
    EXPECT_EQ(ValueOf(canvas), 99);
}

}  // namespace
