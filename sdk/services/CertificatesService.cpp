#include "sdk/services/CertificatesService.hpp"

#include "sdk/catalogue/SdkBundle.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace vyd {
namespace {

bool hasExtension(const std::filesystem::path& file, std::initializer_list<std::string_view> extensions) {
    const std::string extension = file.extension().string();
    return std::any_of(extensions.begin(), extensions.end(), [&](std::string_view e) { return extension == e; });
}

std::vector<security::SecCertificate> certificatesIn(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (hasExtension(file, {".pem", ".crt"})) {
        return security::SecCertificate::createFromPEM(content);
    }
    if (auto certificate = security::SecCertificate::createWithData(security::Bytes(content.begin(), content.end()))) {
        return {std::move(*certificate)};
    }
    return {};
}

} // namespace

CertificatesService::CertificatesService(std::vector<security::SecCertificate> anchors)
    : anchors_(std::move(anchors)) {}

std::shared_ptr<CertificatesService> CertificatesService::make() {
    return std::make_shared<CertificatesService>(bundleAnchors());
}

std::vector<security::SecCertificate> CertificatesService::loadAnchors(const std::filesystem::path& folder) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && hasExtension(entry.path(), {".der", ".cer", ".pem", ".crt"})) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<security::SecCertificate> anchors;
    for (const auto& file : files) {
        auto certificates = certificatesIn(file);
        anchors.insert(anchors.end(), std::make_move_iterator(certificates.begin()),
                       std::make_move_iterator(certificates.end()));
    }
    return anchors;
}

std::vector<security::SecCertificate> CertificatesService::bundleAnchors() {
    const auto& bundle = sdkBundle();
    if (!bundle) {
        return {};
    }
    return loadAnchors(std::filesystem::path(bundle->bundlePath()) / "certificates");
}

ChallengeHandling
CertificatesService::detectAuthHandling(const foundation::URLAuthenticationChallenge& challenge) const {
    const auto& space = challenge.protectionSpace();
    const auto& trust = space.serverTrust();
    // Without a host the policy would check none, so any anchored certificate would pass.
    if (space.authenticationMethod() != foundation::NSURLAuthenticationMethodServerTrust || !trust ||
        anchors_.empty() || space.host().empty()) {
        return ChallengeHandling::cancelAuthentication();
    }
    trust->setAnchorCertificates(anchors_);
    trust->setAnchorCertificatesOnly(true);
    trust->setPolicy(security::SecPolicy::createSSL(true, space.host()));
    if (!trust->evaluate().trusted) {
        return ChallengeHandling::cancelAuthentication();
    }
    return ChallengeHandling::useCredential(foundation::URLCredential(trust));
}

} // namespace vyd
