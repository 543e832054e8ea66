// Solid brushes by colour, made once and kept until the cache ends, so that
// colour notifications can return a brush without leaking one per paint.
#pragma once

#include <windows.h>

#include <map>

namespace desktop {

class BrushCache {
 public:
  BrushCache() = default;
  ~BrushCache();
  BrushCache(const BrushCache&) = delete;
  BrushCache& operator=(const BrushCache&) = delete;

  // The brush of `colour`; null only when the system has no brush left.
  HBRUSH Get(COLORREF colour);

 private:
  std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace desktop
