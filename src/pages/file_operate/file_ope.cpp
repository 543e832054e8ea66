#include "pages/file_operate/file_ope.h"

#include "resources/resource.h"

CFile_Ope::CFile_Ope(const PageContext& context)
    : ui::Page(IDD_FILE_OPE, context.host), panel_(context.panel), files_(context.files) {
  Controls().Declare(IDC_SETUP_FILE_PATH, ui::ControlKind::kEdit);
  for (int id : {IDC_SETUP_FILE, IDC_SETUP_LOAD, IDC_SETUP_SAVE, IDC_LOG_SAVE}) {
    Controls().Declare(id, ui::ControlKind::kButton);
  }
  On(IDC_SETUP_FILE, ui::Notification::kClicked, [this] { OnFile(); });
  On(IDC_SETUP_LOAD, ui::Notification::kClicked, [this] { OnLoad(); });
  On(IDC_SETUP_SAVE, ui::Notification::kClicked, [this] { OnSave(); });
  On(IDC_LOG_SAVE, ui::Notification::kClicked, [this] { OnSaveLog(); });
}

void CFile_Ope::PushToControls() { Controls().SetText(IDC_SETUP_FILE_PATH, m_filePath); }
