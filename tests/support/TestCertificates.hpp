#pragma once

#include "platform/security/SecCertificate.hpp"

#include <string>

namespace testsupport {

// A certificate with its private key, as a TLS test server needs them.
struct TestIdentity {
    std::string certificatePEM;
    std::string privateKeyPEM;
    security::Bytes certificateDER;

    security::SecCertificate certificate() const;
};

// Certificates made with OpenSSL when first asked for, once per process (P-256 keys, so this is
// quick). Hosts and names are the test's own; nothing here is trusted by the system.
struct TestCertificates {
    TestIdentity authority;      // "VY ID Test CA", a CA that tests use as anchor
    TestIdentity localhost;      // by `authority`: DNS "localhost" and IP 127.0.0.1
    TestIdentity wrongHost;      // by `authority`: only "wrong-host.invalid"
    TestIdentity expired;        // by `authority`: localhost, validity ended yesterday
    TestIdentity selfSigned;     // localhost, signed by its own key
    TestIdentity otherAuthority; // a second CA, "VY Bank Other Test CA"
    TestIdentity untrusted;      // by `otherAuthority`: localhost

    static const TestCertificates& shared();
};

// A root made now, and a certificate it issued for "localhost" and 127.0.0.1: a server of its
// own that a client trusts only by taking that root as its anchor. The root's private key is
// dropped once it has signed, so `root.privateKeyPEM` is empty.
struct TestChain {
    TestIdentity root;
    TestIdentity server;
};
TestChain makeTestChain(const std::string& rootName);

} // namespace testsupport
