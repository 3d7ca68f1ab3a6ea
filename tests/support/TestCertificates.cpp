#include "support/TestCertificates.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace testsupport {

namespace {

struct FreeKey {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct FreeCertificate {
    void operator()(X509* certificate) const { X509_free(certificate); }
};
struct FreeBIO {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using Key = std::unique_ptr<EVP_PKEY, FreeKey>;
using Certificate = std::unique_ptr<X509, FreeCertificate>;

void require(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("test certificate: ") + what);
    }
}

Key makeKey() {
    Key key(EVP_EC_gen("P-256"));
    require(key != nullptr, "key generation");
    return key;
}

struct Validity {
    long notBeforeDays;
    long notAfterDays;
};

struct Signer {
    X509* certificate; // null: self-signed
    EVP_PKEY* key;
};

void addExtension(X509* certificate, X509V3_CTX* context, int nid, const char* value) {
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, context, nid, value);
    require(extension != nullptr, "extension");
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
}

Certificate makeCertificate(EVP_PKEY* key, const std::string& commonName, bool isAuthority, const char* subjectAltName,
                            Validity validity, Signer signer) {
    Certificate certificate(X509_new());
    require(certificate != nullptr, "allocation");
    X509_set_version(certificate.get(), 2);

    unsigned char serial[16];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f; // a positive serial number
    BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(number, X509_get_serialNumber(certificate.get()));
    BN_free(number);

    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), validity.notBeforeDays * 86400);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), validity.notAfterDays * 86400);

    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>("VY Bank"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(commonName.c_str()),
                               -1, -1, 0);
    X509* issuer = signer.certificate != nullptr ? signer.certificate : certificate.get();
    X509_set_issuer_name(certificate.get(), X509_get_subject_name(issuer));
    X509_set_pubkey(certificate.get(), key);

    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate.get(), nullptr, nullptr, 0);
    addExtension(certificate.get(), &context, NID_subject_key_identifier, "hash");
    if (signer.certificate != nullptr) {
        addExtension(certificate.get(), &context, NID_authority_key_identifier, "keyid:always");
    }
    if (isAuthority) {
        addExtension(certificate.get(), &context, NID_basic_constraints, "critical,CA:TRUE");
        addExtension(certificate.get(), &context, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        addExtension(certificate.get(), &context, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(certificate.get(), &context, NID_key_usage, "critical,digitalSignature,keyEncipherment");
        addExtension(certificate.get(), &context, NID_ext_key_usage, "serverAuth");
        addExtension(certificate.get(), &context, NID_subject_alt_name, subjectAltName);
    }
    require(X509_sign(certificate.get(), signer.key, EVP_sha256()) > 0, "signing");
    return certificate;
}

std::string toPEM(const std::function<int(BIO*)>& write) {
    std::unique_ptr<BIO, FreeBIO> bio(BIO_new(BIO_s_mem()));
    require(write(bio.get()) == 1, "PEM encoding");
    char* text = nullptr;
    long length = BIO_get_mem_data(bio.get(), &text);
    return std::string(text, static_cast<std::size_t>(length));
}

TestIdentity identity(X509* certificate, EVP_PKEY* key) {
    TestIdentity result;
    result.certificatePEM = toPEM([&](BIO* bio) { return PEM_write_bio_X509(bio, certificate); });
    result.privateKeyPEM =
        toPEM([&](BIO* bio) { return PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr); });
    unsigned char* der = nullptr;
    int length = i2d_X509(certificate, &der);
    require(length > 0, "DER encoding");
    result.certificateDER.assign(der, der + length);
    OPENSSL_free(der);
    return result;
}

constexpr const char* localhostNames = "DNS:localhost,IP:127.0.0.1";
constexpr Validity current{-1, 30};

TestCertificates make() {
    TestCertificates result;

    Key authorityKey = makeKey();
    Certificate authority =
        makeCertificate(authorityKey.get(), "VY ID Test CA", true, nullptr, {-1, 365}, {nullptr, authorityKey.get()});
    result.authority = identity(authority.get(), authorityKey.get());
    Signer byAuthority{authority.get(), authorityKey.get()};

    auto leaf = [](const std::string& commonName, const char* names, Validity validity, std::optional<Signer> signer) {
        Key key = makeKey();
        Signer effective = signer.value_or(Signer{nullptr, key.get()});
        Certificate certificate = makeCertificate(key.get(), commonName, false, names, validity, effective);
        return identity(certificate.get(), key.get());
    };
    result.localhost = leaf("localhost", localhostNames, current, byAuthority);
    result.wrongHost = leaf("wrong-host.invalid", "DNS:wrong-host.invalid", current, byAuthority);
    result.expired = leaf("localhost", localhostNames, {-30, -1}, byAuthority);
    result.selfSigned = leaf("localhost", localhostNames, current, std::nullopt);

    Key otherKey = makeKey();
    Certificate other =
        makeCertificate(otherKey.get(), "VY Bank Other Test CA", true, nullptr, {-1, 365}, {nullptr, otherKey.get()});
    result.otherAuthority = identity(other.get(), otherKey.get());
    result.untrusted = leaf("localhost", localhostNames, current, Signer{other.get(), otherKey.get()});
    return result;
}

} // namespace

TestChain makeTestChain(const std::string& rootName) {
    Key rootKey = makeKey();
    Certificate root = makeCertificate(rootKey.get(), rootName, true, nullptr, {-1, 365}, {nullptr, rootKey.get()});
    Key serverKey = makeKey();
    Certificate server = makeCertificate(serverKey.get(), "localhost", false, localhostNames, current,
                                         Signer{root.get(), rootKey.get()});
    TestChain chain{identity(root.get(), rootKey.get()), identity(server.get(), serverKey.get())};
    chain.root.privateKeyPEM.clear();
    return chain;
}

security::SecCertificate TestIdentity::certificate() const {
    auto certificate = security::SecCertificate::createWithData(certificateDER);
    require(certificate.has_value(), "decoding");
    return *certificate;
}

const TestCertificates& TestCertificates::shared() {
    static const TestCertificates certificates = make();
    return certificates;
}

} // namespace testsupport
