// Edits of a camera table that the Setting page makes and vk38 may make
// too, each decided here once.
#pragma once

#include "protocol/ip_setting_record.h"

namespace rules {

// ALL CLEAR's numbering plan, counted from the panel's own address: no MAC
// addresses; camera n on the n-th address after the panel's (254 is
// followed by 1); Network and IP_Direct cameras become NoAsign while Serial
// and CAM_Direct ones keep their type; the switcher NoAsign, on the address
// just below the panel's. Everything else stays.
void ClearToNumberingPlan(protocol::IpSettingRecord& table, protocol::PanelAddress panel);

// The CAMERA Select exchange of cameras `a` and `b` (0 to 99): their MAC,
// address and port, type, name and alarm change places, and the switcher
// inputs follow their cameras to the new numbers. Flags stay in place.
void SwapCameras(protocol::IpSettingRecord& table, int a, int b);

// Switcher input membership; inputs are numbered 1 to 5.
bool IsOnInput(const protocol::IpSettingRecord& table, int camera, int input);
// The input the SW Input list shows for camera `camera`: the highest input
// holding it, 0 for none.
int InputOfCamera(const protocol::IpSettingRecord& table, int camera);

// Takes camera `camera` (0 to 99) off every switcher input: a table from a
// panel may hold a camera on several.
void ReleaseInputs(protocol::IpSettingRecord& table, int camera);
// The SW Input list's rule: puts the camera on `input` (1 to 5; 0 takes it
// off), off any input it was on. False, with nothing changed, when another
// camera holds that input.
bool PutOnInput(protocol::IpSettingRecord& table, int camera, int input);

}  // namespace rules
