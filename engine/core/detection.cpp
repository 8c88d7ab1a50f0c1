#include "data_repair/detection.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "data_repair/file_access.h"
#include "data_repair/format_extensions.h"

namespace data_repair {

namespace {

bool byteIn(uint8_t value, std::initializer_list<uint8_t> set)
{
    return std::find(set.begin(), set.end(), value) != set.end();
}

// Any three 0x47 bytes on one 188-byte grid starting in the first packet.
bool transportStreamGrid(ByteView b)
{
    const uint64_t n = b.size();
    const uint64_t starts = std::min<uint64_t>(n, 188);
    for (uint64_t i = 0; i < starts; ++i) {
        if (b[i] != 0x47)
            continue;
        int count = 0;
        for (uint64_t p = i; p < n; p += 188) {
            if (b[p] == 0x47 && ++count >= 3)
                return true;
        }
    }
    return false;
}

// Three consecutive 188-byte packets.
bool transportStreamPackets(ByteView b)
{
    for (uint64_t i = 0; i < 188; ++i) {
        if (fits(b, i + 376, 1) && b[i] == 0x47 && b[i + 188] == 0x47 && b[i + 376] == 0x47)
            return true;
    }
    return false;
}

bool containsUtf16Name(ByteView b, std::string_view name)
{
    ByteBuffer needle;
    for (char c : name) {
        needle.push_back(static_cast<uint8_t>(c));
        needle.push_back(0);
    }
    return findBytes(b, needle, 0) != npos;
}

} // namespace

std::string lowerExtension(const std::filesystem::path& path)
{
    std::string ext = pathToUtf8(path.extension());
    if (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    return toLowerAscii(ext);
}

bool isAudioExtension(const std::string& e) { return isListedIn(extensions::kAudioKind, e); }
bool isVideoExtension(const std::string& e) { return isListedIn(extensions::kVideoKind, e); }
bool isPhotoExtension(const std::string& e) { return isListedIn(extensions::kPhotoKind, e); }
bool isDocumentExtension(const std::string& e) { return isListedIn(extensions::kDocumentKind, e); }

bool isFtypStart(ByteView b) { return b.size() >= 12 && matchesAt(b, 4, "ftyp"); }

bool hasM4aBrand(ByteView b)
{
    if (!isFtypStart(b))
        return false;
    for (uint64_t pos = 8; pos <= 60 && fits(b, pos, 4); pos += 4) {
        if (matchesAt(b, pos, "M4A ") || matchesAt(b, pos, "M4B "))
            return true;
    }
    return false;
}

bool isWaveStart(ByteView b) { return b.size() >= 12 && matchesAt(b, 0, "RIFF") && matchesAt(b, 8, "WAVE"); }
bool isFlacStart(ByteView b) { return matchesAt(b, 0, "fLaC"); }
bool isOggStart(ByteView b) { return matchesAt(b, 0, "OggS"); }
bool isGifStart(ByteView b) { return matchesAt(b, 0, "GIF87a") || matchesAt(b, 0, "GIF89a"); }

bool isMpegAudioStart(ByteView b)
{
    if (matchesAt(b, 0, "ID3"))
        return true;
    if (b.size() < 4 || b[0] != 0xFF || (b[1] & 0xE0) != 0xE0)
        return false;
    if ((b[1] & 0x18) == 0x08 || (b[1] & 0x06) == 0)
        return false;
    const int bitrate = b[2] >> 4;
    return bitrate != 0 && bitrate != 15 && ((b[2] >> 2) & 3) != 3;
}

bool isAdtsStart(ByteView b)
{
    if (b.size() < 7 || b[0] != 0xFF || (b[1] & 0xF6) != 0xF0)
        return false;
    if (((b[2] >> 2) & 0x0F) == 15)
        return false;
    const unsigned length = ((b[3] & 3u) << 11) | (static_cast<unsigned>(b[4]) << 3) | (b[5] >> 5);
    return length >= 7;
}

ByteView oleSignature()
{
    static const ByteBuffer sig{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    return sig;
}

ByteView pngSignature()
{
    static const ByteBuffer sig{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    return sig;
}

ByteView asfHeaderGuid()
{
    static const ByteBuffer sig{0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    return sig;
}

bool hasPdfSignature(ByteView b) { return matchesAt(b, 0, "%PDF-"); }
bool hasRtfSignature(ByteView b) { return matchesAt(b, 0, "{\\rtf"); }
bool hasOleSignature(ByteView b) { return matchesAt(b, 0, oleSignature()); }

bool hasZipLikeStart(ByteView b)
{
    return b.size() >= 4 && b[0] == 'P' && b[1] == 'K' && byteIn(b[2], {3, 5, 7}) && byteIn(b[3], {4, 6, 8});
}

bool hasPngSignature(ByteView b) { return matchesAt(b, 0, pngSignature()); }
bool hasJpegSignature(ByteView b) { return b.size() >= 2 && b[0] == 0xFF && b[1] == 0xD8; }
bool hasBmpSignature(ByteView b) { return matchesAt(b, 0, "BM"); }
bool hasAviSignature(ByteView b) { return b.size() >= 12 && matchesAt(b, 0, "RIFF") && matchesAt(b, 8, "AVI "); }
bool hasEbmlSignature(ByteView b) { return matchesAt(b, 0, ByteBuffer{0x1A, 0x45, 0xDF, 0xA3}); }
bool hasFlvSignature(ByteView b) { return matchesAt(b, 0, "FLV"); }
bool hasAsfSignature(ByteView b) { return matchesAt(b, 0, asfHeaderGuid()); }
bool hasMpegPackSignature(ByteView b) { return matchesAt(b, 0, ByteBuffer{0x00, 0x00, 0x01, 0xBA}); }
bool hasKlvSignature(ByteView b) { return matchesAt(b, 0, ByteBuffer{0x06, 0x0E, 0x2B, 0x34}); }

FileKind detectFileKind(const std::filesystem::path& path, ByteView b)
{
    const std::string ext = lowerExtension(path);
    if (hasPdfSignature(b) || hasOleSignature(b) || hasRtfSignature(b))
        return Document;
    if (hasZipLikeStart(b))
        return isDocumentExtension(ext) ? Document : Archive;
    if (hasPngSignature(b) || hasJpegSignature(b) || isGifStart(b) || hasBmpSignature(b))
        return Photo;
    if (isWaveStart(b) || isFlacStart(b) || isMpegAudioStart(b) || isAdtsStart(b) || isOggStart(b))
        return Audio;
    if (isFtypStart(b)) {
        if (ext == "m4a" || hasM4aBrand(b))
            return Audio;
        return ext == "cr3" ? Photo : Video;
    }
    if (isAudioExtension(ext))
        return Audio;
    if (isVideoExtension(ext))
        return Video;
    if (isPhotoExtension(ext))
        return Photo;
    if (isDocumentExtension(ext) || isListed(extensions::kText, ext))
        return Document;
    if (isListed(extensions::kZip, ext))
        return Archive;
    if (hasAviSignature(b) || hasEbmlSignature(b) || hasFlvSignature(b) || hasAsfSignature(b) ||
        hasMpegPackSignature(b) || hasKlvSignature(b))
        return Video;
    if (transportStreamGrid(b))
        return Video;
    return Unknown;
}

std::string detectFormatName(const std::filesystem::path& path, ByteView b)
{
    const std::string ext = lowerExtension(path);
    if (hasPdfSignature(b))
        return "pdf";
    if (hasRtfSignature(b))
        return "rtf";
    if (hasZipLikeStart(b))
        return isDocumentExtension(ext) ? ext : "zip";
    if (hasOleSignature(b)) {
        if (isDocumentExtension(ext))
            return ext;
        if (containsUtf16Name(b, "WordDocument"))
            return "doc";
        if (containsUtf16Name(b, "Workbook") || containsUtf16Name(b, "Book"))
            return "xls";
        if (containsUtf16Name(b, "PowerPoint Document"))
            return "ppt";
        return "doc";
    }
    if (hasPngSignature(b))
        return "png";
    if (isGifStart(b))
        return "gif";
    if (hasBmpSignature(b))
        return "bmp";
    if (hasJpegSignature(b))
        return ext == "jpeg" ? "jpeg" : "jpg";
    if (isWaveStart(b))
        return "wav";
    if (isFlacStart(b))
        return "flac";
    if (isMpegAudioStart(b))
        return "mp3";
    if (isAdtsStart(b))
        return "aac";
    if (isOggStart(b))
        return "ogg";
    if (isFtypStart(b)) {
        if (ext == "m4a" || hasM4aBrand(b))
            return "m4a";
        if (ext == "cr3")
            return "cr3";
        return isVideoExtension(ext) ? ext : "mp4";
    }
    if (!ext.empty())
        return ext;
    switch (detectFileKind(path, b)) {
    case Photo:
        return hasJpegSignature(b) ? "jpg" : "png";
    case Document:
        return "pdf";
    case Archive:
        return "zip";
    case Audio:
        if (isWaveStart(b))
            return "wav";
        if (isFlacStart(b))
            return "flac";
        if (isMpegAudioStart(b))
            return "mp3";
        if (isAdtsStart(b))
            return "aac";
        return "mp3";
    case Video:
        if (b.size() >= 12 && matchesAt(b, 0, "RIFF"))
            return "avi";
        if (hasEbmlSignature(b))
            return "mkv";
        if (hasFlvSignature(b))
            return "flv";
        if (hasAsfSignature(b))
            return "asf";
        if (hasMpegPackSignature(b))
            return "mpeg";
        if (hasKlvSignature(b))
            return "mxf";
        if (transportStreamPackets(b))
            return "ts";
        return "mp4";
    default:
        return "unknown";
    }
}

} // namespace data_repair
