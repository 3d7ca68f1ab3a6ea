#pragma once

#include "platform/foundation/Data.hpp"
#include "platform/foundation/Error.hpp"
#include "platform/foundation/HTTPURLResponse.hpp"
#include "platform/foundation/URLRequest.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace foundation {

class URLSession;

// One request and its response. A task is made suspended; resume() starts it once. Its
// completion runs exactly once on the session's delegate queue: with the body and the response
// (any HTTP status), or with an NSURLErrorDomain error and no data. A running task keeps itself
// alive, so the caller need not hold it.
class URLSessionDataTask : public std::enable_shared_from_this<URLSessionDataTask> {
public:
    using CompletionHandler =
        std::function<void(std::optional<Data>, std::optional<HTTPURLResponse>, std::optional<Error>)>;

    // Raw values as on the platform.
    enum class State { running = 0, suspended = 1, canceling = 2, completed = 3 };

    ~URLSessionDataTask();

    void resume();
    // Stops the task wherever it is (a suspended one too): it completes with
    // NSURLErrorCancelled. Nothing happens once it has completed.
    void cancel();

    State state() const;

    struct Transfer; // the worker's side, shared with the thread that runs it

private:
    friend class URLSession;
    URLSessionDataTask(std::shared_ptr<URLSession> session, URLRequest request, CompletionHandler completion);

    std::shared_ptr<Transfer> transfer_;
};

} // namespace foundation
