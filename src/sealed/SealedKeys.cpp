// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedKeys.h"

#include <sodium.h>

#include <cstring>

namespace {

SealedKeys::Key hashOf(const char *text, const SealedKeys::Key *key)
{
    SealedKeys::Key out {};
    crypto_generichash(out.data(), out.size(), reinterpret_cast<const unsigned char *>(text),
        std::strlen(text), key ? key->data() : nullptr, key ? key->size() : 0);
    return out;
}

} // namespace

void SealedKeys::wipe(void *data, std::size_t size)
{
    sodium_memzero(data, size);
}

bool SealedKeys::ready()
{
    static const bool started = sodium_init() >= 0;
    return started;
}

const SealedKeys::Key &SealedKeys::saltPositions()
{
    static const Key key = (ready(), hashOf("veldra sealed v1 salt positions", nullptr));
    return key;
}

SealedKeys::Salt SealedKeys::freshSalt()
{
    Salt salt {};
    if (ready())
        randombytes_buf(salt.data(), salt.size());
    return salt;
}

std::optional<SealedKeys::Keys> SealedKeys::derive(
    QByteArrayView passphrase, const Salt &salt, const Cost &cost)
{
    if (!ready())
        return std::nullopt;
    Key master {};
    if (crypto_pwhash(master.data(), master.size(), passphrase.data(),
            static_cast<unsigned long long>(passphrase.size()), salt.data(), cost.operations,
            cost.memory, crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return std::nullopt;
    Keys keys;
    keys.positions = hashOf("veldra sealed v1 positions", &master);
    keys.encryption = hashOf("veldra sealed v1 encryption", &master);
    return keys;
}
