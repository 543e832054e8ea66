// What a simulated panel does for each command line of the protocol. Each
// runs after the command line has been read and the fault's delay has
// passed; the connection closes in order when it returns.
#pragma once

#include <string_view>

#include "sim/address_assignment.h"
#include "sim/exchange.h"

namespace sim {

// Camera table.
void SendCameraTable(const Exchange& exchange);                 // VK38 IP SETTING REQ
void LoadCameraTable(const Exchange& exchange);                 // VK38 IP SETTING CHANGE
void SendProposal(const Exchange& exchange, AssignMode mode);   // IP SET ... START, RETRY
void ApplyProposal(const Exchange& exchange, AssignMode mode);  // IP SET ... SET

// Setup and log.
void SendSetupBlock(const Exchange& exchange);  // VK38 SETTING REQ
void LoadSetupBlock(const Exchange& exchange);  // VK38 SETTING CHANGE
void SendLog(const Exchange& exchange);         // VK38 LOG REQ

// Program and FPGA images.
void LoadProgramImage(const Exchange& exchange);  // VK38 VER UP START
void LoadFpgaImage(const Exchange& exchange);     // FPGA VER UP START

// Credentials.
void SendCredentials(const Exchange& exchange);  // VK38 AUTH SETTING REQ
void LoadCredentials(const Exchange& exchange);  // VK38 AUTH SETTING CHANGE

}  // namespace sim
