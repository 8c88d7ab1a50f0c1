#pragma once

// The account's refresh token kept across runs, sealed for the current user by the platform's
// data protection, in the settings store; and the device fingerprint sent with every device
// registration. The access token is never stored anywhere.

#include <QString>

namespace olm::repair {

// Stateless: each operation opens its own settings object.
class RefreshTokenStore {
public:
    // Stores the token sealed; an empty token removes the stored one. False when sealing failed
    // (the stored value is then left as it was).
    bool storeProtectedRefreshToken(const QString& token) const;
    // The stored token; empty when there is none or it cannot be opened here (another user,
    // another key, damaged data), in which case the stored value is removed.
    QString loadProtectedRefreshToken() const;
    void removeProtectedRefreshToken() const;
};

// 64 lower-case hex digits: SHA-256 of "korvex.file_repair:" and the machine's identity, or of a
// random identity made once and kept in the settings when the system offers none.
QString deviceFingerprint();

} // namespace olm::repair
