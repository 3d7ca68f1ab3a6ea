#include "platform/security/SecTrust.hpp"

#include "platform/security/OpenSSLHandles.hpp"

#include <openssl/x509v3.h>

namespace security {

namespace {

struct X509StackDeleter {
    void operator()(STACK_OF(X509) * stack) const { sk_X509_pop_free(stack, X509_free); }
};
using X509StackHandle = std::unique_ptr<STACK_OF(X509), X509StackDeleter>;

bool isIPAddress(const std::string& host) {
    ASN1_OCTET_STRING* address = a2i_IPADDRESS(host.c_str());
    if (address == nullptr) {
        return false;
    }
    ASN1_OCTET_STRING_free(address);
    return true;
}

SecTrustEvaluation refused(std::string error) { return {false, std::move(error)}; }

} // namespace

std::shared_ptr<SecTrust> SecTrust::create(std::vector<SecCertificate> chain, SecPolicy policy) {
    return std::shared_ptr<SecTrust>(new SecTrust(std::move(chain), std::move(policy)));
}

std::shared_ptr<SecTrust> SecTrust::createForServer(std::vector<SecCertificate> chain, std::string host) {
    return create(std::move(chain), SecPolicy::createSSL(true, std::move(host)));
}

std::vector<SecCertificate> SecTrust::certificateChain() const {
    std::lock_guard lock(mutex_);
    return chain_;
}

SecPolicy SecTrust::policy() const {
    std::lock_guard lock(mutex_);
    return policy_;
}

void SecTrust::setPolicy(SecPolicy policy) {
    std::lock_guard lock(mutex_);
    policy_ = std::move(policy);
}

std::string SecTrust::host() const {
    std::lock_guard lock(mutex_);
    return policy_.hostname().value_or(std::string());
}

void SecTrust::setAnchorCertificates(std::vector<SecCertificate> anchors) {
    std::lock_guard lock(mutex_);
    anchors_ = std::move(anchors);
    anchorsSet_ = true;
}

void SecTrust::setAnchorCertificatesOnly(bool anchorsOnly) {
    std::lock_guard lock(mutex_);
    anchorsOnly_ = anchorsOnly;
}

SecTrustEvaluation SecTrust::evaluate() const {
    std::vector<SecCertificate> chain;
    std::vector<SecCertificate> anchors;
    bool anchorsSet = false;
    bool anchorsOnly = true;
    std::optional<SecPolicy> policy;
    {
        std::lock_guard lock(mutex_);
        chain = chain_;
        anchors = anchors_;
        anchorsSet = anchorsSet_;
        anchorsOnly = anchorsOnly_;
        policy = policy_;
    }
    if (chain.empty()) {
        return refused("the server presented no certificate");
    }

    X509StoreHandle store(X509_STORE_new());
    if (!anchorsSet || !anchorsOnly) {
        X509_STORE_set_default_paths(store.get());
    }
    for (const auto& anchor : anchors) {
        X509Handle certificate = decodeX509(anchor.data());
        X509_STORE_add_cert(store.get(), certificate.get());
    }

    X509Handle leaf = decodeX509(chain.front().data());
    X509StackHandle intermediates(sk_X509_new_null());
    for (std::size_t i = 1; i < chain.size(); ++i) {
        sk_X509_push(intermediates.get(), decodeX509(chain[i].data()).release());
    }

    X509StoreContextHandle context(X509_STORE_CTX_new());
    if (!context || X509_STORE_CTX_init(context.get(), store.get(), leaf.get(), intermediates.get()) != 1) {
        return refused("the certificate verifier could not be set up");
    }
    X509_VERIFY_PARAM* parameters = X509_STORE_CTX_get0_param(context.get());
    if (anchorsSet) {
        X509_VERIFY_PARAM_set_flags(parameters, X509_V_FLAG_PARTIAL_CHAIN);
    }
    if (policy->isSSLServer()) {
        X509_STORE_CTX_set_purpose(context.get(), X509_PURPOSE_SSL_SERVER);
    }
    if (const auto& host = policy->hostname(); host && !host->empty()) {
        if (isIPAddress(*host)) {
            X509_VERIFY_PARAM_set1_ip_asc(parameters, host->c_str());
        } else {
            X509_VERIFY_PARAM_set_hostflags(parameters, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
            X509_VERIFY_PARAM_set1_host(parameters, host->c_str(), host->size());
        }
    }

    if (X509_verify_cert(context.get()) == 1) {
        return {true, {}};
    }
    int error = X509_STORE_CTX_get_error(context.get());
    X509* failing = X509_STORE_CTX_get_current_cert(context.get());
    std::string subject = commonNameOrSubject(failing != nullptr ? failing : leaf.get());
    std::string reason = X509_verify_cert_error_string(error);
    if (error == X509_V_ERR_HOSTNAME_MISMATCH || error == X509_V_ERR_IP_ADDRESS_MISMATCH) {
        reason += " (expected \"" + policy->hostname().value_or("") + "\")";
    }
    return refused("certificate \"" + subject + "\" is not trusted: " + reason);
}

} // namespace security
