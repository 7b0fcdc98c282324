#include "platform/print/CPrintDialog.h"

#include "platform/print/CPrintQueue.h"

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* /*parent*/)
    : m_printSetupOnly(printSetupOnly), m_flags(flags) {}

CPrintDialog::~CPrintDialog() = default;

BOOL CPrintDialog::GetDefaults() {
    ReleasePrinter();
    PrinterPage page;
    if (!CPrintQueue::FindDefault(&page)) return FALSE;
    m_dc = std::make_unique<CPrinterDC>(page);
    m_flags |= PD_RETURNDEFAULT | PD_RETURNDC;
    return TRUE;
}

void CPrintDialog::ReleasePrinter() {
    m_dc.reset();
}
