// What the screen shows, read back pixel by pixel: for recognising a
// message box's icon and for the pictures of the operator's guide.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace wine_driver {

// A 32-bit top-down bitmap to draw into and read back.
class Pixels {
 public:
  Pixels(int width, int height);
  // A copy of what the screen shows in `area` (screen coordinates) now.
  explicit Pixels(const RECT& area);
  ~Pixels();
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;

  HDC dc() const { return dc_; }
  std::uint32_t at(int x, int y) const;
  void Fill(std::uint32_t colour);
  // Mean difference per colour channel, 0 to 255.
  double Difference(const Pixels& other) const;
  // Writes the pixels as a 24-bit BMP file; throws DriverError when it
  // cannot.
  void SaveBmp(const std::wstring& path) const;

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace wine_driver
