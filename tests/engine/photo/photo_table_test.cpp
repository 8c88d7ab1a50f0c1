#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data_repair/detection.h"
#include "photo/photo_formats.h"

using namespace data_repair;

// Every name a table entry goes by is one detection hands to the photo engine, every photo
// name belongs to an entry, and to one only.
TEST(PhotoTable, EntryNamesArePhotosAndBelongToOneEntry)
{
    const ByteBuffer noSignature(64, ' ');
    std::set<std::string_view> seen;
    for (const PhotoFormat& format : photoFormats()) {
        for (ExtensionList list : format.extensions) {
            for (std::string_view ext : list) {
                EXPECT_EQ(detectFileKind("/x/a." + std::string(ext), noSignature), Photo)
                    << format.name << " ." << ext;
                EXPECT_TRUE(seen.insert(ext).second) << "." << ext << " named twice";
            }
        }
    }
    size_t photoNames = 0;
    for (ExtensionList list : extensions::kPhotoKind)
        photoNames += list.size();
    EXPECT_EQ(seen.size(), photoNames);
}
