#include "platform/combine/AnyCancellable.hpp"

#include <mutex>

namespace combine {

struct AnyCancellable::Token {
    explicit Token(std::function<void()> cancel) : cancel(std::move(cancel)) {}
    ~Token() { run(); }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

    void run() {
        std::function<void()> action;
        {
            std::lock_guard lock(mutex);
            action.swap(cancel);
        }
        if (action) {
            action();
        }
    }

    std::mutex mutex;
    std::function<void()> cancel;
};

AnyCancellable::AnyCancellable(std::function<void()> cancel) : token_(std::make_shared<Token>(std::move(cancel))) {}

void AnyCancellable::cancel() const {
    if (token_) {
        token_->run();
    }
}

} // namespace combine
