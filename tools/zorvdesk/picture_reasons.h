// Why a framed thumbnail was not written. The picture library answers only yes or no, so the
// tool looks at the source and the destination itself once the library has said no.
#pragma once

#include <string>

namespace zorvdesk {

constexpr int kBmpKind = 1;
constexpr int kJpegKind = 2;

// The first reason that applies, as a sentence for "zorvdesk: ...": the source is cut short or
// damaged, larger than the limits, of an unsupported colour model, a bitmap that cannot be
// loaded or is not 24-bit; then a destination that cannot be written. Empty when none applies
// (memory ran out).
std::string thumbnailFailure(const std::string& source, int kind, const std::string& out);

}  // namespace zorvdesk
