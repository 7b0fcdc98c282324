// The headless backend's record of print jobs: one "print" line per job that reached the
// print system, and the job hook handed back when the backend goes.
#include <cstdlib>
#include <string>
#include <vector>

#include "PlatformFixture.h"
#include "platform/print/CPrintQueue.h"

namespace {

// No print server answers on this port: every job is refused at once.
class PrintRecordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* server = std::getenv("CUPS_SERVER");
        if (server != nullptr) saved = server;
        hadServer = server != nullptr;
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        PrinterPage page;
        // Looking for a default makes the print system forget any server it talked to.
        EXPECT_FALSE(CPrintQueue::FindDefault(&page));
    }
    void TearDown() override {
        hadServer ? setenv("CUPS_SERVER", saved.c_str(), 1) : unsetenv("CUPS_SERVER");
    }
    std::string saved;
    bool hadServer = false;
};

TEST_F(PrintRecordTest, EveryJobIsALineWithItsNameDestinationAndOutcome) {
    HeadlessBackend backend;
    backend.InstallPrintRecord();
    backend.AdvanceClock(40);
    EXPECT_EQ(CPrintQueue::Submit("Crayons", "", "/nonexistent.pdf", "Pimbly Talewick Image"), 0);
    backend.AdvanceClock(10);
    CPrintQueue::Submit("Shelf", "iso_a4_210x297mm", "/nonexistent.pdf", "Second");
    ASSERT_EQ(backend.Record().size(), 2U);
    EXPECT_EQ(backend.Record()[0].time, 40U);
    EXPECT_EQ(backend.RecordLines(),
              (std::vector<std::string>{"print \"Pimbly Talewick Image\" Crayons refused",
                                        "print \"Second\" Shelf refused"}));
}

TEST_F(PrintRecordTest, TheHookInPlaceBeforeComesBackWhenTheBackendGoes) {
    std::vector<std::string> seen;
    PrintJobHook before = CPrintQueue::SetPrintJobHook(
        [&seen](const PrintJobRecord& job) { seen.push_back(job.documentName); });
    {
        HeadlessBackend backend;
        backend.InstallPrintRecord();
        backend.InstallPrintRecord();  // twice still hands back the original hook
        CPrintQueue::Submit("Crayons", "", "/nonexistent.pdf", "recorded");
        EXPECT_EQ(backend.Record().size(), 1U);
    }
    CPrintQueue::Submit("Crayons", "", "/nonexistent.pdf", "observed");
    EXPECT_EQ(seen, std::vector<std::string>{"observed"});
    CPrintQueue::SetPrintJobHook(before);
}

}  // namespace
