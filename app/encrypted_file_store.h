#pragma once

// Sealed storage of repaired results between the repair and the user's save.
//
// A "SecureContainer" file (a task's "result.drcache" and "preview.drcache"), little-endian:
//   "KRVXSEC2" | int16 version 2 | int32 chunk size 4194304 | int64 plain size | uint32 24 | 24-byte nonce
// followed by max(1, ceil(plain size / chunk size)) records {int32 n, 16-byte tag, n bytes}. Each
// chunk is sealed with incremental XChaCha20-Poly1305 under a per-file key (keyed BLAKE2b of the
// nonce under the user's master key) with the 50 header bytes, its index and its length as
// associated data, so chunks cannot be reordered, cut, extended or moved between containers.

#include "common/ui_text.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace olm::repair::EncryptedFileStore {

inline constexpr char kMagic[] = "KRVXSEC2";
inline constexpr qint16 kVersion = 2;
inline constexpr qint32 kChunkSize = 4194304;
inline constexpr quint32 kNonceSize = 24;
inline constexpr qint64 kHeaderSize = 50;
inline constexpr qint64 kRecordHeaderSize = 20;

// Master-key store, in "security" under the writable application configuration location.
inline constexpr char kMasterKeyFileName[] = "temporary-result-key.ini";
inline constexpr char kMasterKeyLockFileName[] = "temporary-result-master-key.lock";
inline constexpr char kMasterKeySetting[] = "security/temporaryResultMasterKeyV1";

// Told the plain bytes sealed so far and the total after each chunk; false stops the sealing.
using SealProgress = std::function<bool(qint64 done, qint64 total)>;

// What one sealing wrote: the container's length and the tag of its last record. Every container
// has its own nonce and so its own file key, so no other container (another task's, sealed under
// the same master key) ends in the same tag; a sealed result is opened only against its own.
struct SealedContainer {
    qint64 size = -1;
    QByteArray lastTag;

    bool isEmpty() const { return size < 0; }
};

// Seals the plain file at `sourcePath` into a new container at `containerPath` (replaced
// atomically; its folder must exist). On failure (or when `progress` stops it) returns false, sets
// `error` when given (naming a full cache disk or the file-size limit), and leaves the target untouched. On success `sealed` (when given) describes
// the container written.
bool encryptFile(const QString& sourcePath, const QString& containerPath, UiText* error = nullptr,
                 SealedContainer* sealed = nullptr, const SealProgress& progress = {});

// Opens the container and writes the plain file to `outputPath` (atomically, folder created, mode
// 0600). With `expectedSeal`, a container of another length or whose last record carries another tag is
// refused (nothing written). A path that is no regular file fails at once. On failure returns false,
// sets `error` when given, and never leaves a partial output. `progress`, when given, is told the
// plain bytes written after each chunk; false stops the decryption (a failure). A full disk or the
// file-size limit is named in the error.
bool decryptFile(const QString& containerPath, const QString& outputPath, UiText* error = nullptr,
                 const SealedContainer* expectedSeal = nullptr, const SealProgress& progress = {});

// True once after the stored master key, which could no longer be opened and protected no sealed
// result, was replaced by a new one; the caller tells the user.
bool takeMasterKeyReplacedNotice();

} // namespace olm::repair::EncryptedFileStore
