#pragma once
// Helpers of the printing tests: pictures made in memory, printed pages turned into
// pixels with pdftoppm, and a private print server.
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/CDib.h"
#include "platform/print/PrintTypes.h"
#include "support/TempDir.h"

namespace printtest {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// A rendered page: 24-bit pixels read from a binary PPM.
class Raster {
  public:
    bool Read(const std::filesystem::path& ppm);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgb At(int x, int y) const;
    // Pixels darker than `level` (all three channels) inside [x0, x1) × [y0, y1).
    int CountDark(int x0, int y0, int x1, int y1, int level = 96) const;
    // Bounding box of the dark pixels in a band; empty when there are none.
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
        bool Empty() const { return right <= left || bottom <= top; }
    };
    Box DarkBox(int x0, int y0, int x1, int y1, int level = 96) const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<unsigned char> m_pixels;
};

// True when the two colours differ by at most `tolerance` in every channel.
bool Near(const Rgb& a, const Rgb& b, int tolerance = 24);

using testsupport::TempDir;

// Renders page 1 of a PDF at `dpi` into `raster`; false when pdftoppm failed.
bool RenderPdf(const std::filesystem::path& pdf, int dpi, Raster* raster);
// The text pdftotext finds in a PDF.
std::string PdfText(const std::filesystem::path& pdf);

// A 24-bit picture of four coloured quadrants (top left red, top right green, bottom left
// blue, bottom right yellow) with a one-pixel black column at x = 0.
CDib MakeQuadrantPicture(int width, int height);
extern const Rgb kRed, kGreen, kBlue, kYellow;

// An A4 printer page at 300 dpi with the given margins in points.
PrinterPage A4Page(double margin = 0);

// A private cupsd started with tools/cups-test-server and stopped when the object goes.
class PrintServer {
  public:
    // `withPrinter` false starts a server without any printer (no default destination).
    explicit PrintServer(bool withPrinter = true);
    ~PrintServer();
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    bool Running() const { return m_running; }
    const std::string& Error() const { return m_error; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_port); }
    // Runs a CUPS client command against this server; its exit status.
    int Run(const std::string& command) const;
    // Waits up to `seconds` for a PDF to appear in the server's output folder.
    std::filesystem::path WaitForPdf(int seconds) const;
    // Waits until the server has no pending jobs.
    bool WaitIdle(int seconds) const;
    std::vector<std::filesystem::path> OutputPdfs() const;

  private:
    TempDir m_dir;
    int m_port = 0;
    bool m_running = false;
    std::string m_error;
};

// Points libcups at `address` for the lifetime of the object (restores the old value).
class CupsServerEnv {
  public:
    explicit CupsServerEnv(const std::string& address);
    ~CupsServerEnv();
    CupsServerEnv(const CupsServerEnv&) = delete;
    CupsServerEnv& operator=(const CupsServerEnv&) = delete;

  private:
    bool m_hadOld = false;
    std::string m_old;
};

// Whether this machine can run the private server at all (root, cupsd and the PDF
// backend installed); where it can, a server that does not start is a failure.
bool PrintServerPossible();

// A loopback port nothing listens on right now.
int FreePort();

}  // namespace printtest
