// RTF header trimming and brace closing.

#include <gtest/gtest.h>

#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::readAll;
using test_support::TempDir;

TEST(RtfRepair, TrimsThePrefixAndClosesOpenGroups)
{
    const std::string doc = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello \\{braces\\} and \\\\{x}}";
    struct Case {
        std::string name;
        std::string input;
        std::string output;
        double confidence;
        std::vector<std::string> findings;
    };
    const std::vector<Case> cases = {
        {"complete", doc, doc, 0.96, {}},
        {"cut", "{\\rtf1{\\b bold", "{\\rtf1{\\b bold}}", 0.82, {"RTF closing brace is missing"}},
        {"prefix", std::string(20, 'z') + doc, doc, 0.82, {"garbage bytes before RTF header"}},
        {"extra", doc + "}", doc + "}", 0.96, {"RTF brace nesting is inconsistent"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto input = dir.write(c.name + ".rtf", c.input);
        const auto analysis = analyzeFile(input);
        ASSERT_EQ(analysis.findings.size(), c.findings.size()) << describe(analysis);
        for (const auto& message : c.findings)
            EXPECT_TRUE(hasFindingStartingWith(analysis, message));
        EXPECT_DOUBLE_EQ(analysis.confidence, c.findings.empty() ? 1.0 : 0.78);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_EQ(text(readAll(result.output.path)), c.output);
        EXPECT_DOUBLE_EQ(result.confidence, c.confidence);
        if (c.name == "prefix") {
            EXPECT_EQ(findAction(result, "trim-rtf-prefix")->amount, 20u);
        }
    }
}

TEST(RtfRepair, AnalyzeModeWritesNothingAndMissingHeaderFails)
{
    TempDir dir;
    const auto input = dir.write("open.rtf", std::string("{\\rtf1 {\\b bold"));
    const auto analyzed = repairFile(input, Analyze, true);
    EXPECT_FALSE(analyzed.previewWritten);
    EXPECT_TRUE(analyzed.actions.empty());
    EXPECT_TRUE(analyzed.artifacts.empty());

    const auto extract = repairFile(input, Extract, true);
    EXPECT_TRUE(extract.previewWritten);
    EXPECT_FALSE(extract.outputWritten);

    const auto none = repairFile(dir.write("plain.rtf", std::string("no header")));
    EXPECT_EQ(none.status.code, 49);
    EXPECT_EQ(none.status.message, "unsupported or severely damaged RTF");
}
