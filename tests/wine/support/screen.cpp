#include "screen.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include "wait.h"
#include "window.h"

namespace wine_driver {

Pixels::Pixels(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ =
      CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
  if (!bitmap_) throw DriverError("cannot make a bitmap");
  old_ = SelectObject(dc_, bitmap_);
}

Pixels::Pixels(const RECT& area) : Pixels(area.right - area.left, area.bottom - area.top) {
  HDC screen = GetDC(nullptr);
  BitBlt(dc_, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

Pixels::~Pixels() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

std::uint32_t Pixels::at(int x, int y) const {
  GdiFlush();
  return bits_[y * width_ + x];
}

void Pixels::Fill(std::uint32_t colour) {
  GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = colour;
}

double Pixels::Difference(const Pixels& other) const {
  GdiFlush();
  double sum = 0;
  for (int i = 0; i < width_ * height_; ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      sum += std::abs(static_cast<int>((bits_[i] >> shift) & 0xFF) -
                      static_cast<int>((other.bits_[i] >> shift) & 0xFF));
    }
  }
  return sum / (3.0 * width_ * height_);
}

void Pixels::SaveBmp(const std::wstring& path) const {
  GdiFlush();
  // Rows bottom-up, blue green red, each padded to four bytes.
  const int rowSize = (3 * width_ + 3) / 4 * 4;
  std::vector<char> image(static_cast<std::size_t>(rowSize) * height_, 0);
  for (int y = 0; y < height_; ++y) {
    char* row = image.data() + static_cast<std::size_t>(height_ - 1 - y) * rowSize;
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t pixel = bits_[y * width_ + x];
      for (int channel = 0; channel < 3; ++channel) {
        row[3 * x + channel] = static_cast<char>((pixel >> (8 * channel)) & 0xFF);
      }
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width_;
  info.biHeight = height_;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(image.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;

  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  if (!out) throw DriverError("cannot write " + Narrow(path));
}

}  // namespace wine_driver
