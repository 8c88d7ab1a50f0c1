#pragma once

// Fixture builders and checks shared by the document engine tests.

#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace doc_test {

namespace fs = std::filesystem;
using data_repair::ByteBuffer;

// A PDF with the given object bodies numbered from 1 (the last one is expected to be the
// catalog), a correct classic table, trailer and end marker.
std::string makePdf(const std::vector<std::string>& bodies, int rootNumber);
// One page saying the text, objects 1-5 with the catalog as object 1.
std::string onePagePdf(const std::string& text = "Hello");

// The python3 that carries the checker modules (olefile comes from the system packages).
std::string python();
// Runs a python3 snippet with the given arguments; the snippet reads sys.argv.
test_support::CommandResult runPython(const std::string& code, const std::vector<std::string>& args);

data_repair::RepairResult repairFile(const fs::path& input, int32_t mode = data_repair::Repair,
                                     bool writePreview = false);
data_repair::RepairResult analyzeFile(const fs::path& input);

using test_support::findAction;
using test_support::hasAction;
using test_support::hasFindingStartingWith;
std::string describe(const data_repair::RepairResult& result);

ByteBuffer bytes(const std::string& text);
std::string text(const ByteBuffer& bytes);

} // namespace doc_test
