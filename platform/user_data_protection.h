#pragma once

// User-scope protection of small secrets (a cache master key, an account refresh token).
//
// A protected value is sealed (XChaCha20-Poly1305) under a wrapping key that lives in a file only
// the current user can read: mode 0600 inside a 0700 folder of the user's data location. The
// user's id is bound into every sealed value, so a value copied to another account, or damaged,
// does not open. The wrapping key is created on first protection and never replaced: a key file
// that exists but cannot be read makes both operations fail instead.

#include <QByteArray>
#include <QString>

#include <optional>

namespace olm::repair::UserDataProtection {

// Seals `plain`. Returns the protected value, or an empty array on failure with the system error
// number in `errorCode` (when given).
QByteArray protect(const QByteArray& plain, int* errorCode = nullptr);

// Opens a value made by protect() for the same user. Nothing on failure (another user's value, a
// damaged value, no readable wrapping key), with the error number in `errorCode` (when given):
// ENOKEY when there is no wrapping key, EPERM for a key file others could read or that is not the
// user's own, EBADMSG for a value that does not open under the key.
std::optional<QByteArray> unprotect(const QByteArray& blob, int* errorCode = nullptr);

// The folder holding the wrapping key ("korvex-data-protection" in the user's data location).
QString keyFolderPath();

// The wrapping key file inside keyFolderPath().
QString keyFilePath();

} // namespace olm::repair::UserDataProtection
