// Text, XML and JSON sanitising and envelopes, judged by xmllint and Python's json module.

#include <gtest/gtest.h>

#include <random>

#include "document/text_repair.h"
#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::quote;
using test_support::readAll;
using test_support::run;
using test_support::TempDir;

TEST(TextSanitize, ReplacesEachByteThatIsNotPartOfAnAllowedCharacter)
{
    struct Case {
        ByteBuffer input;
        uint64_t replacements;
        std::string output;
    };
    const std::string r = "\xEF\xBF\xBD";
    const std::vector<Case> cases = {
        {{0xC3, 'B'}, 1, r + "B"},
        {{'a', 0xE2, 0x82}, 2, "a" + r + r},
        {{0xC0, 0x80}, 2, r + r},                    // over-long
        {{0xED, 0xA0, 0x80}, 3, r + r + r},          // surrogate
        {{0xF4, 0x90, 0x80, 0x80}, 4, r + r + r + r}, // above U+10FFFF
        {{0x7F, 0x0B}, 1, "\x7F" + r},
        {{0x00}, 1, r},
        {{0xE4, 0xB8, 0xAD, '\t', '\r', '\n'}, 0, "\xE4\xB8\xAD\t\r\n"},
    };
    for (const auto& c : cases) {
        uint64_t count = 99;
        EXPECT_EQ(sanitizeUtf8(c.input, &count), c.output);
        EXPECT_EQ(count, c.replacements);
    }
}

TEST(TextSanitize, AgreesWithPythonsDecoderOnRandomBytes)
{
    std::mt19937 rng(7);
    ByteBuffer input(20000);
    for (auto& b : input)
        b = static_cast<uint8_t>(rng() % 4 == 0 ? 0xE0 + rng() % 16 : rng());
    TempDir dir;
    const auto in = dir.write("random.bin", input);
    const auto expected = dir / "expected.txt";
    const auto check = runPython(
        "import sys, codecs\n"
        "codecs.register_error('one', lambda e: ('\\ufffd', e.start + 1))\n"
        "t = open(sys.argv[1], 'rb').read().decode('utf-8', 'one')\n"
        "t = ''.join('\\ufffd' if ord(c) < 32 and c not in '\\t\\n\\r' else c for c in t)\n"
        "open(sys.argv[2], 'wb').write(t.encode('utf-8', 'surrogatepass'))\n",
        {in.string(), expected.string()});
    ASSERT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(sanitizeUtf8(input, nullptr), text(readAll(expected)));
}

TEST(TextRepair, XmlEnvelopeIsWellFormedAndGivesTheTextBack)
{
    REQUIRE_TOOL("xmllint");
    TempDir dir;
    // "]]>" would end the CDATA section; U+FFFE and U+FFFF are not XML characters.
    const std::string damaged = "<a>x]]>y</a>\xEF\xBF\xBF\xEF\xBF\xBE <b>\x01 cut";
    const auto result = repairFile(dir.write("data.xml", damaged));
    ASSERT_TRUE(result.outputWritten) << describe(result);
    EXPECT_EQ(fs::path(result.output.path).filename(), "data_repaired.xml");
    EXPECT_DOUBLE_EQ(result.confidence, 0.68);
    EXPECT_EQ(findAction(result, "sanitize-utf8")->amount, 3u);
    ASSERT_TRUE(hasAction(result, "wrap-recovered-xml"));
    EXPECT_EQ(run("xmllint --noout " + quote(result.output.path)).exitCode, 0);
    const auto content = run("xmllint --xpath 'string(/korvex-recovered)' " + quote(result.output.path));
    EXPECT_EQ(content.output, "<a>x]]>y</a>\xEF\xBF\xBD\xEF\xBF\xBD <b>\xEF\xBF\xBD cut\n");

    const auto valid = analyzeFile(dir.write("ok.xml", std::string("<ok/>")));
    ASSERT_EQ(valid.findings.size(), 1u);
    EXPECT_EQ(valid.findings[0].message, "XML content will be preserved in a well-formed recovery envelope");
    EXPECT_DOUBLE_EQ(valid.confidence, 0.92);
}

