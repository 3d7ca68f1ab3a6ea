#pragma once

// Private to the security library: owning handles for OpenSSL objects. Included only by .cpp
// files, so OpenSSL stays out of the public headers.

#include "platform/security/SecBase.hpp"

#include <memory>
#include <string>

#include <openssl/bio.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

namespace security {

template <typename T, void (*Free)(T*)>
struct OpenSSLDeleter {
    void operator()(T* object) const { Free(object); }
};

using X509Handle = std::unique_ptr<X509, OpenSSLDeleter<X509, X509_free>>;
using X509StoreHandle = std::unique_ptr<X509_STORE, OpenSSLDeleter<X509_STORE, X509_STORE_free>>;
using X509StoreContextHandle = std::unique_ptr<X509_STORE_CTX, OpenSSLDeleter<X509_STORE_CTX, X509_STORE_CTX_free>>;
using BIOHandle = std::unique_ptr<BIO, OpenSSLDeleter<BIO, BIO_free_all>>;

inline X509Handle decodeX509(const Bytes& der) {
    const unsigned char* cursor = der.data();
    return X509Handle(d2i_X509(nullptr, &cursor, static_cast<long>(der.size())));
}

std::string commonNameOrSubject(X509* certificate);

} // namespace security
