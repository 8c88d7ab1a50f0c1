// ZIP salvage, rewrite and OOXML restoration, judged by unzip, Python's zipfile and an OPC check.

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "data_repair/consensus.h"
#include "data_repair/output_writer.h"
#include "document/zip_archive.h"
#include "document_test_support.h"

using namespace data_repair;
using namespace doc_test;
using test_support::quote;
using test_support::readAll;
using test_support::run;
using test_support::TempDir;

namespace {

// Builds an archive with Python's zipfile. entries: name -> content given as Python expressions.
// streaming: written through an unseekable file, so every entry carries a data descriptor.
void makeZip(const fs::path& path, const std::string& entriesPython, bool streaming = false)
{
    const auto made = runPython(
        "import sys, zipfile\n"
        "class Pipe:\n"
        "    def __init__(self, f): self.f = f\n"
        "    def write(self, b): return self.f.write(b)\n"
        "    def flush(self): pass\n"
        "raw = open(sys.argv[1], 'wb')\n"
        "target = Pipe(raw) if sys.argv[2] == '1' else raw\n"
        "with zipfile.ZipFile(target, 'w') as z:\n"
        "    for name, data, method in " + entriesPython + ":\n"
        "        z.writestr(zipfile.ZipInfo(name, (2020, 1, 2, 3, 4, 6)) if method is None else name, data,\n"
        "                   compress_type=zipfile.ZIP_DEFLATED if method in (None, 8) else zipfile.ZIP_STORED)\n"
        "raw.close()\n",
        {path.string(), streaming ? "1" : "0"});
    ASSERT_EQ(made.exitCode, 0) << made.output;
}

// The repaired archive holds the original's entries in the same order, each with the same name,
// sizes, CRC, bytes and name-encoding and encryption flags, and unzip finds nothing wrong with it.
void expectSameContents(const fs::path& original, const fs::path& repaired)
{
    const auto check = runPython(
        "import sys, zipfile\n"
        "a, b = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2])\n"
        "assert b.testzip() is None\n"
        "got = [(i.filename, i.file_size, i.CRC, i.flag_bits & 0x801) for i in b.infolist()]\n"
        "want = [(i.filename, i.file_size, i.CRC, i.flag_bits & 0x801) for i in a.infolist()]\n"
        "assert got == want, (got, want)\n"
        "for i in a.infolist(): assert a.read(i) == b.read(i.filename), i.filename\n",
        {original.string(), repaired.string()});
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const auto unzip = run("unzip -tqq " + quote(repaired));
    EXPECT_EQ(unzip.exitCode, 0) << unzip.output;
    const auto listed = run("zipinfo -1 " + quote(original));
    const auto relisted = run("zipinfo -1 " + quote(repaired));
    EXPECT_EQ(relisted.exitCode, 0) << relisted.output;
    EXPECT_EQ(relisted.output, listed.output);
}

ByteBuffer cutBeforeCentralDirectory(const ByteBuffer& zip)
{
    const uint64_t cd = findBytes(zip, "PK\x01\x02", 0);
    return ByteBuffer(zip.begin(), zip.begin() + static_cast<std::ptrdiff_t>(cd));
}

// A small Open Packaging check: every part has a content type, every relationship target
// exists, no two part names differ only in case, and the main part has the expected type.
test_support::CommandResult checkOpc(const fs::path& package, const std::string& mainType)
{
    return runPython(
        "import sys, zipfile, posixpath, xml.dom.minidom as m\n"
        "z = zipfile.ZipFile(sys.argv[1]); assert z.testzip() is None\n"
        "names = [n for n in z.namelist() if not n.endswith('/')]\n"
        "assert len({n.lower() for n in names}) == len(names), 'case duplicates'\n"
        "ct = m.parseString(z.read('[Content_Types].xml'))\n"
        "defaults = {d.getAttribute('Extension').lower(): d.getAttribute('ContentType') for d in ct.getElementsByTagName('Default')}\n"
        "overrides = {o.getAttribute('PartName'): o.getAttribute('ContentType') for o in ct.getElementsByTagName('Override')}\n"
        "def typeof(n):\n"
        "    return overrides.get('/' + n) or defaults.get(n.rsplit('.', 1)[-1].lower())\n"
        "for n in names:\n"
        "    if n != '[Content_Types].xml': assert typeof(n), 'untyped ' + n\n"
        "    if n.endswith('.xml') or n.endswith('.rels'): m.parseString(z.read(n))\n"
        "for n in names:\n"
        "    if not n.endswith('.rels'): continue\n"
        "    base = posixpath.dirname(posixpath.dirname(n))\n"
        "    for r in m.parseString(z.read(n)).getElementsByTagName('Relationship'):\n"
        "        if r.getAttribute('TargetMode') == 'External': continue\n"
        "        t = posixpath.normpath(posixpath.join(base, r.getAttribute('Target'))).lstrip('/')\n"
        "        assert t in names, 'missing target ' + t\n"
        "main = m.parseString(z.read('_rels/.rels')).getElementsByTagName('Relationship')[0].getAttribute('Target')\n"
        "assert typeof(main.lstrip('/')) == sys.argv[2], typeof(main.lstrip('/'))\n",
        {package.string(), mainType});
}

const std::string kDocxParts =
    "[('[Content_Types].xml', '<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"png\" ContentType=\"image/png\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/></Types>', 8),"
    " ('_rels/.rels', '<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
    "</Relationships>', 8),"
    " ('word/document.xml', '<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p><w:r><w:t>Body text</w:t></w:r></w:p></w:body></w:document>', 8),"
    " ('word/_rels/document.xml.rels', '<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/image\" Target=\"media/image1.png\"/>"
    "</Relationships>', 8),"
    " ('word/styles.xml', '<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"/>', 8),"
    " ('word/media/image1.png', b'\\x89PNG\\r\\n\\x1a\\n' + bytes(range(256)), 0),"
    " ('docProps/core.xml', '<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\"/>', 8)]";

// The same package without the named parts.
std::string without(const std::string& parts, const std::vector<std::string>& names)
{
    std::string list = "[e for e in " + parts + " if e[0] not in (";
    for (const auto& n : names)
        list += "'" + n + "', ";
    return list + ")]";
}

} // namespace

