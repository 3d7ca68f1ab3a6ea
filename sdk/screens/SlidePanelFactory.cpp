#include "sdk/screens/SlidePanelFactory.hpp"

#include "sdk/uikit/Palette.hpp"

namespace vyd {

namespace {

std::shared_ptr<const SlidePanelLayout> layoutFor(SlidePanelFactoryProtocol::PanelStyle style) {
    std::shared_ptr<const SlidePanelLayoutAnchoring> anchor;
    switch (style) {
    case SlidePanelFactoryProtocol::PanelStyle::web:
        anchor = std::make_shared<SlidePanelLayoutAnchor>(SlidePanelFactory::webTopInset, SlidePanelReferenceEdge::top,
                                                          SlidePanelReferenceGuide::safeArea);
        break;
    case SlidePanelFactoryProtocol::PanelStyle::contentSize:
        anchor = std::make_shared<SlidePanelIntrinsicLayoutAnchor>(0, SlidePanelReferenceGuide::safeArea);
        break;
    }
    return std::make_shared<SlidePanelSingleStateLayout>(SlidePanelState::full(), anchor);
}

std::shared_ptr<const SlidePanelBehavior> behaviorFor(SlidePanelFactoryProtocol::PanelBehavior behavior) {
    if (behavior == SlidePanelFactoryProtocol::PanelBehavior::noDrag) {
        return std::make_shared<SlidePanelNoDragBehavior>();
    }
    return std::make_shared<SlidePanelDefaultBehavior>();
}

} // namespace

std::shared_ptr<SlidePanelController>
SlidePanelFactory::createSlidePanel(PanelStyle style, PanelBehavior behavior,
                                    const std::shared_ptr<SlidePanelControllerDelegate>& delegate) {
    auto panel = SlidePanelController::make(delegate);
    panel->setLayout(layoutFor(style));
    panel->setBehavior(behaviorFor(behavior));
    panel->surfaceView()->setAppearance({palette::backgroundSecondary(), cornerRadius});
    panel->surfaceView()->grabberHandle()->setBackgroundColor(uikit::UIColor::white().withAlphaComponent(grabberAlpha));
    panel->backdropView()->dismissalTapGestureRecognizer()->setEnabled(true);
    panel->setRemovalInteractionEnabled(true);
    return panel;
}

} // namespace vyd
