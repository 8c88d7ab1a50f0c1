#include <gtest/gtest.h>

#include <set>
#include <string>

#include "data_repair/detection.h"
#include "data_repair/format_extensions.h"
#include "media/audio_formats.h"
#include "media/mp4_video.h"

using namespace data_repair;

namespace {

size_t namesIn(ExtensionSets lists)
{
    size_t n = 0;
    for (ExtensionList list : lists)
        n += list.size();
    return n;
}

} // namespace

// Every name an audio table entry goes by is one detection hands to the audio engine, every
// audio name belongs to an entry, and to one only.
TEST(AudioTable, EntryNamesAreAudioAndBelongToOneEntry)
{
    const ByteBuffer noSignature(64, ' ');
    std::set<std::string_view> seen;
    for (const AudioFormat& format : audioFormats()) {
        for (ExtensionList list : format.extensions) {
            for (std::string_view ext : list) {
                EXPECT_EQ(detectFileKind("/x/a." + std::string(ext), noSignature), Audio)
                    << format.name << " ." << ext;
                EXPECT_TRUE(seen.insert(ext).second) << "." << ext << " named twice";
            }
        }
    }
    EXPECT_EQ(seen.size(), namesIn(extensions::kAudioKind));
}

// A file with no signature goes by its name: every video extension is detected as video and
// chooses its own container, except a bare .avi, which AVI claims only by its RIFF header.
TEST(VideoTable, EachExtensionChoosesItsContainer)
{
    struct Case {
        ExtensionList names;
        VideoContainer container;
    };
    const Case cases[] = {
        {extensions::kIsoMedia, VideoContainer::Iso},
        {extensions::kFlv, VideoContainer::Flv},
        {extensions::kMatroska, VideoContainer::Matroska},
        {extensions::kAsf, VideoContainer::Asf},
        {extensions::kTransportStream, VideoContainer::TransportStream},
        {extensions::kProgramStream, VideoContainer::ProgramStream},
        {extensions::kKlv, VideoContainer::Klv},
        {extensions::kRawStream, VideoContainer::Raw},
        {extensions::kAvi, VideoContainer::Iso},
    };
    const ByteBuffer noSignature(64, ' ');
    std::set<std::string_view> seen;
    for (const Case& c : cases) {
        for (std::string_view ext : c.names) {
            const std::string path = "/x/a." + std::string(ext);
            EXPECT_EQ(detectFileKind(path, noSignature), Video) << ext;
            EXPECT_EQ(chooseVideoContainer(path, noSignature).container, c.container) << ext;
            EXPECT_TRUE(seen.insert(ext).second) << "." << ext << " named twice";
        }
    }
    EXPECT_EQ(seen.size(), namesIn(extensions::kVideoKind)); // every video name is covered
}
