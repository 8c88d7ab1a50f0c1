#pragma once

// What the index of an ISO base media file (MP4, MOV, M4A, 3GP) claims, read before FFmpeg sees
// the file: FFmpeg sizes its tables and its per-sample index by these claims, not by the bytes
// behind them, so a small file can make it allocate gigabytes.

#include "app/output_validation_service.h"

#include <QString>

namespace olm::repair {

enum class IndexClaims {
    Fit,      // every table fits its box and the samples fit the file
    Broken,   // a table claims more entries than its box holds, or samples the file cannot hold
    TooMany,  // possible, but past what a check may index or decode (samples, tracks)
};

// More tracks than this are not verified (each is a decoder of its own).
inline constexpr int kMaxCheckedTracks = 64;

// Walks the box tree of the file at `path` (`size` bytes) and judges its index claims. A stop asked
// on `control` ends the walk (the answer then does not matter).
IndexClaims readIsoIndexClaims(const QString& path, qint64 size, const ValidationControl& control);

} // namespace olm::repair
