#include "support/TestCertificates.hpp"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace testsupport {

namespace {

template <auto release>
struct Release {
    template <class T>
    void operator()(T* object) const {
        release(object);
    }
};

void require(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("test certificate: ") + what);
    }
}

template <class Write>
std::string toPEM(Write write) {
    std::unique_ptr<BIO, Release<BIO_free>> bio(BIO_new(BIO_s_mem()));
    require(write(bio.get()) == 1, "PEM encoding");
    char* text = nullptr;
    long length = BIO_get_mem_data(bio.get(), &text);
    return std::string(text, static_cast<std::size_t>(length));
}

struct Validity {
    long notBeforeDays;
    long notAfterDays;
};

// A certificate with its key as OpenSSL holds them, while it may still sign others.
struct Made {
    std::unique_ptr<EVP_PKEY, Release<EVP_PKEY_free>> key;
    std::unique_ptr<X509, Release<X509_free>> certificate;

    TestIdentity identity() const {
        TestIdentity result;
        result.certificatePEM = toPEM([&](BIO* bio) { return PEM_write_bio_X509(bio, certificate.get()); });
        result.privateKeyPEM = toPEM(
            [&](BIO* bio) { return PEM_write_bio_PrivateKey(bio, key.get(), nullptr, nullptr, 0, nullptr, nullptr); });
        unsigned char* der = nullptr;
        int length = i2d_X509(certificate.get(), &der);
        require(length > 0, "DER encoding");
        result.certificateDER.assign(der, der + length);
        OPENSSL_free(der);
        return result;
    }
};

// An authority when `subjectAltName` is null, a TLS server's certificate otherwise; self-signed
// when `issuer` is null.
Made make(const std::string& commonName, const char* subjectAltName, Validity validity, const Made* issuer) {
    Made made{decltype(Made::key)(EVP_EC_gen("P-256")), decltype(Made::certificate)(X509_new())};
    X509* certificate = made.certificate.get();
    require(made.key != nullptr && certificate != nullptr, "key generation");
    X509_set_version(certificate, 2);
    std::uint64_t serial = 0;
    RAND_bytes(reinterpret_cast<unsigned char*>(&serial), sizeof serial);
    ASN1_INTEGER_set_uint64(X509_get_serialNumber(certificate), serial);
    X509_gmtime_adj(X509_getm_notBefore(certificate), validity.notBeforeDays * 86400);
    X509_gmtime_adj(X509_getm_notAfter(certificate), validity.notAfterDays * 86400);

    X509_NAME* name = X509_get_subject_name(certificate);
    for (const auto& [field, value] : {std::pair<const char*, std::string>{"O", "VY Bank"}, {"CN", commonName}}) {
        X509_NAME_add_entry_by_txt(name, field, MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(value.c_str()),
                                   -1, -1, 0);
    }
    X509* issuerCertificate = issuer != nullptr ? issuer->certificate.get() : certificate;
    X509_set_issuer_name(certificate, X509_get_subject_name(issuerCertificate));
    X509_set_pubkey(certificate, made.key.get());

    std::vector<std::pair<int, const char*>> extensions{{NID_subject_key_identifier, "hash"}};
    if (issuer != nullptr) {
        extensions.emplace_back(NID_authority_key_identifier, "keyid:always");
    }
    if (subjectAltName == nullptr) {
        extensions.insert(extensions.end(), {{NID_basic_constraints, "critical,CA:TRUE"},
                                             {NID_key_usage, "critical,keyCertSign,cRLSign"}});
    } else {
        extensions.insert(extensions.end(), {{NID_basic_constraints, "critical,CA:FALSE"},
                                             {NID_key_usage, "critical,digitalSignature,keyEncipherment"},
                                             {NID_ext_key_usage, "serverAuth"},
                                             {NID_subject_alt_name, subjectAltName}});
    }
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuerCertificate, certificate, nullptr, nullptr, 0);
    for (const auto& [nid, value] : extensions) {
        X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
        require(extension != nullptr, "extension");
        X509_add_ext(certificate, extension, -1);
        X509_EXTENSION_free(extension);
    }
    EVP_PKEY* signingKey = issuer != nullptr ? issuer->key.get() : made.key.get();
    require(X509_sign(certificate, signingKey, EVP_sha256()) > 0, "signing");
    return made;
}

constexpr Validity current{-1, 30};

Made makeAuthority(const std::string& name) { return make(name, nullptr, {-1, 365}, nullptr); }

Made forLocalhost(const Made* issuer, Validity validity = current) {
    return make("localhost", "DNS:localhost,IP:127.0.0.1", validity, issuer);
}

} // namespace

TestChain makeTestChain(const std::string& rootName) {
    const Made root = makeAuthority(rootName);
    TestChain chain{root.identity(), forLocalhost(&root).identity()};
    chain.root.privateKeyPEM.clear();
    return chain;
}

security::SecCertificate TestIdentity::certificate() const {
    auto certificate = security::SecCertificate::createWithData(certificateDER);
    require(certificate.has_value(), "decoding");
    return *certificate;
}

const TestCertificates& TestCertificates::shared() {
    static const TestCertificates certificates = [] {
        const Made ours = makeAuthority("VY ID Test CA");
        const Made other = makeAuthority("VY Bank Other Test CA");
        return TestCertificates{
            .authority = ours.identity(),
            .localhost = forLocalhost(&ours).identity(),
            .wrongHost = make("wrong-host.invalid", "DNS:wrong-host.invalid", current, &ours).identity(),
            .expired = forLocalhost(&ours, {-30, -1}).identity(),
            .selfSigned = forLocalhost(nullptr).identity(),
            .otherAuthority = other.identity(),
            .untrusted = forLocalhost(&other).identity(),
        };
    }();
    return certificates;
}

} // namespace testsupport
