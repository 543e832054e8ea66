// Start and end of the Windows socket layer (Windows Sockets 1.1). The
// program starts it once before any socket is made and reports a failure
// itself, so this only says whether it worked.
#pragma once

namespace platform::win32 {

bool StartSocketLayer();
// Ends one successful StartSocketLayer.
void StopSocketLayer();

}  // namespace platform::win32
