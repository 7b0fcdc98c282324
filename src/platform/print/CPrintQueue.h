#pragma once
#include <functional>
#include <string>

#include "platform/print/PrintTypes.h"

// One job as it went to the print system.
struct PrintJobRecord {
    std::string documentName;
    std::string destination;
    std::string pdfPath;  // exists while the hook runs; removed afterwards
    int jobId = 0;        // 0 when the print system refused the job
};

using PrintJobHook = std::function<void(const PrintJobRecord& job)>;

// The system's print queues through CUPS: the default destination (CUPS_SERVER, lpoptions,
// LPDEST and PRINTER are honoured as everywhere else) and job submission.
class CPrintQueue {
  public:
    // Fills `page` with the default destination's name, sheet and margins. False, and
    // `page` untouched, when there is no default destination.
    static bool FindDefault(PrinterPage* page);

    // Sends the PDF at `pdfPath` as one job titled `documentName` to `destination`,
    // asking for `media`. Returns the job id, 0 when the job was refused. Every call is
    // reported to the job hook before it returns.
    static int Submit(const std::string& destination, const std::string& media,
                      const std::string& pdfPath, const std::string& documentName);

    // Installs the observer of submitted jobs (headless backend, driver, tests); returns
    // the previous one. An empty hook observes nothing.
    static PrintJobHook SetPrintJobHook(PrintJobHook hook);

    // Page geometry of a sheet given in hundredths of millimetres (the print system's
    // unit), as points.
    static PrinterPage PageFromHundredthsMm(int width, int length, int left, int top, int right,
                                            int bottom);
};
