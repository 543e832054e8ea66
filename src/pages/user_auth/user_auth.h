// The User Auth. page: reads the panel's user name and password (Refresh)
// and writes a new pair (Set) after checking the old one. The five fields
// accept only their character sets, corrected as they are typed.
#pragma once

#include <string>

#include "pages/common/page_context.h"
#include "protocol/credential_record.h"
#include "rules/credential_rules.h"
#include "ui/page.h"

class CUser_Auth : public ui::Page {
 public:
  explicit CUser_Auth(const PageContext& context);

  bool OnInitDialog() override;

  // The pair the panel holds as far as the page knows, and the record last
  // read from or written to the panel.
  const std::string& PanelUserName() const { return panelUserName_; }
  const std::string& PanelPassword() const { return panelPassword_; }
  const protocol::CredentialRecord& Record() const { return record_; }

 private:
  void FilterField(int id, rules::CredentialCharset charset);
  void OnRefresh();
  void OnSet();
  // The first rule the five fields break, as its message; nothing when all hold.
  std::optional<std::string> BrokenRule() const;
  // Sends the record to the panel; true when the panel confirmed the write.
  bool WriteRecord();
  void DisplayRecord();

  ChosenPanel panel_;
  protocol::CredentialRecord record_;
  std::string panelUserName_;
  std::string panelPassword_;
};
