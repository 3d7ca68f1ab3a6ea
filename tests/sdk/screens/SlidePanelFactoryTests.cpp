#include "sdk/panel/PanelTestSupport.hpp"

#include "sdk/base/DIContainer.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/uikit/Palette.hpp"
#include "support/sdk/ScopedServices.hpp"

using namespace paneltests;
using vyd::SlidePanelController;
using vyd::SlidePanelFactory;
using vyd::SlidePanelState;
using Style = vyd::SlidePanelFactory::PanelStyle;
using Behavior = vyd::SlidePanelFactory::PanelBehavior;

namespace {

using SlidePanelFactoryTest = PanelTest;

// A content 300 points high, whatever its width.
std::shared_ptr<uikit::UIViewController> sheet() {
    auto controller = uikit::UIViewController::make();
    const auto view = controller->view();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    view->heightAnchor().constraintEqualToConstant(300)->setActive(true);
    return controller;
}

TEST_F(SlidePanelFactoryTest, EveryPanelHasTheSDKsLook) {
    SlidePanelFactory factory;
    for (const auto style : {Style::web, Style::contentSize}) {
        for (const auto behavior : {Behavior::noDrag, Behavior::default_}) {
            const auto panel = factory.createSlidePanel(style, behavior, nullptr);
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->state(), SlidePanelState::hidden()) << "not yet shown";
            EXPECT_EQ(panel->parent(), nullptr);
            EXPECT_EQ(panel->surfaceView()->appearance().cornerRadius, 24);
            ASSERT_TRUE(panel->surfaceView()->appearance().backgroundColor);
            for (const auto appearance : {uikit::UIUserInterfaceStyle::light, uikit::UIUserInterfaceStyle::dark}) {
                const auto traits = uikittests::style(appearance);
                EXPECT_EQ(panel->surfaceView()->appearance().backgroundColor->resolvedColor(traits),
                          vyd::palette::backgroundSecondary().resolvedColor(traits));
            }
            ASSERT_TRUE(panel->surfaceView()->grabberHandle()->backgroundColor());
            EXPECT_EQ(*panel->surfaceView()->grabberHandle()->backgroundColor(),
                      uikit::UIColor::white().withAlphaComponent(0.25));
            EXPECT_TRUE(panel->backdropView()->dismissalTapGestureRecognizer()->isEnabled());
            EXPECT_TRUE(panel->isRemovalInteractionEnabled());
            EXPECT_EQ(panel->layout()->initialState(), SlidePanelState::full());
            EXPECT_EQ(panel->behavior()->removalInteractionVelocityThreshold(), 5.5);
            EXPECT_EQ(panel->behavior()->allowsStateChangeByDrag(), behavior == Behavior::default_);
        }
    }
    // A plain panel has none of it.
    const auto plain = SlidePanelController::make();
    EXPECT_FALSE(plain->backdropView()->dismissalTapGestureRecognizer()->isEnabled());
    EXPECT_FALSE(plain->isRemovalInteractionEnabled());
}

TEST_F(SlidePanelFactoryTest, StylesPlaceTheFullState) {
    SlidePanelFactory factory;
    const auto web = factory.createSlidePanel(Style::web, Behavior::default_, delegate);
    EXPECT_EQ(web->delegate(), delegate);
    root->present(web, false);
    settle();
    EXPECT_EQ(web->surfaceLocation().y, 47 + 16);
    web->dismiss(false);
    settle();

    const auto sized = factory.createSlidePanel(Style::contentSize, Behavior::noDrag, nullptr);
    sized->set(sheet());
    root->present(sized, false);
    settle();
    EXPECT_EQ(sized->state(), SlidePanelState::full());
    EXPECT_EQ(sized->surfaceLocation().y, 844 - 34 - 300);
    EXPECT_EQ(sized->surfaceLocation(SlidePanelState::full()).y, 844 - 34 - 300);
    // The layout follows the content: a new height once told, a new content at once.
    sized->contentViewController()->view()->constraints().front()->setConstant(200);
    sized->invalidateLayout();
    EXPECT_EQ(sized->surfaceLocation().y, 844 - 34 - 200);
    sized->set(uikit::UIViewController::make());
    EXPECT_EQ(sized->surfaceLocation().y, 844 - 34) << "a content that needs no height";
}

TEST_F(SlidePanelFactoryTest, ContainerGivesOneFactoryUntilReplaced) {
    const auto factory = vyd::DIContainer::slidePanelFactory();
    ASSERT_NE(std::dynamic_pointer_cast<SlidePanelFactory>(factory), nullptr);
    EXPECT_EQ(vyd::DIContainer::slidePanelFactory(), factory);

    class Recording : public vyd::SlidePanelFactoryProtocol {
    public:
        std::shared_ptr<SlidePanelController>
        createSlidePanel(PanelStyle, PanelBehavior,
                         const std::shared_ptr<vyd::SlidePanelControllerDelegate>&) override {
            ++made;
            return SlidePanelController::make();
        }
        int made = 0;
    };
    const auto replacement = std::make_shared<Recording>();
    {
        vydtest::ScopedServices services;
        services.replace(&vyd::DIContainer::setSlidePanelFactory, replacement);
        vyd::DIContainer::slidePanelFactory()->createSlidePanel(Style::web, Behavior::noDrag, nullptr);
        EXPECT_EQ(replacement->made, 1);
    }
    EXPECT_EQ(vyd::DIContainer::slidePanelFactory(), factory) << "the scope puts the former factory back";
}

} // namespace
