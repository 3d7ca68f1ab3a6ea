#include "platform/foundation/URLSession.hpp"

#include "platform/foundation/Dispatch.hpp"

namespace foundation {

URLSession::URLSession(URLSessionConfiguration configuration, std::weak_ptr<URLSessionDelegate> delegate,
                       DispatchQueue* delegateQueue)
    : configuration_(std::move(configuration)), delegate_(std::move(delegate)),
      delegateQueue_(delegateQueue != nullptr ? delegateQueue : &DispatchQueue::main()) {}

std::shared_ptr<URLSession> URLSession::make(URLSessionConfiguration configuration,
                                             std::weak_ptr<URLSessionDelegate> delegate, DispatchQueue* delegateQueue) {
    return std::shared_ptr<URLSession>(new URLSession(std::move(configuration), std::move(delegate), delegateQueue));
}

std::shared_ptr<URLSession> URLSession::shared() {
    static const std::shared_ptr<URLSession> session = make();
    return session;
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTask(URLRequest request,
                                                         URLSessionDataTask::CompletionHandler completion) {
    return std::shared_ptr<URLSessionDataTask>(
        new URLSessionDataTask(shared_from_this(), std::move(request), std::move(completion)));
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTask(URL url, URLSessionDataTask::CompletionHandler completion) {
    return dataTask(URLRequest(std::move(url)), std::move(completion));
}

} // namespace foundation