TEST(TextRepair, JsonEnvelopeIsValidAndCarriesTheSanitisedText)
{
    TempDir dir;
    const std::string damaged = "{\"a\": \"q\\\"uote\",\n\t\"b\": [1, 2\x00\x02\r";
    const auto result = repairFile(dir.write("cut.json", std::string(damaged.data(), damaged.size() + 0)));
    ASSERT_TRUE(result.outputWritten) << describe(result);
    const auto check = runPython("import json, sys\nprint(json.load(open(sys.argv[1]))['sourceText'], end='')",
                                 {result.output.path});
    ASSERT_EQ(check.exitCode, 0) << check.output;
    uint64_t count = 0;
    EXPECT_EQ(check.output, sanitizeUtf8(bytes(damaged), &count));
    EXPECT_TRUE(hasAction(result, "wrap-recovered-json"));
    EXPECT_EQ(run(python() + " -m json.tool " + quote(result.output.path) + " >/dev/null").exitCode, 0);
}

TEST(TextRepair, OutputKeepsTheInputsOwnExtensionWhateverItBeginsWith)
{
    TempDir dir;
    // UTF-16LE "Hello" starts FF FE 48 00, which passes for an MPEG audio frame header.
    ByteBuffer utf16{0xFF, 0xFE};
    for (char16_t c : std::u16string(u"Hello \u4E2D\u6587 \U0001F600")) {
        utf16.push_back(static_cast<uint8_t>(c & 0xFF));
        utf16.push_back(static_cast<uint8_t>(c >> 8));
    }
    struct Case {
        std::string name;
        ByteBuffer input;
        std::string expectedOutput; // empty: only the name is checked
    };
    const std::vector<Case> cases = {
        {"unicode.txt", utf16, "Hello \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80"},
        {"report.txt", bytes("%PDF-1.4 not really"), "%PDF-1.4 not really"},
        {"notes.txt", bytes(std::string("PK\x03\x04 text", 9)), ""},
        {"unicode.json", utf16, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = repairFile(dir.write(c.name, c.input));
        ASSERT_TRUE(result.outputWritten) << describe(result);
        const fs::path name(c.name);
        EXPECT_EQ(fs::path(result.output.path).filename().string(),
                  name.stem().string() + "_repaired" + name.extension().string());
        EXPECT_EQ(result.kind, Document);
        if (!c.expectedOutput.empty()) {
            EXPECT_EQ(text(readAll(result.output.path)), c.expectedOutput);
        }
    }
    const auto json = runPython("import json, sys\nprint(json.load(open(sys.argv[1], encoding='utf-8'))['sourceText'])",
                                {(dir / "unicode_repaired.json").string()});
    EXPECT_EQ(json.exitCode, 0) << json.output;
    EXPECT_EQ(json.output, "Hello \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80\n");
    const auto pdfLike = analyzeFile(dir / "report.txt");
    EXPECT_TRUE(hasFindingStartingWith(pdfLike, "content is not text"));
}

TEST(TextRepair, LegacyEncodedTextIsKeptByteForByte)
{
    TempDir dir;
    // "中文报表" in GBK, as Chinese Windows writes CSV and TXT files.
    const ByteBuffer gbk{0xD6, 0xD0, 0xCE, 0xC4, 0xB1, 0xA8, 0xB1, 0xED, ',', '1', '\r', '\n'};
    const auto result = repairFile(dir.write("table.csv", gbk));
    ASSERT_TRUE(result.outputWritten) << describe(result);
    EXPECT_EQ(readAll(result.output.path), gbk);
    EXPECT_TRUE(hasFindingStartingWith(result, "text is not UTF-8 (legacy encoding)"));
    EXPECT_FALSE(hasAction(result, "sanitize-utf8"));

    // Damaged UTF-8 (a character cut at the end) is still repaired by replacement.
    const auto cut = repairFile(dir.write("cut.txt", std::string("\xE4\xB8\xAD\xE6\x96\x87 ok \xE4\xB8")));
    EXPECT_EQ(findAction(cut, "sanitize-utf8")->amount, 2u);
}

TEST(TextRepair, CodePagesAreKeptButRandomDamageIsReplaced)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> codePages = {
        {"cp1251", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xDD\xF2\xEE \xF2\xE5\xEA\xF1\xF2.\n"},
        {"cp1252", "Le caf\xE9 \xE9tait tr\xE8s anim\xE9, \xAB \xC7" "a va ? \xBB\n"},
        {"shift-jis", "\x93\xFA\x96{\x8C\xEA\x82\xCC\x83" "e\x83L\x83X\x83g\x82\xC5\x82\xB7\x81" "B\x83" "f\x81[\x83^\x82P\x82Q\x82R\x81" "B\n"},
    };
    for (const auto& [name, line] : codePages) {
        SCOPED_TRACE(name);
        std::string content;
        for (int i = 0; i < 20; ++i)
            content += line;
        const auto result = repairFile(dir.write(name + ".txt", content));
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_EQ(text(readAll(result.output.path)), content);
        EXPECT_TRUE(hasFindingStartingWith(result, "text is not UTF-8 (legacy encoding)"));
    }

    // Random bytes inside ASCII text also fail to decode, but are damage: replaced, enveloped.
    std::string ascii;
    while (ascii.size() < 4096)
        ascii += "Quarterly notes: the quick brown fox jumps over the lazy dog, 42 times.\n";
    const std::string checkUtf8 = "import sys\nopen(sys.argv[1], 'rb').read().decode('utf-8')";
    const std::string checkJson = "import json, sys\nprint(json.load(open(sys.argv[1], encoding='utf-8'))['sourceText'][:9])";
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        for (const auto& [name, damage] : std::vector<std::pair<std::string, size_t>>{{"notes.txt", 512}, {"data.json", 64}}) {
            std::string damaged = name == "data.json" ? "{\"note\": \"" + ascii + "\"}" : ascii;
            for (size_t i = 0; i < damage; ++i)
                damaged[1000 + i] = static_cast<char>(random() & 0xFF);
            const auto result = repairFile(dir.write(name, damaged));
            ASSERT_TRUE(result.outputWritten) << describe(result);
            EXPECT_FALSE(hasFindingStartingWith(result, "text is not UTF-8 (legacy encoding)")) << describe(result);
            EXPECT_TRUE(hasAction(result, "sanitize-utf8"));
            EXPECT_EQ(runPython(checkUtf8, {result.output.path}).exitCode, 0);
            if (name == "data.json") {
                const auto json = runPython(checkJson, {result.output.path});
                EXPECT_EQ(json.exitCode, 0) << json.output;
                EXPECT_EQ(json.output, "{\"note\": \n");
            }
            fs::remove(result.output.path);
        }
    }
}

TEST(TextRepair, ModesEmptyFilesAndHostileCdataEnds)
{
    TempDir dir;
    const auto empty = repairFile(dir.write("empty.txt", std::string()));
    ASSERT_TRUE(empty.outputWritten);
    EXPECT_EQ(fs::file_size(empty.output.path), 0u);
    EXPECT_DOUBLE_EQ(empty.confidence, 0.92);

    const auto nul = repairFile(dir.write("nul.txt", ByteBuffer{0}), Analyze, true);
    EXPECT_FALSE(nul.outputWritten);
    EXPECT_FALSE(nul.previewWritten);
    EXPECT_TRUE(hasAction(nul, "sanitize-utf8"));
    EXPECT_DOUBLE_EQ(nul.confidence, 0.78);

    // Replacing "]]>" in place costs one tail shift per hit; 4 MB of them must pass quickly.
    std::string hostile;
    for (int i = 0; i < 1400000; ++i)
        hostile += "]]>";
    const auto wrapped = wrapRecoveredXml(hostile);
    EXPECT_EQ(wrapped.size(), 79 + 23 + 1400000 * 15u);
}
