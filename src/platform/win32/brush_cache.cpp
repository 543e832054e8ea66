#include "platform/win32/brush_cache.h"

namespace platform::win32 {

BrushCache::~BrushCache() {
  for (const auto& [colour, brush] : brushes_) ::DeleteObject(brush);
}

HBRUSH BrushCache::Get(COLORREF colour) {
  if (auto it = brushes_.find(colour); it != brushes_.end()) return it->second;
  const HBRUSH brush = ::CreateSolidBrush(colour);
  if (brush != nullptr) brushes_.emplace(colour, brush);
  return brush;
}

}  // namespace platform::win32
