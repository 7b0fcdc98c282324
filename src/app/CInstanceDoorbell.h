#pragma once
#include <functional>
#include <string>
#include <thread>

// How a second start of the program asks the running copy to come forward: the running
// copy listens on a local socket beside its instance lock (so per user, like the lock);
// the second copy rings it and ends. A ring is one datagram; the listener thread sleeps in
// poll until one comes or the doorbell is taken down.
class CInstanceDoorbell {
  public:
    // `path`: the socket's file (at most 107 bytes long).
    explicit CInstanceDoorbell(std::string path);
    // Stops listening and removes the socket.
    ~CInstanceDoorbell();
    CInstanceDoorbell(const CInstanceDoorbell&) = delete;
    CInstanceDoorbell& operator=(const CInstanceDoorbell&) = delete;

    // Starts listening; `onRing` runs on the listener's own thread for every ring, so it
    // must be safe to call from there. A leftover socket file at the path is replaced (only
    // the holder of the instance lock listens). False when the socket cannot be made.
    bool Listen(std::function<void()> onRing);
    bool IsListening() const { return m_listener.joinable(); }

    // Rings the copy listening at `path`; false when none does.
    static bool Ring(const std::string& path);

  private:
    void Watch();

    std::string m_path;
    std::function<void()> m_onRing;
    int m_socket = -1;
    int m_stopPipe[2] = {-1, -1};
    std::thread m_listener;
};
