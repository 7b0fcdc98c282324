#include "app/CInstanceDoorbell.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char kRing[] = "raise";

// False when `path` does not fit a socket address.
bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void CloseDescriptor(int& descriptor) {
    if (descriptor >= 0) close(descriptor);
    descriptor = -1;
}

}  // namespace

CInstanceDoorbell::CInstanceDoorbell(std::string path) : m_path(std::move(path)) {}

CInstanceDoorbell::~CInstanceDoorbell() {
    if (m_listener.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = write(m_stopPipe[1], &stop, 1);
        m_listener.join();
        unlink(m_path.c_str());
    }
    CloseDescriptor(m_socket);
    for (int& descriptor : m_stopPipe) CloseDescriptor(descriptor);
}

bool CInstanceDoorbell::Listen(std::function<void()> onRing) {
    sockaddr_un address;
    if (m_listener.joinable() || !AddressOf(m_path, address)) return false;
    m_socket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0) return false;
    unlink(m_path.c_str());
    const bool bound =
        bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!bound || pipe2(m_stopPipe, O_CLOEXEC) != 0) {
        CloseDescriptor(m_socket);
        return false;
    }
    m_onRing = std::move(onRing);
    m_listener = std::thread([this] { Watch(); });
    return true;
}

void CInstanceDoorbell::Watch() {
    pollfd watched[2] = {{m_socket, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    for (;;) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (watched[1].revents != 0) return;
        if ((watched[0].revents & POLLIN) == 0) continue;
        char message[sizeof kRing] = {};
        const ssize_t size = recv(m_socket, message, sizeof message, 0);
        // Anything else on the socket is not a ring and is dropped.
        if (size == static_cast<ssize_t>(sizeof kRing - 1) &&
            std::memcmp(message, kRing, sizeof kRing - 1) == 0 && m_onRing) {
            m_onRing();
        }
    }
}

bool CInstanceDoorbell::Ring(const std::string& path) {
    sockaddr_un address;
    if (!AddressOf(path, address)) return false;
    const int descriptor = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) return false;
    const ssize_t sent = sendto(descriptor, kRing, sizeof kRing - 1, 0,
                                reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(descriptor);
    return sent == static_cast<ssize_t>(sizeof kRing - 1);
}
