// Writing the camera table to the panel (SET): the write rules (address
// tests, preparation of the record, firmware questions) shown and asked on
// the page, then the exchange.
#include <string>

#include "operations/camera_table.h"
#include "pages/setting/ip_setting.h"
#include "rules/camera_table_write.h"
#include "rules/outcome_texts.h"

void IPSetting::OnSet() {
  if (assignMode != kNoAssignment) {
    FinishAssignment();
    return;
  }
  StoreVisibleAddresses();
  WriteTable();
}

void IPSetting::WriteTable() {
  if (PassesAddressTests()) {
    protocol::IpSettingRecord prepared =
        rules::PrepareForWrite(table_, camAddrAtRead, swAddrAtRead);
    if (ConfirmFirmware(prepared)) {
      protocol::ComputeChecksum(prepared);
      SendTable(prepared);
    }
    // The page goes on with the prepared table, sent or not: the MAC
    // addresses the rule dropped stay dropped on the screen.
    table_ = prepared;
  }
  // Also after a stop at an address test, so that the rows always show
  // what the table holds (after ALL CLEAR, its new addresses).
  ShowRows();
}

bool IPSetting::PassesAddressTests() {
  const rules::AddressCheck check = rules::CheckAddresses(table_, panel_.panels.Current());
  for (const rules::WriteNotice& notice : check.notices) {
    if (notice.kind == rules::WriteNotice::Kind::kError) {
      ShowFailure(notice.text);
    } else {
      ShowMessage(notice.text, std::nullopt, ui::kMbOk | ui::kMbIconExclamation);
    }
  }
  return check.proceeds;
}

bool IPSetting::ConfirmFirmware(const protocol::IpSettingRecord& prepared) {
  for (const std::string& question : rules::FirmwareQuestions(prepared)) {
    if (ShowMessage(question, std::nullopt, ui::kMbOkCancel | ui::kMbIconExclamation) !=
        ui::kIdOk) {
      return false;
    }
  }
  return true;
}

void IPSetting::SendTable(const protocol::IpSettingRecord& prepared) {
  ReportOutcome(*this, operations::WriteCameraTable(panel_.Link(), prepared),
                rules::kCameraTableWriteWords);
}
