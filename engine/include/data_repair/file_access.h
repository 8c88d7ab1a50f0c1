#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sys/types.h>
#include <span>
#include <string>
#include <vector>

#include "data_repair/byte_buffer.h"

namespace data_repair {

// Error texts of the file functions.
inline constexpr const char* kErrOpenInput = "failed to open input file";
inline constexpr const char* kErrInputSize = "failed to read input size";
inline constexpr const char* kErrInputTooLarge = "input file is too large to read";
inline constexpr const char* kErrShortRead = "failed to read input file completely";
inline constexpr const char* kErrOpenOutput = "failed to open output file";
inline constexpr const char* kErrWriteOutput = "failed to write output file";
inline constexpr const char* kErrOutputExists = "output file already exists";
inline constexpr const char* kErrNoFreeName = "no free output file name";
inline constexpr const char* kErrOutputIsSource = "output path names the input or sample file";
inline constexpr const char* kErrCopy = "failed to copy file";

// Reads a regular file (symlinks followed) whole. Anything else fails at once with
// "failed to open input file". A read that ends early keeps the bytes read and sets
// "failed to read input file completely"; callers treat only an empty result with an error
// text as a read failure. The error text is assigned only on failure.
ByteBuffer readFile(const std::filesystem::path& path, std::string* error);

// A whole input file held read-only: the file mapped into memory where it can be (no copy, no
// memory of the process's own), else read into a buffer as readFile reads it. A file that shrinks
// while mapped (or a medium that fails under it) never kills the process: the lost pages read as
// zeros and shrankWhileMapped() tells so. Movable, not copyable; bytes() stays valid until the
// owner is destroyed.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::span<const uint8_t> bytes() const { return {data_, size_}; }
    bool shrankWhileMapped() const;
    // The file was cut short, or written to, since it was opened (its size or modification time
    // moved): the bytes may mix two versions of it. Renaming or deleting it changes nothing.
    bool changedWhileOpen() const;

private:
    friend InputFile openInputFile(const std::filesystem::path& path, std::string* error);
    void release();

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    int mappingSlot_ = -1; // while mapped
    ByteBuffer buffer_;    // where the file could not be mapped
    int fd_ = -1;          // the file as opened, asked again whether it changed
    uint64_t openedSize_ = 0;
    int64_t openedModifiedSeconds_ = 0;
    int64_t openedModifiedNanoseconds_ = 0;
};

// Reads an input window by window through one buffer of its own, for scans of large stretches.
// Where the input is a mapped file (openInputFile), the windows are read from the file: on some
// systems first touching the pages of a mapping costs several times reading them, and pages never
// touched are never held by the process. Otherwise, the windows are views of the bytes. The bytes
// are the same either way (a page lost while mapped reads as zeros, as through the mapping).
class InputWindow {
public:
    explicit InputWindow(ByteView input, uint64_t window = uint64_t{1} << 20);
    // Another window on the source's input, read the same way; unlike the first, it may be made
    // and used on any thread.
    InputWindow(const InputWindow& source, uint64_t window);
    ~InputWindow();
    InputWindow(const InputWindow&) = delete;
    InputWindow& operator=(const InputWindow&) = delete;

    // Bytes [pos, pos + length) of the input, cut at its end: valid until the next call. A length
    // above the window size makes the buffer that large.
    ByteView view(uint64_t pos, uint64_t length);
    uint64_t size() const { return input_.size(); }
    uint64_t windowSize() const { return window_; }

private:
    ByteView input_;
    uint64_t window_;
    int fd_ = -1;        // the mapped file, where the windows are read from it
    ByteBuffer buffer_;
    uint64_t start_ = 0; // input position of buffer_[0]
    uint64_t filled_ = 0;
};

// Opens a regular file (symlinks followed) as readFile does, with the same errors: anything else
// fails at once with "failed to open input file"; an empty file gives empty bytes and no error.
// Where the file is read rather than mapped, a read that ends early keeps the bytes read and sets
// "failed to read input file completely", and a file larger than half the memory is refused. The
// bytes count as the file as read for InputSource (see ReadScope) while the owner lives.
InputFile openInputFile(const std::filesystem::path& path, std::string* error);

