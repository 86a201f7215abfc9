#include <openssl/evp.h>

#include <new>
#include <stdexcept>

#include "digest/sha256.h"

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = true;
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    if (state_->context == nullptr ||
        EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1) {
        throw std::bad_alloc();
    }
}

Sha256::~Sha256() = default;

void Sha256::Update(const void* bytes, size_t size) {
    if (size != 0) {
        state_->ok = state_->ok && EVP_DigestUpdate(state_->context, bytes, size) == 1;
    }
}

Sha256Digest Sha256::Finish() {
    Sha256Digest digest{};
    unsigned int size = 0;
    if (!state_->ok || EVP_DigestFinal_ex(state_->context, digest.data(), &size) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
    return digest;
}

Sha256Digest Sha256::FinishAndRestart() {
    const Sha256Digest digest = Finish();
    if (EVP_DigestInit_ex2(state_->context, nullptr, nullptr) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
    return digest;
}
