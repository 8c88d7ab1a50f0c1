#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data_repair/detection.h"
#include "document/document_formats.h"

using namespace data_repair;

// Every name a table entry goes by is one detection hands to the document engine (a .zip as an
// archive, which the same engine repairs), and no name belongs to two entries: the extension
// rules then never depend on which entry the table lists first.
TEST(DocumentTable, EntryNamesAreDocumentsAndBelongToOneEntry)
{
    const ByteBuffer noSignature(64, ' ');
    std::set<std::string_view> seen;
    for (const DocumentFormat& format : documentFormats()) {
        for (ExtensionList list : format.extensions) {
            for (std::string_view ext : list) {
                const FileKind kind = detectFileKind("/x/a." + std::string(ext), noSignature);
                EXPECT_TRUE(kind == Document || kind == Archive) << format.name << " ." << ext;
                EXPECT_TRUE(seen.insert(ext).second) << "." << ext << " named twice";
            }
        }
    }
}