// Bounds the time a whole-file read counts as the file's content for InputSource: the reads this
// thread made are forgotten when the scope starts and when it ends, so a later buffer that happens
// to sit where a freed one was is never taken for a file. Every engine entry runs in one.
class ReadScope {
public:
    ReadScope();
    ~ReadScope();
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;
};
// Reads at most maxBytes from the start of a regular file.
ByteBuffer readFileHead(const std::filesystem::path& path, uint64_t maxBytes, std::string* error);

// Writes the whole buffer; creates the parent folder chain. The data goes to a temporary file
// beside the destination that takes the destination's name only once complete (see
// output_stage.h: inside an engine operation, once the operation succeeds). With
// replaceExisting it then replaces what is there; without it an existing file (or dangling link)
// is never touched and the write fails with "output file already exists". A failed write
// (EFBIG from a file-size limit included) leaves no file behind.
bool writeFile(const std::filesystem::path& path, const ByteBuffer& bytes, std::string* error,
               bool replaceExisting = true);
// Views into buffers held elsewhere, written one after the other as one file: a long stretch of
// an input goes out as it is, without being copied into an output buffer first.
using ByteParts = std::vector<std::span<const uint8_t>>;
// The input a repair read whole with readFile or openInputFile. Parts that lie inside `bytes` are
// copied from the file to the output inside the kernel (copy_file_range, as cp does) while the
// file is still the one that was read (same file, size and modification time); otherwise, and
// where the file systems cannot copy that way, they are written from memory. `bytes` must be the
// buffer readFile returned, unchanged, or the bytes of the InputFile.
struct InputSource {
    std::filesystem::path path;
    std::span<const uint8_t> bytes;
    // A file this run wrote from the same parts (a preview copy): cloned instead, sharing its
    // blocks, where the file system can (FICLONE) and the file still has the parts' size.
    std::filesystem::path sameBytes;
};
bool writeFile(const std::filesystem::path& path, const ByteParts& parts, std::string* error,
               bool replaceExisting = true, const InputSource* source = nullptr);
// Parts shorter than 64 KiB are gathered and written together through one buffer of at most this
// many bytes per output; longer parts go out on their own.
inline constexpr uint64_t kOutputGatherBytes = uint64_t{4} << 20;
bool writeTextFile(const std::filesystem::path& path, const std::string& text, std::string* error,
                   bool replaceExisting = true);
// Copies a regular file the same way: the copy is made under a temporary name and moved into
// place once complete, so an existing destination is touched only by a finished copy, and a link
// at the destination is replaced itself, never written through. The error is the system's
// message for the failure, or "failed to copy file".
bool copyFile(const std::filesystem::path& source, const std::filesystem::path& destination,
              bool overwrite, std::string* error);
uint64_t regularFileSize(const std::filesystem::path& path);
// True when something (a file, folder or any link, dangling or not) stands at the path, or an
// output of the running operation waits to be moved there.
bool pathTaken(const std::filesystem::path& path);
// True when both paths exist and name the same file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

std::string outputStem(const std::filesystem::path& path);
// The candidate when overwrite is set or it is free, else the first free "<stem>_<n><ext>"
// (n = 1..9999); an empty path when every name is taken.
std::filesystem::path nextFreeOutputPath(const std::filesystem::path& candidate, bool overwrite);
std::filesystem::path buildOutputPath(const std::string& inputPath, const std::string& outputDirectory,
                                      const std::string& explicitOutputPath, const std::string& suffix,
                                      const std::string& extension, bool overwrite);

namespace detail {
// The write(2) every output goes through; replaceable so that tests can see how it is written.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t length);
extern WriteFunction writeOut;
// The in-kernel copy the writer uses (copy_file_range(2)); replaceable so that the fallback to
// plain writes can be exercised.
using CopyRangeFunction = ssize_t (*)(int in, off_t* inOffset, int out, off_t* outOffset, size_t length,
                                      unsigned flags);
extern CopyRangeFunction copyRange;
// Makes the file open at `out` share the blocks of the one at `in` (ioctl FICLONE); 0 on success.
using CloneFunction = int (*)(int out, int in);
extern CloneFunction cloneFile;
// The mmap(2) that maps input files; replaceable so that the fallback to reading can be exercised.
using MapFunction = void* (*)(void* address, size_t length, int protection, int flags, int fd, off_t offset);
extern MapFunction mapFile;
} // namespace detail

bool matchesGlob(const std::string& pattern, const std::string& name);
std::string toLowerAscii(std::string text);

} // namespace data_repair
