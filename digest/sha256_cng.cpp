#include <windows.h>

#include <bcrypt.h>

#include <new>
#include <stdexcept>

#include "digest/sha256.h"

struct Sha256::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool ok = true;
    ~State() {
        if (hash != nullptr) {
            BCryptDestroyHash(hash);
        }
        if (algorithm != nullptr) {
            BCryptCloseAlgorithmProvider(algorithm, 0);
        }
    }
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    if (!BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
        !BCRYPT_SUCCESS(
            BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0))) {
        throw std::bad_alloc();
    }
}

Sha256::~Sha256() = default;

void Sha256::Update(const void* bytes, size_t size) {
    // CNG takes at most 4 GB a call.
    const auto* p = static_cast<const UCHAR*>(bytes);
    while (size > 0) {
        const ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        state_->ok = state_->ok &&
                     BCRYPT_SUCCESS(BCryptHashData(state_->hash, const_cast<UCHAR*>(p), piece, 0));
        p += piece;
        size -= piece;
    }
}

Sha256Digest Sha256::Finish() {
    Sha256Digest digest{};
    if (!state_->ok || !BCRYPT_SUCCESS(BCryptFinishHash(state_->hash, digest.data(),
                                                        static_cast<ULONG>(digest.size()), 0))) {
        throw std::runtime_error("SHA-256 failed");
    }
    return digest;
}

Sha256Digest Sha256::FinishAndRestart() {
    const Sha256Digest digest = Finish();
    BCryptDestroyHash(state_->hash);
    state_->hash = nullptr;
    if (!BCRYPT_SUCCESS(
            BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0))) {
        throw std::bad_alloc();
    }
    return digest;
}
