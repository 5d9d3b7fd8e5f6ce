// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedFormat.h"

#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>

// The keys of a sealed container, from the passphrase and the salt: Argon2id
// for the key, keyed BLAKE2b for the position and encryption keys. All of it
// is libsodium's.
namespace SealedKeys {

// Overwrites size bytes at data with zeros, in a way the compiler keeps.
void wipe(void *data, std::size_t size);

// A key: its bytes are wiped when it goes, whichever copy it is.
struct Key : std::array<std::uint8_t, 32> {
    ~Key() { wipe(data(), size()); }
};
using Salt = std::array<std::uint8_t, SealedFormat::SaltBytes>;

// What the key derivation costs. Version 1 fixes it; the fuzz targets use a
// cheaper one, since they test what follows it.
struct Cost {
    unsigned long long operations = 4;
    std::size_t memory = std::size_t(256) << 20;
};

struct Keys {
    Key positions;
    Key encryption;
};

// False when libsodium cannot start (no usable random source).
bool ready();

// The public key that places the salt.
const Key &saltPositions();

// A new random salt.
Salt freshSalt();

// The keys for passphrase (its UTF-8 form) and salt; nothing when the
// system cannot give the memory the derivation needs.
std::optional<Keys> derive(QByteArrayView passphrase, const Salt &salt, const Cost &cost = {});

} // namespace SealedKeys
