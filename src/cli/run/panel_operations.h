// vk38's exchanges with one panel: the panel operations that the pages use
// too, each ending told in a PanelOutcome whose text is the one the page
// shows for that ending; where a page ends silently, vk38 still names the
// failure.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "operations/camera_table.h"
#include "operations/firmware.h"
#include "operations/local_files.h"
#include "platform/file_system.h"
#include "protocol/credential_record.h"
#include "protocol/ip_setting_record.h"
#include "protocol/panel_link.h"
#include "run/panel_outcome.h"

namespace cli {

using operations::Image;
using operations::Progress;

// The camera table (REFRESH): the record whole with a good sum.
PanelOutcome ReadCameraTable(const protocol::PanelLink& link, protocol::IpSettingRecord& table);
// The camera table (SET's exchange): `prepared` holds its sum.
PanelOutcome WriteCameraTable(const protocol::PanelLink& link,
                              const protocol::IpSettingRecord& prepared);

// The panel's own address assignment (RENEW or KEEP): its proposal, a
// whole record with a good sum, as a read takes a table.
PanelOutcome ProposeAssignment(const protocol::PanelLink& link, operations::Assignment assignment,
                               protocol::IpSettingRecord& proposal);
// Its confirmation (SET while a proposal is shown): "Finish!!" when the
// panel answered "SETTING OK", the page's "Setting Error!!" otherwise.
PanelOutcome ConfirmAssignment(const protocol::PanelLink& link, operations::Assignment assignment);

// The setup block (Save): never an empty one or one with a bad sum.
PanelOutcome ReadSetupBlock(const protocol::PanelLink& link, std::vector<std::uint8_t>& block);
// A setup block to the panel (Load).
PanelOutcome WriteSetupBlock(const protocol::PanelLink& link, std::span<const std::uint8_t> block);

// The log, piece by piece into the file `create` gives once the panel was
// asked (Save Log); closes the file.
PanelOutcome SaveLog(const protocol::PanelLink& link, const operations::CreateSink& create,
                     const Progress& progress);

// A firmware image to the panel (the upgrade page's Load): the start
// command, the image in blocks, then the panel's verdict after its flash
// write — "Ver Up Finish", or the page's "File Error!!".
PanelOutcome UpgradeImage(const protocol::PanelLink& link, Image image,
                          std::span<const std::uint8_t> bytes, const Progress& progress);

// The panel's credential record (the User Auth. page's REFRESH): a block no
// longer than the record with a good sum, over the start of `record`.
PanelOutcome ReadCredentials(const protocol::PanelLink& link, protocol::CredentialRecord& record);
// The record to the panel (its SET); "Write OK.\nPlease reboot TL-VK38."
// when the panel confirmed it.
PanelOutcome WriteCredentials(const protocol::PanelLink& link,
                              const protocol::CredentialRecord& record);

}  // namespace cli
