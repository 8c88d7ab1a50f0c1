#pragma once

// Shared by the audio engine tests: real recordings made with ffmpeg, byte surgery on them, and
// the independent players and checkers that judge the repaired files.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data_repair/engine.h"
#include "test_support.h"

namespace audio_test {

namespace fs = std::filesystem;
using data_repair::ByteBuffer;

// Encodes three seconds of a sine tone with the given ffmpeg output arguments ("-c:a libmp3lame
// -f mp3") into dir/name and returns its bytes (empty when ffmpeg failed).
ByteBuffer encodeTone(const test_support::TempDir& dir, const std::string& name, const std::string& outputArgs,
                      double seconds = 3.0);

// Decodes the file with ffmpeg to 8 kHz mono samples; returns the decoded seconds, or -1 when
// ffmpeg reported any error (its messages go to `errors`).
// With tolerateErrors the seconds are returned even when ffmpeg complained.
double decodedSeconds(const fs::path& file, std::string* errors = nullptr, bool tolerateErrors = false);

data_repair::RepairResult analyzeAudio(const fs::path& input, int32_t mode = data_repair::Analyze);
data_repair::RepairResult repairAudio(const data_repair::RepairRequest& request);
data_repair::RepairResult repairAudio(const fs::path& input, int32_t mode = data_repair::Repair);

using test_support::concat;
using test_support::hasAction;
using test_support::hasFinding;
// An ISO base media box with a 32-bit size.
ByteBuffer isoBox(const std::string& type, const ByteBuffer& payload);
ByteBuffer garbage(size_t size, uint8_t seed = 7);

} // namespace audio_test
