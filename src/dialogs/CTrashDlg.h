#pragma once
#include "dialogs/CConfirmDlg.h"
#include "sound/CBasicSound.h"

// "Throw this picture away?": IDOK (after the "gone" sound has played) deletes the
// scrapbook picture, IDCANCEL keeps it.
class CTrashDlg : public CConfirmDlg {
  public:
    explicit CTrashDlg(CWnd* parent);

    void OnOK() override;

  protected:
    void OnOpened() override;

  private:
    // Owned here so the opening sound's data lives as long as the dialog object.
    CBasicSound m_openSound;
    CBasicSound m_goneSound;
};
