#include "platform/security/SecCertificate.hpp"

#include "platform/security/OpenSSLHandles.hpp"

#include <openssl/pem.h>
#include <openssl/x509.h>

namespace security {

std::string commonNameOrSubject(X509* certificate) {
    X509_NAME* subject = X509_get_subject_name(certificate);
    if (subject == nullptr) {
        return {};
    }
    int index = X509_NAME_get_index_by_NID(subject, NID_commonName, -1);
    if (index >= 0) {
        ASN1_STRING* value = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, index));
        unsigned char* utf8 = nullptr;
        int length = ASN1_STRING_to_UTF8(&utf8, value);
        if (length >= 0) {
            std::string name(reinterpret_cast<char*>(utf8), static_cast<std::size_t>(length));
            OPENSSL_free(utf8);
            return name;
        }
    }
    BIOHandle bio(BIO_new(BIO_s_mem()));
    X509_NAME_print_ex(bio.get(), subject, 0, XN_FLAG_RFC2253);
    char* text = nullptr;
    long length = BIO_get_mem_data(bio.get(), &text);
    return std::string(text, static_cast<std::size_t>(length));
}

std::optional<SecCertificate> SecCertificate::createWithData(Bytes der) {
    if (der.empty()) {
        return std::nullopt;
    }
    const unsigned char* cursor = der.data();
    X509Handle certificate(d2i_X509(nullptr, &cursor, static_cast<long>(der.size())));
    // Trailing bytes mean the input was something else that merely starts with a certificate.
    if (!certificate || cursor != der.data() + der.size()) {
        return std::nullopt;
    }
    return SecCertificate(std::move(der));
}

std::vector<SecCertificate> SecCertificate::createFromPEM(std::string_view pem) {
    std::vector<SecCertificate> result;
    BIOHandle bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    if (!bio) {
        return result;
    }
    for (;;) {
        char* name = nullptr;
        char* header = nullptr;
        unsigned char* body = nullptr;
        long length = 0;
        if (PEM_read_bio(bio.get(), &name, &header, &body, &length) != 1) {
            break;
        }
        if (std::string_view(name) == "CERTIFICATE") {
            if (auto certificate = createWithData(Bytes(body, body + length))) {
                result.push_back(std::move(*certificate));
            }
        }
        OPENSSL_free(name);
        OPENSSL_free(header);
        OPENSSL_free(body);
    }
    return result;
}

std::string SecCertificate::subjectSummary() const {
    X509Handle certificate = decodeX509(der_);
    if (!certificate) {
        return {};
    }
    return commonNameOrSubject(certificate.get());
}

} // namespace security
