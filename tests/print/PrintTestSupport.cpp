#include "PrintTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace printtest {

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0};

bool Raster::Read(const fs::path& ppm) {
    std::ifstream in(ppm, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> m_width >> m_height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255 || m_width <= 0 || m_height <= 0) return false;
    m_pixels.resize(std::size_t(m_width) * m_height * 3);
    in.read(reinterpret_cast<char*>(m_pixels.data()), std::streamsize(m_pixels.size()));
    return bool(in);
}

Rgb Raster::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return {-1, -1, -1};
    const unsigned char* p = &m_pixels[(std::size_t(y) * m_width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Raster::CountDark(int x0, int y0, int x1, int y1, int level) const {
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(y1, m_height); ++y) {
        for (int x = std::max(0, x0); x < std::min(x1, m_width); ++x) {
            const Rgb c = At(x, y);
            if (c.r < level && c.g < level && c.b < level) ++count;
        }
    }
    return count;
}

Raster::Box Raster::DarkBox(int x0, int y0, int x1, int y1, int level) const {
    Box box{m_width, m_height, 0, 0};
    for (int y = std::max(0, y0); y < std::min(y1, m_height); ++y) {
        for (int x = std::max(0, x0); x < std::min(x1, m_width); ++x) {
            const Rgb c = At(x, y);
            if (c.r >= level || c.g >= level || c.b >= level) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box.Empty() ? Box{} : box;
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

bool RenderPdf(const fs::path& pdf, int dpi, Raster* raster) {
    const fs::path prefix = fs::path(pdf).replace_extension("");
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -f 1 -l 1 -singlefile '" +
                                pdf.string() + "' '" + prefix.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return false;
    return raster->Read(prefix.string() + ".ppm");
}

std::string PdfText(const fs::path& pdf) {
    const std::string command = "pdftotext '" + pdf.string() + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
        pclose(pipe);
    }
    return text;
}

CDib MakeQuadrantPicture(int width, int height) {
    CDib dib;
    dib.Create(width, height, 24);
    auto pack = [](const Rgb& c) { return DWORD((c.r << 16) | (c.g << 8) | c.b); };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            const Rgb& c = bottom ? (right ? kYellow : kBlue) : (right ? kGreen : kRed);
            dib.SetPixel(x == 0 ? 0 : pack(c), x, y);
        }
    }
    return dib;
}

PrinterPage A4Page(double margin) {
    PrinterPage page;
    page.destination = "test";
    page.media = "iso_a4_210x297mm";
    page.widthPt = 595.276;
    page.heightPt = 841.89;
    page.leftPt = page.topPt = page.rightPt = page.bottomPt = margin;
    page.dpi = 300;
    return page;
}

bool PrintServerPossible() {
    return geteuid() == 0 && fs::exists("/usr/sbin/cupsd") &&
           fs::exists("/usr/lib/cups/backend/cups-pdf");
}

int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
}

namespace {

std::string Script() {
    return std::string(TALEWICK_SOURCE_DIR) + "/tools/cups-test-server";
}

}  // namespace

PrintServer::PrintServer(bool withPrinter) : m_port(FreePort()) {
    if (m_dir.Path().empty() || m_port == 0) {
        m_error = "no folder or port for the server";
        return;
    }
    // The server's print filters run as another user and must reach its folder.
    fs::permissions(m_dir.Folder(), fs::perms::others_exec | fs::perms::group_exec,
                    fs::perm_options::add);
    const fs::path log = m_dir.Folder() / "start.log";
    const std::string command = "'" + Script() + "' start '" +
                                (m_dir.Folder() / "server").string() + "' " +
                                std::to_string(m_port) + (withPrinter ? "" : " --no-printer") +
                                " >'" + log.string() + "' 2>&1";
    m_running = std::system(command.c_str()) == 0;
    if (!m_running) {
        std::ifstream in(log);
        std::stringstream words;
        words << in.rdbuf();
        m_error = words.str();
    }
}

PrintServer::~PrintServer() {
    const std::string command =
        "'" + Script() + "' stop '" + (m_dir.Folder() / "server").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "stopping the print server failed\n");
}

int PrintServer::Run(const std::string& command) const {
    const std::string line = "CUPS_SERVER=" + Address() + " " + command + " >/dev/null 2>&1";
    return std::system(line.c_str());
}

std::vector<fs::path> PrintServer::OutputPdfs() const {
    std::vector<fs::path> found;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(m_dir.Folder() / "server" / "out", ignored)) {
        if (entry.path().extension() == ".pdf") found.push_back(entry.path());
    }
    return found;
}

fs::path PrintServer::WaitForPdf(int seconds) const {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + std::chrono::seconds(seconds);
    while (steady_clock::now() < deadline) {
        // The backend writes the file and then finishes the job: wait for both.
        const std::vector<fs::path> pdfs = OutputPdfs();
        if (!pdfs.empty() && WaitIdle(0)) return pdfs.front();
        std::this_thread::sleep_for(milliseconds(100));
    }
    return {};
}

bool PrintServer::WaitIdle(int seconds) const {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + std::chrono::seconds(seconds);
    do {
        // lpstat -o lists the jobs not yet completed; no output means none.
        const std::string command =
            "CUPS_SERVER=" + Address() + " lpstat -o 2>/dev/null | grep -q .";
        if (std::system(command.c_str()) != 0) return true;
        std::this_thread::sleep_for(milliseconds(100));
    } while (steady_clock::now() < deadline);
    return false;
}

CupsServerEnv::CupsServerEnv(const std::string& address) {
    if (const char* old = std::getenv("CUPS_SERVER")) {
        m_hadOld = true;
        m_old = old;
    }
    setenv("CUPS_SERVER", address.c_str(), 1);
}

CupsServerEnv::~CupsServerEnv() {
    if (m_hadOld) {
        setenv("CUPS_SERVER", m_old.c_str(), 1);
    } else {
        unsetenv("CUPS_SERVER");
    }
}

}  // namespace printtest
