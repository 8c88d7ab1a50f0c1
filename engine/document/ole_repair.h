#pragma once

// OLE compound file (legacy Word, Excel, PowerPoint) header checks and stream names.

#include <string>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// Directory entry names read from the directory sectors (contiguous, at most 8 sectors), or the
// raw-search fallback when they cannot be read.
std::vector<std::string> readOleDirectoryNames(ByteView bytes);
std::vector<std::string> scanOleStreamNames(ByteView bytes);
std::string expectedOleStream(const std::string& format);
bool hasExpectedStreamName(const std::vector<std::string>& names, const std::string& expected);

} // namespace data_repair
