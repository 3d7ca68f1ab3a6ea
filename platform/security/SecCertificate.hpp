#pragma once

#include "platform/security/SecBase.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace security {

// An X.509 certificate kept as its DER encoding. Only well-formed certificates can be made, so
// every holder may rely on the bytes decoding.
class SecCertificate {
public:
    // Nothing when the bytes are not exactly one DER-encoded X.509 certificate.
    static std::optional<SecCertificate> createWithData(Bytes der);
    // Every "CERTIFICATE" block of a PEM text, in order; blocks that do not decode are skipped.
    static std::vector<SecCertificate> createFromPEM(std::string_view pem);

    const Bytes& data() const { return der_; }
    // The subject's common name, or the whole subject line when it has none.
    std::string subjectSummary() const;

    friend bool operator==(const SecCertificate&, const SecCertificate&) = default;

private:
    explicit SecCertificate(Bytes der) : der_(std::move(der)) {}
    Bytes der_;
};

} // namespace security
