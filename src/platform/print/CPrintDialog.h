#pragma once
#include <memory>
#include <string>

#include "platform/base/CObject.h"
#include "platform/print/CPrinterDC.h"
#include "platform/print/PrintTypes.h"

class CWnd;

// The system's print dialog. The program never shows it: it only asks for the default
// printer (GetDefaults) and that printer's device context.
class CPrintDialog : public CObject {
  public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* parent = nullptr);
    ~CPrintDialog() override;
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // Takes the system's default printer without showing anything and creates its device
    // context. FALSE when there is no default printer.
    BOOL GetDefaults();
    // The default printer's device context, owned by the dialog; null before GetDefaults
    // succeeded.
    CPrinterDC* GetPrinterDC() const { return m_dc.get(); }
    // Deletes the device context and forgets the printer.
    void ReleasePrinter();
    std::string GetDeviceName() const { return m_dc ? m_dc->GetPage().destination : ""; }
    DWORD GetFlags() const { return m_flags; }
    BOOL IsPrintSetupOnly() const { return m_printSetupOnly; }

  private:
    BOOL m_printSetupOnly;
    DWORD m_flags;
    std::unique_ptr<CPrinterDC> m_dc;
};
