#pragma once
#include "sdk/screens/choice/AuthChooseViewController.hpp"

#include <memory>

namespace vyd {

// Builds the choice sheet for the partner named in the session store.
class AuthChooseAssembler {
public:
    static std::shared_ptr<AuthChooseViewController>
    create(const std::shared_ptr<AuthChooseViewControllerDelegate>& delegate);
};

} // namespace vyd
