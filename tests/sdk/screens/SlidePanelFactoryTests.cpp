#include "sdk/panel/PanelTestSupport.hpp"

#include "sdk/screens/SlidePanelFactory.hpp"

using namespace paneltests;
using vyd::SlidePanelFactory;
using vyd::SlidePanelState;
using Style = vyd::SlidePanelFactory::PanelStyle;
using Behavior = vyd::SlidePanelFactory::PanelBehavior;

namespace {

using SlidePanelFactoryTest = PanelTest;

// Every panel goes with a tap on its backdrop or a swipe down, and drags between states only when
// asked to; the web style stops below the status bar, the other fits its content.
TEST_F(SlidePanelFactoryTest, BehavioursAndTheFullStateOfEachStyle) {
    SlidePanelFactory factory;
    for (const auto behavior : {Behavior::noDrag, Behavior::default_}) {
        const auto panel = factory.createSlidePanel(Style::contentSize, behavior, delegate);
        EXPECT_EQ(panel->delegate(), delegate);
        EXPECT_TRUE(panel->backdropView()->dismissalTapGestureRecognizer()->isEnabled());
        EXPECT_TRUE(panel->isRemovalInteractionEnabled());
        EXPECT_EQ(panel->behavior()->allowsStateChangeByDrag(), behavior == Behavior::default_);
    }

    const auto web = factory.createSlidePanel(Style::web, Behavior::default_, nullptr);
    root->present(web, false);
    settle();
    EXPECT_EQ(web->surfaceLocation().y, 47 + 16);
    web->dismiss(false);
    settle();

    const auto sized = factory.createSlidePanel(Style::contentSize, Behavior::noDrag, nullptr);
    const auto content = uikit::UIViewController::make();
    content->view()->setTranslatesAutoresizingMaskIntoConstraints(false);
    content->view()->heightAnchor().constraintEqualToConstant(300)->setActive(true);
    sized->set(content);
    root->present(sized, false);
    settle();
    EXPECT_EQ(sized->state(), SlidePanelState::full());
    EXPECT_EQ(sized->surfaceLocation().y, 844 - 34 - 300);
}

} // namespace
