// The upgrade page: uploads a program image or an FPGA image to the panel,
// byte for byte. The main window creates and places it like the other pages
// but no tab shows it.
#pragma once

#include <string>

#include "operations/firmware.h"
#include "pages/common/page_context.h"
#include "ui/page.h"

class CUPGrade : public ui::Page {
 public:
  using Image = operations::Image;

  explicit CUPGrade(const PageContext& context);

  // The image paths chosen with File.
  const std::string& ProgramPath() const { return programPath_; }
  const std::string& FpgaPath() const { return fpgaPath_; }

 private:
  void OnFile(Image image);
  void OnLoad(Image image);
  const std::string& PathOf(Image image) const;
  // The messages of a Load that did not end in "Ver Up Finish".
  void ReportFailure(Image image, const operations::Outcome& outcome);

  ChosenPanel panel_;
  platform::FileSystem& files_;
  std::string programPath_;
  std::string fpgaPath_;
};
