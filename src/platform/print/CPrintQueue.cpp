#include "platform/print/CPrintQueue.h"

#include <cups/cups.h>

#include <memory>
#include <utility>

namespace {

PrintJobHook& JobHook() {
    static PrintJobHook hook;
    return hook;
}

constexpr double kPointsPerHundredthMm = 72.0 / 2540.0;

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct DestInfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestDeleter>;
using DestInfoPtr = std::unique_ptr<cups_dinfo_t, DestInfoDeleter>;

// The destination's default sheet: the media it is set to print on, as the printer or its
// driver reports it. False when the printer tells nothing usable.
bool DefaultMedia(cups_dest_t* dest, cups_size_t* size) {
    DestInfoPtr info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
    if (!info) return false;
    const char* chosen = cupsGetOption("media", dest->num_options, dest->options);
    if (chosen != nullptr &&
        cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info.get(), chosen, 0, size)) {
        return true;
    }
    return cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info.get(), 0, size) != 0;
}

bool Usable(const cups_size_t& size) {
    return size.width > 0 && size.length > 0 && size.left + size.right < size.width &&
           size.top + size.bottom < size.length;
}

}  // namespace

PrinterPage CPrintQueue::PageFromHundredthsMm(int width, int length, int left, int top, int right,
                                              int bottom) {
    PrinterPage page;
    page.widthPt = width * kPointsPerHundredthMm;
    page.heightPt = length * kPointsPerHundredthMm;
    page.leftPt = left * kPointsPerHundredthMm;
    page.topPt = top * kPointsPerHundredthMm;
    page.rightPt = right * kPointsPerHundredthMm;
    page.bottomPt = bottom * kPointsPerHundredthMm;
    return page;
}

bool CPrintQueue::FindDefault(PrinterPage* page) {
    // libcups remembers the server it first talked to; forget it so that each print asks
    // the server the environment names now.
    cupsSetServer(nullptr);
    DestPtr dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    if (!dest || dest->name == nullptr) return false;

    cups_size_t size{};
    PrinterPage found;
    if (DefaultMedia(dest.get(), &size) && Usable(size)) {
        found = PageFromHundredthsMm(size.width, size.length, size.left, size.top, size.right,
                                     size.bottom);
        found.media = size.media;
    } else {
        // The printer tells nothing: A4 with no margins, which every driver can place.
        found = PageFromHundredthsMm(21000, 29700, 0, 0, 0, 0);
        found.media = "iso_a4_210x297mm";
    }
    found.destination = dest->name;
    *page = found;
    return true;
}

int CPrintQueue::Submit(const std::string& destination, const std::string& media,
                        const std::string& pdfPath, const std::string& documentName) {
    int jobId = 0;
    DestPtr dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination.c_str(), nullptr));
    if (dest) {
        // The destination's saved options (lpoptions) apply as they do for any job.
        cups_option_t* options = nullptr;
        int count = 0;
        for (int i = 0; i < dest->num_options; ++i) {
            count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
        }
        if (!media.empty()) count = cupsAddOption("media", media.c_str(), count, &options);
        jobId = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.c_str(), pdfPath.c_str(),
                               documentName.c_str(), count, options);
        cupsFreeOptions(count, options);
    }
    if (JobHook()) JobHook()({documentName, destination, pdfPath, jobId});
    return jobId;
}

PrintJobHook CPrintQueue::SetPrintJobHook(PrintJobHook hook) {
    return std::exchange(JobHook(), std::move(hook));
}
