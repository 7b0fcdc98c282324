// The whole Print command on the headless machine: the confirmation, its text toggle and
// answers, and the page that reaches a private CUPS server.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PrintTestSupport.h"
#include "dialogs/PicturePrinter.h"
#include "platform/backend/Backend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/print/CPrintQueue.h"
#include "platform/window/CDialog.h"
#include "platform/window/MessageBox.h"
#include "platform/window/WindowManager.h"
#include "resources/ScreenLayouts.h"

using namespace printtest;
namespace fs = std::filesystem;

namespace {

// The screen the routine prints from: a plain window over the whole display.
class Screen : public CDialog {
  public:
    Screen()
        : CDialog(0, nullptr), m_template{0, WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), {}} {}

  protected:
    const DialogTemplate* GetDialogTemplate() const override { return &m_template; }

  private:
    DialogTemplate m_template;
};

// Centres of the confirmation's controls on the display.
const CPoint kYes = ScreenLayouts::Print::kYes.CentreOn(ScreenLayouts::kPopupRect);
const CPoint kNo = ScreenLayouts::Print::kNo.CentreOn(ScreenLayouts::kPopupRect);
const CPoint kTextToggle = ScreenLayouts::Print::kTextToggle.CentreOn(ScreenLayouts::kPopupRect);

class PrintRoutineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path play = fs::path(TALEWICK_BINARY_DIR) / "content" / "play";
        if (!fs::exists(play / ".." / "bitmaps" / "print" / "print.bmp")) {
            GTEST_SKIP() << "the content tree is not built";
        }
        if (!server.Running()) {
            if (PrintServerPossible())
                FAIL() << "the private print server failed: " << server.Error();
            GTEST_SKIP() << "this machine cannot run a private print server";
        }
        m_oldDir = fs::current_path();
        fs::current_path(play);
        SetBackend(&backend);
        backend.InstallAudio();
        m_oldBox = SetMessageBoxHandler([this](ChildMessage kind, const std::string& caption) {
            messages.push_back(caption);
            kinds.push_back(kind);
        });
        m_oldHook = CPrintQueue::SetPrintJobHook([this](const PrintJobRecord& job) {
            jobs.push_back(job);
            std::error_code ignored;
            fs::copy_file(job.pdfPath, dir.Folder() / "sent.pdf", ignored);
        });
        // Each idle moment of the confirmation's loop takes the next click.
        backend.SetIdleHook([this] {
            if (m_clicks.empty()) return false;
            backend.InjectClick(m_clicks.front());
            m_clicks.erase(m_clicks.begin());
            return true;
        });
        ASSERT_TRUE(screen.Create(0, nullptr));
    }
    void TearDown() override {
        if (m_oldDir.empty()) return;
        screen.DestroyWindow();
        WindowManager::Instance().Reset();
        SetBackend(nullptr);
        SetMessageBoxHandler(m_oldBox);
        CPrintQueue::SetPrintJobHook(m_oldHook);
        fs::current_path(m_oldDir);
    }

    bool Print(std::vector<CPoint> clicks) {
        m_clicks = std::move(clicks);
        PicturePrinter::PictureSource source;
        source.take = [this] {
            ++taken;
            return PicturePrinter::Picture{&picture, "Scribble Pad", 4, "A caption to print."};
        };
        source.releasePrintLayer = [this] { ++released; };
        return printer.Print(screen, nullptr, nullptr, source);
    }

    bool Played(const std::string& name) {
        for (const auto& play : backend.Audio()->GetRecord()) {
            if (play.label.find(name) != std::string::npos) return true;
        }
        return false;
    }

    PrintServer server;
    TempDir dir;
    HeadlessBackend backend;
    Screen screen;
    PicturePrinter printer;
    CDib picture = MakeQuadrantPicture(32, 24);
    std::vector<std::string> messages;
    std::vector<ChildMessage> kinds;
    std::vector<PrintJobRecord> jobs;
    int taken = 0;
    int released = 0;

  private:
    fs::path m_oldDir;
    std::vector<CPoint> m_clicks;
    MessageBoxHandler m_oldBox;
    PrintJobHook m_oldHook;
};

TEST_F(PrintRoutineTest, YesPrintsOnePageWithItsTextAndSounds) {
    CupsServerEnv env(server.Address());
    EXPECT_TRUE(Print({kYes}));
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].documentName, "Pimbly Talewick Image");
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(released, 1);
    EXPECT_TRUE(Played("print.wav"));
    EXPECT_TRUE(Played("img_prnt.wav"));
    EXPECT_TRUE(messages.empty());
    const std::string text = PdfText(dir.Folder() / "sent.pdf");
    EXPECT_NE(text.find("A caption to print."), std::string::npos) << text;
    EXPECT_NE(text.find("~4~"), std::string::npos) << text;
    // The title is measured but never printed.
    EXPECT_EQ(text.find("Scribble"), std::string::npos) << text;
    EXPECT_FALSE(server.WaitForPdf(60).empty());
}

TEST_F(PrintRoutineTest, TheTextToggleLeavesOnlyThePicture) {
    CupsServerEnv env(server.Address());
    EXPECT_TRUE(Print({kTextToggle, kYes}));
    ASSERT_EQ(jobs.size(), 1u);
    const std::string text = PdfText(dir.Folder() / "sent.pdf");
    EXPECT_EQ(text.find("caption"), std::string::npos) << text;
    EXPECT_EQ(text.find("~4~"), std::string::npos) << text;
}

TEST_F(PrintRoutineTest, NoPrintsNothingAndKeepsThePreviousFont) {
    CupsServerEnv env(server.Address());
    ASSERT_TRUE(Print({kYes}));
    CFont* font = printer.GetPrintFont();
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(Print({kTextToggle, kNo}));
    EXPECT_EQ(jobs.size(), 1u);
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(printer.GetPrintFont(), font);
}

TEST_F(PrintRoutineTest, WithoutAPrinterTheChildIsToldAndNoConfirmationOpens) {
    CupsServerEnv env("127.0.0.1:" + std::to_string(FreePort()));
    EXPECT_FALSE(Print({kYes}));
    EXPECT_TRUE(jobs.empty());
    EXPECT_EQ(taken, 0);
    EXPECT_FALSE(Played("print.wav"));
    EXPECT_EQ(kinds, std::vector<ChildMessage>{ChildMessage::NoPrinter});
    std::vector<std::string> recorded;
    for (const HeadlessBackend::Entry& entry : backend.Record())
        if (entry.text.starts_with("message ")) recorded.push_back(entry.text);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_TRUE(recorded[0].starts_with("message NoPrinter \"")) << recorded[0];
}

TEST_F(PrintRoutineTest, APictureWithoutPrintImagePrintsNothing) {
    CupsServerEnv env(server.Address());
    PicturePrinter::PictureSource source;
    source.take = [] { return PicturePrinter::Picture{}; };
    backend.SetIdleHook([this, clicked = false]() mutable {
        if (clicked) return false;
        backend.InjectClick(kYes);
        clicked = true;
        return true;
    });
    EXPECT_FALSE(printer.Print(screen, nullptr, nullptr, source));
    EXPECT_TRUE(jobs.empty());
    EXPECT_FALSE(Played("img_prnt.wav"));
}

}  // namespace
