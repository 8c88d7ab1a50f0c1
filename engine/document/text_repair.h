#pragma once

// Text, XML and JSON sanitising and the two recovery envelopes.

#include <cstdint>
#include <string>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// Valid UTF-8 copy: tab, LF, CR, 20-7F and well-formed sequences are kept, every other byte
// becomes U+FFFD (one per byte). Stores the count when the pointer is given.
std::string sanitizeUtf8(ByteView bytes, uint64_t* replacements);

// UTF-16 with a byte-order mark (FF FE or FE FF) to UTF-8 without the mark; unpaired surrogates
// and an odd last byte become U+FFFD, counted.
std::string transcodeUtf16(ByteView bytes, uint64_t* replacements);

// Replaces U+FFFE and U+FFFF, which XML forbids, by U+FFFD; returns how many.
uint64_t replaceXmlNonCharacters(std::string& text);

std::string wrapRecoveredXml(std::string text);
std::string wrapRecoveredJson(const std::string& text);

} // namespace data_repair
