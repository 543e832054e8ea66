#include "desktop/brush_cache.h"

namespace desktop {

BrushCache::~BrushCache() {
  for (const auto& [colour, brush] : brushes_) ::DeleteObject(brush);
}

HBRUSH BrushCache::Get(COLORREF colour) {
  if (auto it = brushes_.find(colour); it != brushes_.end()) return it->second;
  const HBRUSH brush = ::CreateSolidBrush(colour);
  if (brush != nullptr) brushes_.emplace(colour, brush);
  return brush;
}

}  // namespace desktop
