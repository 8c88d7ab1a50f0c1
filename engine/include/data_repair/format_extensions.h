#pragma once

// The file-name extensions each format goes by (lower case, without the dot), written once.
// The family tables name them for their formats; detection, batch repair and the application
// read the same lists. They sit at the bottom layer because detection, below the families,
// needs them too.

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace data_repair {

using ExtensionList = std::span<const std::string_view>;

inline bool isListed(ExtensionList list, std::string_view ext)
{
    return std::find(list.begin(), list.end(), ext) != list.end();
}

namespace extensions {

// Photo
inline constexpr std::array<std::string_view, 2> kJpeg{"jpg", "jpeg"};
inline constexpr std::array<std::string_view, 1> kPng{"png"};
inline constexpr std::array<std::string_view, 1> kGif{"gif"};
inline constexpr std::array<std::string_view, 1> kBmp{"bmp"};
inline constexpr std::array<std::string_view, 11> kTiffRaw{"cr3", "cr2", "nef", "nrw", "raf", "dng",
                                                           "arw", "gpr", "tif", "tiff", "crw"};

// Audio
inline constexpr std::array<std::string_view, 1> kMp3{"mp3"};
inline constexpr std::array<std::string_view, 1> kAac{"aac"};
inline constexpr std::array<std::string_view, 1> kFlac{"flac"};
inline constexpr std::array<std::string_view, 1> kOgg{"ogg"};
inline constexpr std::array<std::string_view, 1> kWav{"wav"};
inline constexpr std::array<std::string_view, 1> kM4a{"m4a"};

// Video
inline constexpr std::array<std::string_view, 5> kIsoMedia{"mp4", "mov", "m4v", "3gp", "insv"};
inline constexpr std::array<std::string_view, 1> kAvi{"avi"};
inline constexpr std::array<std::string_view, 1> kFlv{"flv"};
inline constexpr std::array<std::string_view, 1> kMatroska{"mkv"};
inline constexpr std::array<std::string_view, 3> kAsf{"asf", "wmv", "wma"};
inline constexpr std::array<std::string_view, 3> kTransportStream{"mts", "m2ts", "ts"};
inline constexpr std::array<std::string_view, 2> kProgramStream{"mpeg", "mpg"};
inline constexpr std::array<std::string_view, 2> kKlv{"mxf", "klv"};
inline constexpr std::array<std::string_view, 1> kRawStream{"rsv"};

// Document
inline constexpr std::array<std::string_view, 4> kText{"txt", "csv", "xml", "json"};
inline constexpr std::array<std::string_view, 1> kPdf{"pdf"};
inline constexpr std::array<std::string_view, 1> kRtf{"rtf"};
inline constexpr std::array<std::string_view, 7> kOfficeBinary{"doc", "dot", "xls", "xlt", "ppt", "pps", "pot"};
inline constexpr std::array<std::string_view, 13> kOfficeOpenXml{"docx", "docm", "dotx", "dotm", "xlsx",
                                                                 "xlsm", "xltx", "xltm", "pptx", "pptm",
                                                                 "ppsx", "potx", "potm"};
// Zip packages counted as documents that no document format claims by name: only their
// content routes them.
inline constexpr std::array<std::string_view, 6> kOtherPackages{"odt", "ods", "odp", "pages", "numbers", "key"};
inline constexpr std::array<std::string_view, 1> kZip{"zip"};

// Which application an Office file belongs to, binary and Open XML alike.
inline constexpr std::array<std::string_view, 6> kWord{"doc", "docx", "docm", "dot", "dotx", "dotm"};
inline constexpr std::array<std::string_view, 6> kExcel{"xls", "xlsx", "xlsm", "xlt", "xltx", "xltm"};
inline constexpr std::array<std::string_view, 8> kPowerPoint{"ppt", "pptx", "pptm", "pps", "ppsx",
                                                             "pot", "potx", "potm"};

// The lists that make up each kind's extensions.
inline constexpr std::array<ExtensionList, 5> kPhotoKind{kJpeg, kPng, kGif, kBmp, kTiffRaw};
inline constexpr std::array<ExtensionList, 6> kAudioKind{kMp3, kAac, kFlac, kOgg, kWav, kM4a};
inline constexpr std::array<ExtensionList, 9> kVideoKind{kIsoMedia,       kAvi,           kFlv,
                                                         kMatroska,       kAsf,           kTransportStream,
                                                         kProgramStream,  kKlv,           kRawStream};
// Text files are documents too, but a kind test of their own (they have no signature).
inline constexpr std::array<ExtensionList, 5> kDocumentKind{kPdf, kRtf, kOfficeBinary, kOfficeOpenXml,
                                                            kOtherPackages};

} // namespace extensions

// A format or kind that goes by several lists.
using ExtensionSets = std::span<const ExtensionList>;

inline bool isListedIn(ExtensionSets lists, std::string_view ext)
{
    return std::any_of(lists.begin(), lists.end(), [&](ExtensionList list) { return isListed(list, ext); });
}

} // namespace data_repair
