#pragma once
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>

namespace vyd {

// A view that carries an image in an image view pinned to its edges, so that a shadow can go on
// the container while the image stays in the image view.
class ImageContainerView : public uikit::UIView {
public:
    static std::shared_ptr<ImageContainerView> make(const uikit::CGRect& frame = uikit::CGRect::zero()) {
        return create<ImageContainerView>(frame);
    }

    explicit ImageContainerView(const uikit::CGRect& frame) : UIView(frame) {}

    std::string className() const override { return "ImageContainerView"; }

    // Made empty with the container.
    const std::shared_ptr<uikit::UIImageView>& imageView() const { return imageView_; }

protected:
    void didInit() override;

private:
    std::shared_ptr<uikit::UIImageView> imageView_ = uikit::UIImageView::make();
};

} // namespace vyd
