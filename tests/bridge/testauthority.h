// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// A certificate authority made for one test, and a server certificate it
// signed for localhost and 127.0.0.1 (with openssl, valid for a day), on an
// RSA key or an elliptic-curve one.
struct TestAuthority {
    QString ca;
    QString certificate;
    QString key;

    // The files go into the folder; nothing when openssl fails.
    enum class KeyType { Rsa, Ec };
    static std::optional<TestAuthority> makeIn(const QString &folder, KeyType type = KeyType::Rsa);
};
