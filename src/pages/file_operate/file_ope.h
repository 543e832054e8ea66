// The File Operate page: saves the panel's setup block to a setup file
// (*.v38) and loads such a file back into the panel; saves the panel's log.
#pragma once

#include <string>

#include "pages/common/page_context.h"
#include "ui/page.h"

class CFile_Ope : public ui::Page {
 public:
  explicit CFile_Ope(const PageContext& context);

  // The setup file Load sends; only File sets it, text typed into the edit
  // box is never used.
  std::string m_filePath;

 private:
  void OnFile();
  void OnLoad();
  void OnSave();
  void OnSaveLog();  // log_save.cpp
  void PushToControls();

  ChosenPanel panel_;
  platform::FileSystem& files_;
};
