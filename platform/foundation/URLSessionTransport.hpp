#pragma once

// Private to the foundation library and its tests: how libcurl's outcomes become the platform's
// NSURLErrorDomain codes. Plain ints keep curl's header out of here.

namespace foundation {

// `curlCode` is a CURLcode, `osErrno` the errno curl saw for the connection (0 if none).
int urlErrorCodeForCurl(int curlCode, int osErrno);

} // namespace foundation
