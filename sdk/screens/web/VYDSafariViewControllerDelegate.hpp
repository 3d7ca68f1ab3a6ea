#pragma once
#include "platform/safariservices/SFSafariViewController.hpp"

#include <memory>

namespace vyd {

// Adopted by a view controller over which the SDK may open the system browser view: it becomes
// that browser view's delegate and is handed the browser view.
class VYDSafariViewControllerDelegate : public safariservices::SFSafariViewControllerDelegate {
public:
    virtual std::shared_ptr<safariservices::SFSafariViewController> safariViewController() const = 0;
    virtual void setSafariViewController(std::shared_ptr<safariservices::SFSafariViewController> controller) = 0;
};

} // namespace vyd
