// The upgrade page: uploads a program image or an FPGA image to the panel,
// byte for byte. The main window creates and places it like the other pages
// but no tab shows it.
#pragma once

#include <string>

#include "pages/common/page_context.h"
#include "pages/common/panel_exchange.h"
#include "protocol/panel_session.h"
#include "ui/page.h"

class CUPGrade : public ui::Page {
 public:
  enum class Image { kProgram, kFpga };

  explicit CUPGrade(const PageContext& context);

  // The image paths chosen with File.
  const std::string& ProgramPath() const { return programPath_; }
  const std::string& FpgaPath() const { return fpgaPath_; }

 private:
  void OnFile(Image image);
  void OnLoad(Image image);
  // Starts the upload and streams the image; false when anything failed
  // (each failure reported as it happened).
  bool SendImage(PanelExchange& exchange, Image image);
  // The panel's lines after the image; true only when this Load received a
  // final line beginning with "WRITE OK".
  bool AwaitProgramWritten(CPanelSession& session, bool sent);
  static bool AwaitFpgaWritten(CPanelSession& session, bool sent);

  PanelLink link_;
  platform::FileSystem& files_;
  std::string programPath_;
  std::string fpgaPath_;
};
