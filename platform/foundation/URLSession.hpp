#pragma once

#include "platform/foundation/URLSessionConfiguration.hpp"
#include "platform/foundation/URLSessionDataTask.hpp"
#include "platform/foundation/URLSessionDelegate.hpp"

#include <cstdint>
#include <memory>

namespace foundation {

class DispatchQueue;

// HTTP and HTTPS data tasks on libcurl. Each resumed task runs on its own worker thread;
// completions and delegate calls run on the delegate queue, the main queue unless another is
// given. Over HTTPS every new connection first asks the delegate about the server's trust (see
// URLSessionDelegate), and without a delegate the system's trust store decides.
//
// Redirects are followed up to 16 times, but never from https to http: the task fails with
// NSURLErrorAppTransportSecurityRequiresSecureConnection and the plain address sees no request.
// The Authorization and Cookie fields a caller set go only to the origin (scheme, host and port)
// of the request they were set on. A response past the configuration's httpLimits fails the
// task, with NSURLErrorDataLengthExceedsMaximum for the body and NSURLErrorBadServerResponse for
// the header, and what it brought is dropped.
//
// The session keeps its delegate weakly, so a delegate that owns its session makes no cycle;
// once the delegate is gone the session behaves as if it had none. Make a session on the main
// thread (or pass a queue): the main queue is looked up when the session is made.
class URLSession : public std::enable_shared_from_this<URLSession> {
public:
    static std::shared_ptr<URLSession>
    make(URLSessionConfiguration configuration = URLSessionConfiguration::defaultConfiguration(),
         std::weak_ptr<URLSessionDelegate> delegate = {}, DispatchQueue* delegateQueue = nullptr);
    // A process-wide session with the default configuration and no delegate.
    static std::shared_ptr<URLSession> shared();

    std::shared_ptr<URLSessionDataTask> dataTask(URLRequest request, URLSessionDataTask::CompletionHandler completion);
    std::shared_ptr<URLSessionDataTask> dataTask(URL url, URLSessionDataTask::CompletionHandler completion);

    const URLSessionConfiguration& configuration() const { return configuration_; }
    std::shared_ptr<URLSessionDelegate> delegate() const { return delegate_.lock(); }
    DispatchQueue& delegateQueue() const { return *delegateQueue_; }

private:
    URLSession(URLSessionConfiguration configuration, std::weak_ptr<URLSessionDelegate> delegate,
               DispatchQueue* delegateQueue);

    URLSessionConfiguration configuration_;
    std::weak_ptr<URLSessionDelegate> delegate_;
    DispatchQueue* delegateQueue_;
};

} // namespace foundation
