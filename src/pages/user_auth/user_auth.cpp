#include "pages/user_auth/user_auth.h"

#include <array>
#include <utility>

#include "operations/credentials.h"
#include "pages/common/outcome_report.h"
#include "resources/resource.h"
#include "rules/outcome_texts.h"

namespace {

struct Field {
  int id;
  rules::CredentialCharset charset;
};

constexpr std::array<Field, 5> kFields = {{
    {IDC_OLD_USER_NAME, rules::CredentialCharset::kName},
    {IDC_NEW_USER_NAME, rules::CredentialCharset::kName},
    {IDC_OLD_PASSWORD, rules::CredentialCharset::kPassword},
    {IDC_NEW_PASSWORD, rules::CredentialCharset::kPassword},
    {IDC_RETYPE_PASSWORD, rules::CredentialCharset::kPassword},
}};

}  // namespace

CUser_Auth::CUser_Auth(const PageContext& context)
    : ui::Page(IDD_USER_AUTH, context.host), panel_(context.panel) {
  for (const Field& field : kFields) {
    Controls().Declare(field.id, ui::ControlKind::kEdit);
    On(field.id, ui::Notification::kEditChange,
       [this, field] { FilterField(field.id, field.charset); });
  }
  Controls().Declare(IDC_AUTH_REFRESH, ui::ControlKind::kButton);
  Controls().Declare(IDC_AUTH_SET, ui::ControlKind::kButton);
  On(IDC_AUTH_REFRESH, ui::Notification::kClicked, [this] { OnRefresh(); });
  On(IDC_AUTH_SET, ui::Notification::kClicked, [this] { OnSet(); });
}

bool CUser_Auth::OnInitDialog() {
  for (const Field& field : kFields) {
    Controls().SetTextLimit(field.id, static_cast<int>(rules::kCredentialMaxLength));
  }
  return true;
}

void CUser_Auth::FilterField(int id, rules::CredentialCharset charset) {
  // Each correction raises the field's change notification again; the
  // filter then runs on the corrected text, which passes or is cut again.
  if (const std::optional<rules::FieldCorrection> corrected =
          rules::CorrectField(charset, Controls().Text(id))) {
    SetEditText(id, corrected->kept);
    ShowMessage(corrected->refusal, std::nullopt, ui::kMbOk | ui::kMbIconExclamation);
  }
}

void CUser_Auth::DisplayRecord() {
  std::optional<std::string> user = record_.UserName();
  std::optional<std::string> password = record_.Password();
  if (!user || !password) return;
  panelUserName_ = std::move(*user);
  panelPassword_ = std::move(*password);
  SetEditText(IDC_OLD_USER_NAME, panelUserName_);
  for (int id : {IDC_NEW_USER_NAME, IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_RETYPE_PASSWORD}) {
    SetEditText(id, "");
  }
  GetHost().RepaintDialog(*this);
}

void CUser_Auth::OnRefresh() {
  // A block longer than the record, or one whose bytes do not add up to
  // zero, is dropped whole and the record shown as it was.
  const operations::Outcome read = operations::ReadCredentials(panel_.Link(), record_);
  ReportOutcome(*this, read, rules::kCredentialReadWords);
  if (StoppedAtStart(read)) return;
  DisplayRecord();
}

std::optional<std::string> CUser_Auth::BrokenRule() const {
  return rules::BrokenCredentialRule({.oldUser = Controls().Text(IDC_OLD_USER_NAME),
                                      .newUser = Controls().Text(IDC_NEW_USER_NAME),
                                      .oldPassword = Controls().Text(IDC_OLD_PASSWORD),
                                      .newPassword = Controls().Text(IDC_NEW_PASSWORD),
                                      .retyped = Controls().Text(IDC_RETYPE_PASSWORD)},
                                     panelUserName_, panelPassword_);
}

void CUser_Auth::OnSet() {
  if (const std::optional<std::string> broken = BrokenRule()) {
    ShowFailure(*broken);
    return;
  }
  const protocol::CredentialRecord before = record_;
  record_.SetUserName(Controls().Text(IDC_NEW_USER_NAME));
  record_.SetPassword(Controls().Text(IDC_NEW_PASSWORD));
  record_.UpdateChecksum();
  // Only a write the panel confirmed changes what the panel holds; after
  // any other ending the page keeps believing the pair it had.
  if (!WriteRecord()) record_ = before;
  DisplayRecord();
}

bool CUser_Auth::WriteRecord() {
  const operations::Outcome written = operations::WriteCredentials(panel_.Link(), record_);
  ReportOutcome(*this, written, rules::kCredentialWriteWords);
  return written.Done();
}