TEST(ZipWriter, SingleStoredEntryLayout)
{
    RepairResult report;
    const ByteBuffer zip = writeZipArchive({makeStoredZipEntry("a.txt", "abc")}, "zip", report);
    ASSERT_EQ(zip.size(), 111u);
    EXPECT_EQ(readLe32(zip, 14), zipCrc32(reinterpret_cast<const uint8_t*>("abc"), 3));
    EXPECT_EQ(readLe32(zip, 18), 3u);
    EXPECT_EQ(readLe32(zip, 38), 0x02014B50u);
    EXPECT_EQ(readLe16(zip, 89 + 10), 1u);
    EXPECT_EQ(readLe32(zip, 89 + 12), 51u);
    EXPECT_EQ(readLe32(zip, 89 + 16), 38u);
    ASSERT_EQ(report.actions.size(), 1u);
    EXPECT_EQ(report.actions[0].id, "rebuild-zip-directory");
}

TEST(ZipCrc, MatchesZlibForEveryLengthAndAlignment)
{
    // The folded path takes whole 16-byte blocks from 64 bytes on and leaves the rest to zlib:
    // lengths around those limits, at every alignment, against zlib over the same bytes.
    std::mt19937 random(11);
    std::vector<uint8_t> bytes(70000);
    for (auto& byte : bytes)
        byte = static_cast<uint8_t>(random());
    std::vector<uint64_t> lengths;
    for (uint64_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    for (const uint64_t n : {1023u, 1024u, 4111u, 65536u, 69983u})
        lengths.push_back(n);
    for (const uint64_t n : lengths) {
        for (uint64_t at = 0; at < 16; ++at) {
            const auto expected = static_cast<uint32_t>(::crc32(0L, bytes.data() + at, static_cast<uInt>(n)));
            ASSERT_EQ(zipCrc32(bytes.data() + at, n), expected) << "length " << n << " at " << at;
        }
    }
    const std::vector<uint8_t> ones(4096, 0xFF); // all bits set: no carries hide in the folding
    EXPECT_EQ(zipCrc32(ones.data(), ones.size()), static_cast<uint32_t>(::crc32(0L, ones.data(), 4096)));
}

TEST(ZipRepair, IntactArchiveIsRewrittenWithEveryEntryAndFlagIntact)
{
    REQUIRE_TOOL("unzip");
    TempDir dir;
    const auto input = dir / "photos.zip";
    // A stored entry holding record signatures (a nested archive) must not be cut there.
    makeZip(input, "[('notes.txt', 'hello ' * 500, 8), ('\u6587\u6863/\u62a5\u544a.txt', 'utf-8 name', 8),"
                   " ('nested.bin', b'abc' + b'PK\\x03\\x04' + b'x' * 40 + b'PK\\x01\\x02' + b'PK\\x07\\x08tail', 0),"
                   " ('empty/', b'', 0)]");
    const auto analysis = analyzeFile(input);
    EXPECT_TRUE(analysis.findings.empty()) << describe(analysis);
    EXPECT_DOUBLE_EQ(analysis.confidence, 1.0);
    EXPECT_EQ(analysis.kind, Archive);
    const auto result = repairFile(input);
    ASSERT_TRUE(result.outputWritten) << describe(result);
    EXPECT_EQ(result.output.kind, "repaired-archive");
    EXPECT_DOUBLE_EQ(result.confidence, 0.82);
    expectSameContents(input, result.output.path);
}

TEST(ZipRepair, DataDescriptorEntriesKeepTheirRealCrcAndSizesWithoutCentralDirectory)
{
    REQUIRE_TOOL("unzip");
    TempDir dir;
    const auto original = dir / "stream.zip";
    makeZip(original, "[('a.txt', 'alpha ' * 1000, None), ('b.bin', bytes(range(256)) * 8, 0), ('c.txt', 'PK\\x03\\x04 gamma', None)]",
            true);
    const auto cut = dir.write("stream-cut.zip", cutBeforeCentralDirectory(readAll(original)));
    const auto result = repairFile(cut);
    ASSERT_TRUE(result.outputWritten) << describe(result);
    EXPECT_TRUE(hasFindingStartingWith(result, "ZIP EOCD record is missing"));
    expectSameContents(original, result.output.path);
}

TEST(ZipRepair, EncryptedEntriesStayDecryptable)
{
    REQUIRE_TOOL("zip");
    REQUIRE_TOOL("unzip");
    TempDir dir;
    dir.write("secret.txt", std::string("top secret text ") + std::string(200, 'x'));
    dir.write("plain.bin", std::string("stored"));
    ASSERT_EQ(run("cd " + quote(dir.path()) + " && zip -q -e -P pw locked.zip secret.txt && zip -q -0 -e -P pw locked.zip plain.bin")
                  .exitCode,
              0);
    const auto cut = dir.write("locked-cut.zip", cutBeforeCentralDirectory(readAll(dir / "locked.zip")));
    const auto result = repairFile(cut);
    ASSERT_TRUE(result.outputWritten) << describe(result);
    EXPECT_TRUE(hasFindingStartingWith(result, "ZIP entry is encrypted and cannot be content-repaired: secret.txt"));
    EXPECT_FALSE(hasFindingStartingWith(result, "ZIP stored entry CRC mismatch"));
    const auto test = run("unzip -tqq -P pw " + quote(result.output.path));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    const auto content = run("unzip -p -P pw " + quote(result.output.path) + " secret.txt");
    EXPECT_EQ(content.output.substr(0, 16), "top secret text ");
}

TEST(ZipRepair, MoreThan65535EntriesAreWrittenAsZip64)
{
    REQUIRE_TOOL("unzip");
    TempDir dir;
    const auto input = dir / "many.zip";
    makeZip(input, "[('f%05d' % i, str(i), 0) for i in range(70000)]");
    const auto result = repairFile(input);
    ASSERT_TRUE(result.outputWritten) << describe(result);
    EXPECT_EQ(findAction(result, "rebuild-zip-directory")->amount, 70000u);
    const auto count = runPython("import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1])\n"
                                 "print(len(z.infolist()), z.read('f69999').decode())",
                                 {result.output.path});
    EXPECT_EQ(count.output, "70000 69999\n");
    EXPECT_EQ(run("unzip -tqq " + quote(result.output.path)).exitCode, 0);
}

namespace {

// A reproducible archive written by Python's zipfile: fixed times, seeded contents, stored entries
// of random bytes and deflated entries of text. "small": 700 entries of 1-4 KiB in folders of 64
// (folder entries included); "large": four entries of 100 KiB to 2 MiB; "mixed": small entries
// between large ones; "streamed": the mixed entries through an unseekable file, each with a data
// descriptor and without sizes in its local header.
void makeReproducibleZip(const fs::path& path, const std::string& kind)
{
    const auto made = runPython(
        "import random, sys, zipfile\n"
        "path, kind = sys.argv[1], sys.argv[2]\n"
        "rng = random.Random(31)\n"
        "words = [bytes(rng.choices(b'abcdefghijklmnopqrstuvwxyz', k=rng.randint(2, 9))) for _ in range(400)]\n"
        "def text(n): return b' '.join(rng.choices(words, k=n // 5 + 1))[:n]\n"
        "def small(i): return (text if i % 2 == 0 else rng.randbytes)(rng.randint(1024, 4096))\n"
        "entries = []\n"
        "if kind == 'small':\n"
        "    for i in range(700):\n"
        "        if i % 64 == 0: entries.append(('folder%02d/' % (i // 64), b'', 0))\n"
        "        entries.append(('folder%02d/entry%03d' % (i // 64, i % 64), small(i), 8 if i % 2 == 0 else 0))\n"
        "if kind == 'large':\n"
        "    entries = [('a.bin', rng.randbytes(300 << 10), 0), ('b.txt', text(2 << 20), 8),\n"
        "               ('c.bin', rng.randbytes(1536 << 10), 0), ('d.txt', text(100 << 10), 8)]\n"
        "if kind in ('mixed', 'streamed'):\n"
        "    for i in range(120):\n"
        "        entries.append(('s%03d' % i, small(i), 8 if i % 2 == 0 else 0))\n"
        "        if i % 40 == 0: entries.append(('l%03d' % i, (text if i % 80 == 0 else rng.randbytes)(700 << 10), 8 if i % 80 == 0 else 0))\n"
        "class Pipe:\n"
        "    def __init__(self, f): self.f = f\n"
        "    def write(self, b): return self.f.write(b)\n"
        "    def flush(self): pass\n"
        "raw = open(path, 'wb')\n"
        "with zipfile.ZipFile(Pipe(raw) if kind == 'streamed' else raw, 'w') as z:\n"
        "    for name, data, method in entries:\n"
        "        info = zipfile.ZipInfo(name, (2024, 5, 6, 7, 8, 10))\n"
        "        info.compress_type = zipfile.ZIP_DEFLATED if method == 8 else zipfile.ZIP_STORED\n"
        "        z.writestr(info, data)\n"
        "raw.close()\n",
        {path.string(), kind});
    ASSERT_EQ(made.exitCode, 0) << made.output;
}

} // namespace

TEST(ZipRepair, RewrittenArchivesKeepTheirExactBytes)
{
    REQUIRE_TOOL("unzip");
    TempDir dir;
    // Digests of the repaired archives as this writer makes them: the way the output is
    // written (kernel copies, gathered small pieces, headers taken over from the input) must not
    // change a byte of it.
    struct Case {
        std::string kind;
        bool cut;
        std::string sha256;
    };
    const Case cases[] = {
        {"small", false, "0177aeb7f0690e3e44dc5c50d6b8a1ab82b7c6bcec8dc03ed13dbe9d77c3e5dd"},
        {"small", true, "3b2ce5188dfd2ac05f5f7ed76377e1bebeb2034039f7ea8f4ebda35bec5ae55b"},
        {"large", false, "49c2ef286667a40410b854a07c5b13a9c6283379a8ae7733245ca16b8a78fd3e"},
        {"large", true, "a0c5ce6e50556a056e768f345ac9ffddb9a4b15bb71fedf72f8d80ae577d18b8"},
        {"mixed", false, "eaeee86e82da011d3ad9bf2766108fb7a6d88375bd215cce6b595fd0caf30f6a"},
        {"mixed", true, "05fa0edc1a64731b6e137504a6505527a447a72d313db4c1244a8d7182b4a40c"},
        {"streamed", true, "53ce047c8ac3b8f87a662a539ce5931eed26e1a29d943280950cec52ccf4d3bd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + (c.cut ? " cut to 90 %" : ""));
        const fs::path whole = dir / (c.kind + ".zip");
        if (!fs::exists(whole))
            makeReproducibleZip(whole, c.kind);
        fs::path input = whole;
        if (c.cut) {
            const ByteBuffer bytes = readAll(whole);
            input = dir.write(c.kind + "-cut.zip", ByteBuffer(bytes.begin(), bytes.begin() + bytes.size() / 10 * 9));
        }
        const auto result = repairFile(input, Repair, true);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        EXPECT_EQ(sha256HexOfFile(result.output.path), c.sha256);
        ASSERT_EQ(result.artifacts.size(), 1u);
        EXPECT_EQ(readAll(result.artifacts[0].path), readAll(result.output.path));
        // Every entry checks out, but the one a cut ended inside, which stays as far as it goes
        // and keeps the CRC its header gives (streamed entries have none there), so that readers
        // see it is incomplete.
        const auto check = runPython("import sys, zipfile\n"
                                     "z, o = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[3])\n"
                                     "for i in z.infolist()[:-1 if sys.argv[2] == '1' else None]: z.read(i)\n"
                                     "last = z.infolist()[-1]\n"
                                     "if sys.argv[4] == '1': assert last.CRC == o.getinfo(last.filename).CRC, last.filename\n",
                                     {result.output.path, c.cut ? "1" : "0", whole.string(),
                                      c.kind == "streamed" ? "0" : "1"});
        EXPECT_EQ(check.exitCode, 0) << check.output;
        if (!c.cut) {
            const auto unzip = run("unzip -tqq " + quote(result.output.path));
            EXPECT_EQ(unzip.exitCode, 0) << unzip.output;
        }
        fs::remove(result.output.path);
        fs::remove(result.artifacts[0].path);
    }
}

TEST(ZipWriter, SoundEntriesAreCopiedAsOneStretchOfTheInput)
{
    TempDir dir;
    const auto path = dir / "small.zip";
    makeReproducibleZip(path, "small");
    ByteBuffer zip = readAll(path);
    const uint64_t directory = findBytes(zip, "PK\x01\x02", 0);
    // A stored entry whose header lost its CRC gets a fresh header; the entries around it stay
    // stretches of the input.
    uint64_t damaged = findBytes(zip, "PK\x03\x04", directory / 2);
    while (readLe16(zip, damaged + 8) != 0 || readLe32(zip, damaged + 18) == 0)
        damaged = findBytes(zip, "PK\x03\x04", damaged + 1);
    const uint64_t payload = damaged + 30 + readLe16(zip, damaged + 26);
    std::fill(zip.begin() + static_cast<std::ptrdiff_t>(damaged + 14), zip.begin() + static_cast<std::ptrdiff_t>(damaged + 18), 0);

    for (const bool withDamage : {false, true}) {
        SCOPED_TRACE(withDamage ? "one header rewritten" : "sound");
        const ByteBuffer input = withDamage ? zip : readAll(path);
        RepairResult report;
        OutputPieces pieces(input);
        writeZipArchive(readZipEntries(input, nullptr), "zip", report, pieces);
        const auto at = [&](size_t k) { return static_cast<uint64_t>(pieces.parts().at(k).data() - input.data()); };
        ASSERT_GE(pieces.parts().size(), 2u);
        EXPECT_EQ(at(0), 0u);
        if (!withDamage) {
            EXPECT_EQ(pieces.parts()[0].size(), directory);
            continue;
        }
        EXPECT_EQ(pieces.parts()[0].size(), damaged);
        EXPECT_EQ(pieces.parts()[1].size(), payload - damaged); // the fresh header
        EXPECT_EQ(at(2), payload);
        EXPECT_EQ(at(2) + pieces.parts()[2].size(), directory);
        const auto repaired = dir.write("repaired.zip", pieces.joined());
        EXPECT_EQ(run("unzip -tqq " + quote(repaired)).exitCode, 0);
    }
}

TEST(ZipRepair, DamagedHeadersAndPayloadsAreReportedAndSalvaged)
{
    TempDir dir;
    const auto original = dir / "base.zip";
    makeZip(original, "[('one.txt', 'first entry', 0), ('two.txt', 'second entry ' * 20, 0)]");
    const ByteBuffer zip = readAll(original);

    // Cut in the middle of the second payload.
    const uint64_t second = findBytes(zip, "PK\x03\x04", 1);
    const auto midCut = repairFile(dir.write("mid.zip", ByteBuffer(zip.begin(), zip.begin() + second + 60)));
    ASSERT_TRUE(midCut.outputWritten) << describe(midCut);
    EXPECT_TRUE(hasFindingStartingWith(midCut, "ZIP entry declared size crossed") || hasFindingStartingWith(midCut, "ZIP entry payload is truncated: two.txt"))
        << describe(midCut);
    const auto listing = runPython("import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1])\nprint(z.read('one.txt').decode())",
                                   {midCut.output.path});
    EXPECT_EQ(listing.output, "first entry\n");

    // Only cut headers: name length 0, then a signature within the last bytes.
    ByteBuffer headers = bytes(std::string("PK\x03\x04", 4) + std::string(26, '\0') + "junk" + std::string("PK\x03\x04", 4) + "xx");
    const auto none = repairFile(dir.write("headers.zip", headers));
    EXPECT_EQ(none.status.code, 44);
    EXPECT_TRUE(hasFindingStartingWith(none, "ZIP local file header is truncated"));
    EXPECT_TRUE(hasFindingStartingWith(none, "no recoverable ZIP entries were found"));

    const auto notZip = analyzeFile(dir.write("plain.zip", std::string("nothing")));
    EXPECT_EQ(notZip.status.code, 43);
}

TEST(ZipRepair, LongStoredEntriesCheckedAsideKeepTheirFindingsInOrder)
{
    // Stored entries from 16 KiB on are checked beside the walk, an entry longer than 4 MiB in
    // several pieces. The findings come in the walk's order all the same, and a sound entry of
    // many pieces is not taken for a damaged one. A wrong CRC in a header is found; where the
    // central directory vouches for the data, the CRC is mended, and where nothing does, the entry
    // keeps it, so that readers see the mismatch. The first entry holds an end-record signature:
    // cut before its directory, the archive has no end record whatever its data holds.
    TempDir dir;
    const auto original = dir / "mixed.zip";
    makeZip(original, "[('a.bin', b'PK\\x05\\x06' + bytes(range(256)) * 256, 0),"
                      " ('b.bin', __import__('random').Random(5).randbytes(9 << 20), 0),"
                      " ('c.txt', 'third ' * 100, 8), ('d.bin', bytes(20 << 10), 0), ('e.txt', 'small', 0)]");
    for (const bool cut : {false, true}) {
        ByteBuffer zip = readAll(original);
        if (cut)
            zip = cutBeforeCentralDirectory(zip);
        const auto header = [&](const std::string& name) {
            for (uint64_t at = findBytes(zip, "PK\x03\x04", 0); at != npos; at = findBytes(zip, "PK\x03\x04", at + 1)) {
                if (std::string(zip.begin() + static_cast<std::ptrdiff_t>(at + 30),
                                zip.begin() + static_cast<std::ptrdiff_t>(at + 30 + readLe16(zip, at + 26))) == name)
                    return at;
            }
            ADD_FAILURE() << name;
            return uint64_t{0};
        };
        zip[header("a.bin") + 14] ^= 0x55;               // CRC
        zip[header("c.txt") + 8] = 99;                   // compression method nobody knows
        zip[header("d.bin") + 17] ^= 0x01;               // CRC
        const auto input = dir.write(cut ? "damaged-cut.zip" : "damaged.zip", zip);

        std::vector<std::string> expected = {
            "ZIP stored entry CRC mismatch: a.bin",
            "ZIP entry uses an uncommon compression method preserved as-is: c.txt",
            "ZIP stored entry CRC mismatch: d.bin",
        };
        if (cut)
            expected.push_back("ZIP EOCD record is missing");
        for (const bool repair : {false, true}) {
            SCOPED_TRACE(std::string(repair ? "repair" : "analysis") + (cut ? " without directory" : ""));
            const auto result = repair ? repairFile(input) : analyzeFile(input);
            std::vector<std::string> messages;
            for (const auto& finding : result.findings) {
                messages.push_back(finding.message);
                if (finding.category == ChecksumMismatch) {
                    EXPECT_EQ(finding.repairable, !cut) << finding.message;
                }
            }
            EXPECT_EQ(messages, expected);
            if (!repair)
                continue;
            ASSERT_TRUE(result.outputWritten) << describe(result);
            // Python's zipfile checks each entry's CRC as it reads it; the bytes are the original's
            // either way.
            const auto check = runPython("import sys, zipfile\n"
                                         "a, b = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2])\n"
                                         "for n in ('a.bin', 'b.bin', 'd.bin', 'e.txt'):\n"
                                         "    bad = sys.argv[3] == '1' and n in ('a.bin', 'd.bin')\n"
                                         "    assert b.getinfo(n).CRC == a.getinfo(n).CRC ^ (n == 'a.bin' and bad) * 0x55 ^ (n == 'd.bin' and bad) * 0x01000000, n\n"
                                         "    with b.open(n) as f:\n"
                                         "        f._expected_crc = None\n"
                                         "        assert f.read() == a.read(n), n\n"
                                         "    try: b.read(n); assert not bad, n\n"
                                         "    except zipfile.BadZipFile: assert bad, n\n",
                                         {original.string(), result.output.path, cut ? "1" : "0"});
            EXPECT_EQ(check.exitCode, 0) << check.output;
        }
    }
}

TEST(ZipRepair, HostileDescriptorRunsStayLinear)
{
    // 31-byte headers with the descriptor bit and nothing else: every entry's boundary search
    // used to run over the rest of the file.
    ByteBuffer hostile;
    const std::string header = std::string("PK\x03\x04\x14\x00\x08\x00\x00\x00", 10) + std::string(16, '\0') +
                               std::string("\x01\x00\x00\x00", 4) + "n";
    while (hostile.size() < 6 * 1024 * 1024)
        appendString(hostile, header);
    RepairResult report;
    const auto entries = readZipEntries(hostile, nullptr);
    EXPECT_EQ(entries.size(), hostile.size() / header.size());
}

TEST(OoxmlRestore, ContentTypesAreBuiltFromThePartsPresent)
{
    TempDir dir;
    struct Case {
        std::string name;
        std::string parts;
        std::string mainType;
        std::vector<std::string> actions;
    };
    const std::string docxMain = "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
    const std::vector<Case> cases = {
        {"report.docx", without(kDocxParts, {"[Content_Types].xml"}), docxMain, {"restore-content-types"}},
        {"macro.docm", without(kDocxParts, {"[Content_Types].xml"}), "application/vnd.ms-word.document.macroEnabled.main+xml",
         {"restore-content-types"}},
        {"lost.docx", without(kDocxParts, {"[Content_Types].xml", "_rels/.rels", "word/document.xml"}), docxMain,
         {"restore-content-types", "restore-relationships", "restore-word-root"}},
        {"book.xlsx", "[('xl/styles.xml', '<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>', 8)]",
         "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml",
         {"restore-content-types", "restore-relationships", "restore-excel-workbook", "restore-excel-relationships",
          "restore-excel-sheet"}},
        {"show.pptx",
         "[('ppt/slides/slide1.xml', '<p:sld xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree/></p:cSld></p:sld>', 8)]",
         "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml",
         {"restore-content-types", "restore-relationships", "restore-ppt-presentation", "restore-ppt-relationships"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto input = dir / c.name;
        makeZip(input, c.parts);
        const auto result = repairFile(input);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        std::vector<std::string> restored;
        for (const auto& a : result.actions) {
            if (a.id.rfind("restore-", 0) == 0)
                restored.push_back(a.id);
        }
        EXPECT_EQ(restored, c.actions);
        const auto opc = checkOpc(result.output.path, c.mainType);
        EXPECT_EQ(opc.exitCode, 0) << opc.output;
        EXPECT_EQ(result.output.kind, "repaired-document");
    }
}

TEST(OoxmlRestore, MinimalPartsKeepTheirExactTextAndPresentationsAreComplete)
{
    std::vector<ZipEntry> entries;
    RepairResult report;
    restoreOoxmlParts(entries, "docx", report);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "[Content_Types].xml");
    EXPECT_EQ(text(entries[0].payload),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
              "content-types\"><Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
              "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/><Override PartName=\"/"
              "word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document."
              "main+xml\"/></Types>");
    EXPECT_EQ(entries[2].crc32, zipCrc32(entries[2].payload.data(), entries[2].payload.size()));
    EXPECT_EQ(entries[2].dosDate, 0u);

    std::vector<ZipEntry> show;
    restoreOoxmlParts(show, "ppsx", report);
    std::string presentation, slide;
    for (const auto& e : show) {
        if (e.name == "ppt/presentation.xml")
            presentation = text(e.payload);
        if (e.name == "ppt/slides/slide1.xml")
            slide = text(e.payload);
    }
    EXPECT_NE(presentation.find("<p:notesSz cx=\"6858000\" cy=\"9144000\"/>"), std::string::npos);
    EXPECT_NE(slide.find("<p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
                         "<p:grpSpPr/></p:spTree>"),
              std::string::npos);

    std::vector<ZipEntry> other;
    restoreOoxmlParts(other, "odt", report);
    EXPECT_TRUE(other.empty());
}

TEST(ZipRepair, FamiliesModesAndLegacyExtensions)
{
    TempDir dir;
    const auto legacy = dir / "old.doc";
    makeZip(legacy, "[('readme.txt', 'not a word body', 8)]");
    const auto analysis = analyzeFile(legacy);
    ASSERT_EQ(analysis.findings.size(), 1u) << describe(analysis);
    EXPECT_EQ(analysis.findings[0].message, "OOXML core part is missing: word/document.xml");
    const auto repaired = repairFile(legacy);
    EXPECT_EQ(fs::path(repaired.output.path).extension(), ".doc");

    const auto odt = dir / "text.odt";
    makeZip(odt, "[('content.xml', '<x/>', 8)]");
    const auto odtResult = repairFile(odt, Extract, true);
    EXPECT_FALSE(odtResult.outputWritten);
    EXPECT_TRUE(odtResult.previewWritten);
    EXPECT_EQ(odtResult.artifacts[0].kind, "document-preview");
    for (const auto& a : odtResult.actions)
        EXPECT_EQ(a.id, "rebuild-zip-directory");
}

namespace {

// A sound package written by tests/engine/document/zip_packages.py (see there for the forms).
void makePackage(const fs::path& path, const std::string& kind, const std::string& form)
{
    const auto made = run(python() + " " + quote(fs::path(KORVEX_SOURCE_DIR) / "tests/engine/document/zip_packages.py") +
                          " " + quote(path) + " " + kind + " " + form);
    ASSERT_EQ(made.exitCode, 0) << made.output;
}

std::vector<std::string> findingMessages(const RepairResult& result)
{
    std::vector<std::string> messages;
    for (const auto& finding : result.findings)
        messages.push_back(finding.message);
    return messages;
}

} // namespace

TEST(ZipRepair, SoundPackagesAreReportedSoundAndKeepEveryEntry)
{
    // Office packages as word processors, spreadsheet streamers and Python write them: sizes and
    // CRCs in the local headers, or in data descriptors of every form. None is damaged, so the
    // analysis finds nothing and the rewritten package has the same entries, sizes and CRCs.
    // Without its central directory the descriptors alone must tell the same.
    REQUIRE_TOOL("unzip");
    REQUIRE_TOOL("zipinfo");
    TempDir dir;
    for (const std::string kind : {"docx", "xlsx", "odt"}) {
        for (const std::string form : {"plain", "sig32", "forced64", "nosig32", "sig64", "nosig64"}) {
            SCOPED_TRACE(kind + " written " + form);
            const auto original = dir / (form + "." + kind);
            makePackage(original, kind, form);
            const auto analysis = analyzeFile(original);
            EXPECT_EQ(findingMessages(analysis), std::vector<std::string>{}) << describe(analysis);
            EXPECT_DOUBLE_EQ(analysis.confidence, 1.0);
            const auto result = repairFile(original);
            ASSERT_TRUE(result.outputWritten) << describe(result);
            EXPECT_EQ(findingMessages(result), std::vector<std::string>{});
            expectSameContents(original, result.output.path);
            if (form == "plain")
                continue;

            // Where the end record says the directory starts: the picture holds its signature too.
            const ByteBuffer whole = readAll(original);
            const uint64_t directory = readLe32(whole, rfindBytes(whole, "PK\x05\x06") + 16);
            const auto cut = dir.write(form + "-cut." + kind,
                                       ByteBuffer(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(directory)));
            const auto salvaged = repairFile(cut);
            ASSERT_TRUE(salvaged.outputWritten) << describe(salvaged);
            EXPECT_EQ(findingMessages(salvaged), std::vector<std::string>{"ZIP EOCD record is missing"});
            expectSameContents(original, salvaged.output.path);
        }
    }
    // The packages the other tests build, written on a file and through a pipe.
    for (const bool streaming : {false, true}) {
        SCOPED_TRACE(streaming ? "docx through a pipe" : "docx");
        const auto original = dir / (streaming ? "streamed.docx" : "report.docx");
        makeZip(original, kDocxParts, streaming);
        const auto analysis = analyzeFile(original);
        EXPECT_EQ(findingMessages(analysis), std::vector<std::string>{}) << describe(analysis);
        const auto result = repairFile(original);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        expectSameContents(original, result.output.path);
    }
    for (const std::string kind : {"small", "large", "mixed", "streamed"}) {
        SCOPED_TRACE(kind);
        const auto original = dir / (kind + ".zip");
        makeReproducibleZip(original, kind);
        const auto analysis = analyzeFile(original);
        EXPECT_EQ(findingMessages(analysis), std::vector<std::string>{}) << describe(analysis);
        const auto result = repairFile(original);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        expectSameContents(original, result.output.path);
    }
}

TEST(ZipRepair, StoredEntriesWhoseDataFailsItsCrcKeepItAndAreListedDamaged)
{
    // 4 KiB inserted inside a long stored entry (checked beside the walk) and 100 bytes
    // overwritten inside a short one (checked on the way): no record vouches for the data, so the
    // rewritten entries keep their recorded CRCs and readers see the damage; the entries around
    // them stay sound.
    REQUIRE_TOOL("unzip");
    TempDir dir;
    const auto original = dir / "stored.zip";
    makeZip(original, "[('before.txt', 'first ' * 300, 8), ('big.bin', __import__('random').Random(9).randbytes(2 << 20), 0),"
                      " ('small.bin', bytes(range(256)) * 32, 0), ('after.txt', 'last ' * 300, 8)]");
    ByteBuffer zip = readAll(original);
    const auto payload = [&](const std::string& name) {
        for (uint64_t at = findBytes(zip, "PK\x03\x04", 0); at != npos; at = findBytes(zip, "PK\x03\x04", at + 1)) {
            const uint64_t length = readLe16(zip, at + 26);
            if (text(ByteBuffer(zip.begin() + static_cast<std::ptrdiff_t>(at + 30),
                                zip.begin() + static_cast<std::ptrdiff_t>(at + 30 + length))) == name)
                return at + 30 + length + readLe16(zip, at + 28);
        }
        ADD_FAILURE() << name;
        return uint64_t{0};
    };
    const uint64_t small = payload("small.bin");
    std::fill(zip.begin() + static_cast<std::ptrdiff_t>(small + 4000), zip.begin() + static_cast<std::ptrdiff_t>(small + 4100), 0x5A);
    const uint64_t big = payload("big.bin");
    zip.insert(zip.begin() + static_cast<std::ptrdiff_t>(big + (1 << 20)), 4096, 0xA5);
    const auto input = dir.write("damaged.zip", zip);

    const auto result = repairFile(input);
    ASSERT_TRUE(result.outputWritten) << describe(result);
    std::vector<std::string> mismatches;
    for (const auto& finding : result.findings) {
        if (finding.category == ChecksumMismatch) {
            mismatches.push_back(finding.message);
            EXPECT_FALSE(finding.repairable) << finding.message;
        }
    }
    EXPECT_EQ(mismatches, (std::vector<std::string>{"ZIP stored entry CRC mismatch: big.bin",
                                                    "ZIP stored entry CRC mismatch: small.bin"}));
    ASSERT_EQ(result.notes.size(), 1u) << describe(result);
    EXPECT_NE(result.notes[0].find("big.bin, small.bin"), std::string::npos) << result.notes[0];

    const auto check = runPython("import sys, zipfile\n"
                                 "a, b = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2])\n"
                                 "for n in ('before.txt', 'after.txt'): assert a.read(n) == b.read(n), n\n"
                                 "for n in ('big.bin', 'small.bin'):\n"
                                 "    assert b.getinfo(n).CRC == a.getinfo(n).CRC, n\n"
                                 "    try: b.read(n); raise SystemExit(n + ' reads as sound')\n"
                                 "    except zipfile.BadZipFile: pass\n",
                                 {original.string(), result.output.path});
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const auto unzip = run("unzip -t " + quote(result.output.path));
    EXPECT_NE(unzip.exitCode, 0) << unzip.output;
    EXPECT_NE(unzip.output.find("big.bin"), std::string::npos);
    EXPECT_NE(unzip.output.find("bad CRC"), std::string::npos) << unzip.output;
}

TEST(ZipRepair, BytesBeforeThePackageAreReportedWithTheirLength)
{
    // A spreadsheet behind 137 bytes of something else: unzip calls them extra bytes; the analysis
    // names them, and the rewritten package starts with its first entry, every entry intact. The
    // central directory still counts from where the package started.
    REQUIRE_TOOL("unzip");
    TempDir dir;
    for (const std::string form : {"plain", "sig64"}) {
        SCOPED_TRACE(form);
        const auto original = dir / (form + ".xlsx");
        makePackage(original, "xlsx", form);
        ByteBuffer zip = readAll(original);
        zip.insert(zip.begin(), 137, 0x20);
        const auto input = dir.write(form + "-behind.xlsx", zip);
        const auto unzip = run("unzip -tq " + quote(input));
        EXPECT_NE(unzip.output.find("137 extra bytes"), std::string::npos) << unzip.output;

        const auto analysis = analyzeFile(input);
        ASSERT_EQ(analysis.findings.size(), 1u) << describe(analysis);
        EXPECT_EQ(analysis.findings[0].message, "garbage bytes before ZIP local file header");
        EXPECT_EQ(analysis.findings[0].offset, 0u);
        EXPECT_EQ(analysis.findings[0].length, 137u);
        EXPECT_LT(analysis.confidence, 1.0);

        const auto result = repairFile(input);
        ASSERT_TRUE(result.outputWritten) << describe(result);
        ASSERT_TRUE(hasAction(result, "trim-prefix"));
        EXPECT_EQ(findAction(result, "trim-prefix")->amount, 137u);
        expectSameContents(original, result.output.path);
        const auto clean = run("unzip -tq " + quote(result.output.path));
        EXPECT_EQ(clean.output.find("extra bytes"), std::string::npos) << clean.output;
    }
}
