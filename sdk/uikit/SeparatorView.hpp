#pragma once
#include "platform/uikit/UIView.hpp"

#include <memory>

namespace vyd {

// A one-point line in black at 12 % opacity, laid out by constraints; its width and position
// are the user's to constrain.
class SeparatorView : public uikit::UIView {
public:
    static std::shared_ptr<SeparatorView> make(const uikit::CGRect& frame = uikit::CGRect::zero()) {
        return create<SeparatorView>(frame);
    }

    explicit SeparatorView(const uikit::CGRect& frame) : UIView(frame) {}

    std::string className() const override { return "SeparatorView"; }

    virtual void setup();
    virtual void setupConstraints();

protected:
    // setup() then setupConstraints().
    void didInit() override;
};

} // namespace vyd
