#include "sdk/screens/choice/AuthChooseViewController.hpp"

namespace vyd {

void AuthChooseViewController::loadView() { setView(std::dynamic_pointer_cast<uikit::UIView>(rootView_)); }

void AuthChooseViewController::closeButtonPressed() {
    if (const auto delegate = this->delegate()) {
        delegate->closeAction();
    }
}

void AuthChooseViewController::continueButtonPressed() {
    if (const auto delegate = this->delegate()) {
        delegate->continueAction();
    }
}

void AuthChooseViewController::enterByPhoneButtonPressed() {
    if (const auto delegate = this->delegate()) {
        delegate->enterByPhoneAction();
    }
}

} // namespace vyd
