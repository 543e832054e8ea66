// The start-up services of the operating system that the application object
// needs before it shows any window.
#pragma once

class AppPlatform {
 public:
  virtual ~AppPlatform() = default;
  virtual void InitCommonControls() = 0;
  // Starts the socket layer (Windows Sockets 1.1); false when it failed.
  virtual bool StartSocketLayer() = 0;
};
