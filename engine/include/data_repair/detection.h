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

bool isFtypStart(const ByteBuffer& bytes);
bool hasM4aBrand(const ByteBuffer& bytes);
bool isWaveStart(const ByteBuffer& bytes);
bool isFlacStart(const ByteBuffer& bytes);
bool isOggStart(const ByteBuffer& bytes);
bool isGifStart(const ByteBuffer& bytes);
bool isMpegAudioStart(const ByteBuffer& bytes);
bool isAdtsStart(const ByteBuffer& bytes);

bool hasPdfSignature(const ByteBuffer& bytes);
bool hasRtfSignature(const ByteBuffer& bytes);
bool hasOleSignature(const ByteBuffer& bytes);
bool hasZipLikeStart(const ByteBuffer& bytes);
bool hasPngSignature(const ByteBuffer& bytes);
bool hasJpegSignature(const ByteBuffer& bytes);
bool hasBmpSignature(const ByteBuffer& bytes);
bool hasAviSignature(const ByteBuffer& bytes);
bool hasEbmlSignature(const ByteBuffer& bytes);
bool hasFlvSignature(const ByteBuffer& bytes);
bool hasAsfSignature(const ByteBuffer& bytes);
bool hasMpegPackSignature(const ByteBuffer& bytes);
bool hasKlvSignature(const ByteBuffer& bytes);

// The OLE compound file, PNG and ASF header signatures as byte strings, for searches.
const ByteBuffer& oleSignature();
const ByteBuffer& pngSignature();
const ByteBuffer& asfHeaderGuid();

FileKind detectFileKind(const std::filesystem::path& path, const ByteBuffer& bytes);
std::string detectFormatName(const std::filesystem::path& path, const ByteBuffer& bytes);

} // namespace data_repair
