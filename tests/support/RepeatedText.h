// Large generated inputs: one piece of text repeated.
#pragma once

#include <string>

inline std::string Repeated(const std::string& piece, int count) {
  std::string out;
  if (count > 0) out.reserve(piece.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}
