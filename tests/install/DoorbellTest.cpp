// A second start rings the running copy's doorbell: the ring reaches the listener's thread,
// anything else sent to the socket is ignored, the doorbell goes away with its owner, and a
// ring handed to the backend from that thread brings the window forward from the loop.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "app/CInstanceDoorbell.h"
#include "platform/backend/headless/HeadlessBackend.h"

namespace fs = std::filesystem;

namespace {

class DoorbellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/doorbell-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_root = name;
        m_path = m_root + "/talewick.door";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // Waits up to two seconds for `count` to reach `expected`.
    static bool Reaches(const std::atomic<int>& count, int expected) {
        for (int i = 0; i < 200 && count.load() < expected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return count.load() == expected;
    }

    // Sends `bytes` to the socket at the doorbell's path as a datagram.
    bool SendRaw(const std::string& bytes) const {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, m_path.c_str(), sizeof address.sun_path - 1);
        const int descriptor = socket(AF_UNIX, SOCK_DGRAM, 0);
        const ssize_t sent = sendto(descriptor, bytes.data(), bytes.size(), 0,
                                    reinterpret_cast<const sockaddr*>(&address), sizeof address);
        close(descriptor);
        return sent == static_cast<ssize_t>(bytes.size());
    }

    std::string m_root;
    std::string m_path;
};

TEST_F(DoorbellTest, RingsReachTheListenerAndNothingElseDoes) {
    EXPECT_FALSE(CInstanceDoorbell::Ring(m_path)) << "nobody listens yet";
    std::atomic<int> rings{0};
    CInstanceDoorbell doorbell(m_path);
    ASSERT_TRUE(doorbell.Listen([&rings] { ++rings; }));
    EXPECT_TRUE(doorbell.IsListening());
    EXPECT_TRUE(CInstanceDoorbell::Ring(m_path));
    EXPECT_TRUE(Reaches(rings, 1));
    ASSERT_TRUE(SendRaw("raisex"));
    ASSERT_TRUE(SendRaw("rais"));
    ASSERT_TRUE(SendRaw(std::string(4096, 'r')));
    EXPECT_TRUE(CInstanceDoorbell::Ring(m_path));
    EXPECT_TRUE(Reaches(rings, 2)) << "only the two rings count";
}

TEST_F(DoorbellTest, TheDoorbellGoesWithItsOwnerAndReplacesALeftoverSocket) {
    {
        // A copy that died without cleaning up leaves its socket file behind.
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, m_path.c_str(), sizeof address.sun_path - 1);
        const int stale = socket(AF_UNIX, SOCK_DGRAM, 0);
        ASSERT_EQ(bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        close(stale);
        ASSERT_TRUE(fs::exists(m_path));
        EXPECT_FALSE(CInstanceDoorbell::Ring(m_path)) << "a dead copy's socket takes no ring";

        std::atomic<int> rings{0};
        CInstanceDoorbell doorbell(m_path);
        ASSERT_TRUE(doorbell.Listen([&rings] { ++rings; }));
        EXPECT_FALSE(doorbell.Listen([] {})) << "one listener per doorbell";
        EXPECT_TRUE(CInstanceDoorbell::Ring(m_path));
        EXPECT_TRUE(Reaches(rings, 1));
    }
    EXPECT_FALSE(fs::exists(m_path));
    EXPECT_FALSE(CInstanceDoorbell::Ring(m_path));
}

TEST_F(DoorbellTest, PathsTooLongForASocketAreRefusedBothWays) {
    const std::string tooLong = m_root + "/" + std::string(120, 'd');
    CInstanceDoorbell doorbell(tooLong);
    EXPECT_FALSE(doorbell.Listen([] {}));
    EXPECT_FALSE(doorbell.IsListening());
    EXPECT_FALSE(CInstanceDoorbell::Ring(tooLong));
}

TEST_F(DoorbellTest, ARingBringsTheWindowForwardFromTheLoop) {
    HeadlessBackend backend;
    CInstanceDoorbell doorbell(m_path);
    std::atomic<int> rings{0};
    ASSERT_TRUE(doorbell.Listen([&backend, &rings] {
        backend.Raise();
        ++rings;
    }));
    ASSERT_TRUE(CInstanceDoorbell::Ring(m_path));
    ASSERT_TRUE(Reaches(rings, 1));
    EXPECT_TRUE(backend.Record().empty()) << "nothing happens off the loop's thread";
    InputEvent event;
    EXPECT_FALSE(backend.PollEvent(event));
    ASSERT_EQ(backend.Record().size(), 1u);
    EXPECT_EQ(backend.Record()[0].text, "raise");
    EXPECT_FALSE(backend.PollEvent(event));
    EXPECT_EQ(backend.Record().size(), 1u) << "one ring, one raise";
}

}  // namespace
