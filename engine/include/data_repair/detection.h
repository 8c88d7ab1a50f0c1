#pragma once

#include <filesystem>
#include <string>

#include "data_repair/byte_buffer.h"
#include "data_repair/records.h"

namespace data_repair {

// Last extension of the path, without its dot, lower-cased (ASCII only); empty when none.
std::string lowerExtension(const std::filesystem::path& path);

bool isAudioExtension(const std::string& lowerExt);
bool isVideoExtension(const std::string& lowerExt);
bool isPhotoExtension(const std::string& lowerExt);
bool isDocumentExtension(const std::string& lowerExt);

bool isFtypStart(ByteView bytes);
bool hasM4aBrand(ByteView bytes);
bool isWaveStart(ByteView bytes);
bool isFlacStart(ByteView bytes);
bool isOggStart(ByteView bytes);
bool isGifStart(ByteView bytes);
bool isMpegAudioStart(ByteView bytes);
bool isAdtsStart(ByteView bytes);

bool hasPdfSignature(ByteView bytes);
bool hasRtfSignature(ByteView bytes);
bool hasOleSignature(ByteView bytes);
bool hasZipLikeStart(ByteView bytes);
bool hasPngSignature(ByteView bytes);
bool hasJpegSignature(ByteView bytes);
bool hasBmpSignature(ByteView bytes);
bool hasAviSignature(ByteView bytes);
bool hasEbmlSignature(ByteView bytes);
bool hasFlvSignature(ByteView bytes);
bool hasAsfSignature(ByteView bytes);
bool hasMpegPackSignature(ByteView bytes);
bool hasKlvSignature(ByteView bytes);

// The OLE compound file, PNG and ASF header signatures as byte strings, for searches.
ByteView oleSignature();
ByteView pngSignature();
ByteView asfHeaderGuid();

FileKind detectFileKind(const std::filesystem::path& path, ByteView bytes);
std::string detectFormatName(const std::filesystem::path& path, ByteView bytes);

} // namespace data_repair
