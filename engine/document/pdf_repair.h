#pragma once

// PDF pieces the repair is built from, visible to the tests.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// Highest object number a conforming PDF may use; larger numbers are ignored so that one stray
// header cannot demand a table of gigabytes.
inline constexpr uint64_t kPdfMaxObjectNumber = 8388607;

// One "<number> <generation> obj" header: the number (up to 10 digits), the position of its first
// digit and the position just after "obj".
struct PdfObjectHeader {
    uint64_t number = 0;
    uint64_t offset = 0;
    uint64_t end = 0;
};

// Every object header, left to right without overlap: the number starts the text or follows any
// byte but a digit (bytes inserted before a header leave it where it was), 1-10 digits, white
// space, 1-5 digits, white space, "obj".
// One linear pass (a backtracking matcher recurses once per white-space byte and overflows the
// stack on long runs). Stops after maxHeaders headers.
std::vector<PdfObjectHeader> scanPdfObjectHeaders(ByteView bytes, uint64_t maxHeaders = npos);

// The top-level keys of the dictionary that starts at the first "<<" at or after pos (within a
// bounded window that also stops at end), each with its value as written (an indirect reference
// "n g R" whole).
std::map<std::string, std::string> readPdfDictionary(ByteView bytes, uint64_t pos, uint64_t end = npos);

} // namespace data_repair
