#include "ChoiceTestSupport.hpp"

#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/choice/AppsOverlayImageView.hpp"
#include "sdk/screens/choice/KwAppListView.hpp"

#include <gtest/gtest.h>

namespace {

using namespace choicetests;
using namespace swiftui;
using ::testing::SimulatedUser;
using vyd::KWAppInfo;

std::shared_ptr<uikit::UIImage> icon(std::size_t side) {
    return uikit::UIImage::withCGImage(
        coregraphics::CGImage::make(side, side, std::vector<coregraphics::CGRGBA>(side * side)));
}

class KwAppListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::Clock::useManualClock();
        foundation::RunLoop::main().discardPending();
        device = std::make_unique<::testing::SimulatedDevice>();
    }
    void TearDown() override {
        device.reset();
        foundation::RunLoop::main().discardPending();
        foundation::Clock::useRealClock();
    }

    static std::shared_ptr<UIHostingController> sheet(const std::shared_ptr<vyd::KwAppListViewModel>& model) {
        return UIHostingController::make(View(vyd::KwAppListView{}).environmentObject(model));
    }
    // The sheet as the whole screen, laid out.
    const Node& shown(const std::shared_ptr<vyd::KwAppListViewModel>& model) {
        host = sheet(model);
        device->setRootViewController(host);
        ::testing::SimulatedDevice::settle();
        return *host->hostingView()->rootNode();
    }
    std::vector<std::string> clicks(const Fixture& f) {
        foundation::RunLoop::main().runUntilIdle();
        std::vector<std::string> found;
        for (const auto& entry : f.log.entries()) {
            if (entry.rfind("click", 0) == 0 || entry.rfind("cancel", 0) == 0) {
                found.push_back(entry);
            }
        }
        return found;
    }
    static CGRect cardOf(const Node& root, const std::string& name) {
        const Node* text = root.findText(name);
        return text ? text->ancestor(NodeKind::clipShape)->frame() : CGRect::null();
    }

    std::unique_ptr<::testing::SimulatedDevice> device;
    std::shared_ptr<UIHostingController> host;
};

TEST_F(KwAppListViewTest, CardsAreArrangedByHowManyAppsThereAreAndEachTapSendsItsOwnEntry) {
    struct Case {
        const char* name;
        std::vector<KWAppInfo> apps;
        CGFloat area;
        std::vector<std::string> vertical; // cards of 168 x 152, in order from the leading edge
        std::vector<std::string> column;   // horizontal cards, top to bottom
    };
    const std::vector<Case> cases = {
        {"one app: a horizontal card that reacts to taps", {dynamicApp("VY Bank Beta")}, 74, {}, {"VY Bank Beta"}},
        {"none", {}, 154, {}, {}},
        {"two stable apps: a column",
         {stableApp("VY Bank"), stableApp("VY Bank Pro")},
         154,
         {},
         {"VY Bank", "VY Bank Pro"}},
        {"one dynamic and one stable: two vertical cards, the dynamic first",
         {stableApp("VY Bank"), dynamicApp("VY Bank Beta")},
         154,
         {"VY Bank Beta", "VY Bank"},
         {}},
        {"five apps",
         {stableApp("VY Bank"), stableApp("VY Bank Pro"), stableApp("VY Bank Biz"), stableApp("VY Bank Kids"),
          dynamicApp("VY Bank Beta")},
         154,
         {"VY Bank Beta"},
         {"VY Bank", "VY Bank Pro", "VY Bank Biz", "VY Bank Kids"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.apps, false);
        const Node& root = shown(f.model);
        const Node* area = root.find([](const Node& n) {
            return n.kind() == NodeKind::frame && n.description().as<FramePayload>().height.has_value();
        });
        // The first fixed-height frame is the spacer's 24; the cards' area comes after it.
        const auto frames = root.findAll([](const Node& n) {
            return n.kind() == NodeKind::frame && n.description().as<FramePayload>().height &&
                   !n.description().as<FramePayload>().width;
        });
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(area->frame().height(), 24);
        EXPECT_EQ(frames[1]->frame().height(), c.area);

        CGFloat lastX = -1;
        for (const auto& name : c.vertical) {
            const CGRect card = cardOf(root, name);
            EXPECT_EQ(card.size, (CGSize{168, 152})) << name;
            EXPECT_GT(card.minX(), lastX) << name;
            lastX = card.minX();
        }
        CGFloat lastY = -1;
        for (const auto& name : c.column) {
            const CGRect card = cardOf(root, name);
            EXPECT_GE(card.height(), 72) << name;
            EXPECT_GT(card.width(), 168) << name;
            EXPECT_GT(card.minY(), lastY) << name;
            lastY = card.minY();
        }
        std::vector<std::string> expected;
        for (const auto& app : c.apps) {
            SimulatedUser::tap(device->keyWindow(), app.name);
            expected.push_back("click " + app.name);
        }
        EXPECT_EQ(clicks(f), expected);
    }
}

TEST_F(KwAppListViewTest, ListedTwiceTheSameEntryGivesTwoCardsThatEachSendIt) {
    const auto app = stableApp("VY Bank");
    Fixture f({app, app}, false);
    const Node& root = shown(f.model);
    const auto cards =
        root.findAll([](const Node& n) { return n.kind() == NodeKind::text && n.string() == "VY Bank"; });
    ASSERT_EQ(cards.size(), 2u);
    for (const Node* card : cards) {
        SimulatedUser::tap(host->hostingView(), {card->frame().midX(), card->frame().midY()});
    }
    EXPECT_EQ(clicks(f), (std::vector<std::string>{"click VY Bank", "click VY Bank"}));
}

TEST_F(KwAppListViewTest, LongNamesShrinkInHorizontalCardsAndAreCutInVerticalOnes) {
    const std::string longName = "VY Bank authenticator for business customers with a very long name indeed";
    Fixture f({stableApp(longName), stableApp("VY Bank"), dynamicApp(longName + " beta")}, false);
    const Node& root = shown(f.model);
    const Node* vertical = root.findText(longName + " beta");
    EXPECT_TRUE(vertical->textLayout().truncated);
    EXPECT_EQ(vertical->textLayout().lineCount(), 2u);
    const Node* horizontal = root.findText(longName);
    EXPECT_LT(horizontal->textScale(), 1);
    EXPECT_GE(horizontal->textScale(), 0.5);
}

TEST_F(KwAppListViewTest, OverlaidIconsSitInAFrameAsWideAsTheRow) {
    struct Case {
        std::size_t icons;
        CGFloat width;
    };
    for (const auto& c : std::vector<Case>{{0, 9}, {1, 42}, {3, 108}}) {
        SCOPED_TRACE(c.icons);
        std::vector<std::shared_ptr<uikit::UIImage>> images(c.icons, icon(42));
        auto overlay = UIHostingController::make(View(vyd::AppsOverlayImageView{images}));
        const Node& root = *overlay->hostingView()->rootNode();
        const Node& frame = *root.children()[0];
        EXPECT_EQ(frame.kind(), NodeKind::frame);
        EXPECT_EQ(frame.frame().width(), c.width);
        const auto drawn = root.findAll([](const Node& n) { return n.kind() == NodeKind::image; });
        ASSERT_EQ(drawn.size(), c.icons);
        for (std::size_t i = 0; i < c.icons; ++i) {
            // Icon 0 at the trailing edge, each further one 33 points towards the leading edge.
            EXPECT_EQ(drawn[i]->frame().maxX(), frame.frame().maxX() - 33.0 * static_cast<CGFloat>(i));
        }
    }
    // A larger icon keeps its size and is cut by the 42-point rounded clip.
    auto big = UIHostingController::make(View(vyd::AppsOverlayImageView{{icon(60)}}));
    const Node& root = *big->hostingView()->rootNode();
    const Node* image = root.find([](const Node& n) { return n.kind() == NodeKind::image; });
    EXPECT_EQ(image->frame().size, (CGSize{60, 60}));
    EXPECT_EQ(image->ancestor(NodeKind::clipShape)->frame().size, (CGSize{42, 42}));
}

TEST_F(KwAppListViewTest, TheDismissSignalClosesTheSheetWhileItIsShownAndNotAfter) {
    Fixture f({stableApp("VY Bank"), stableApp("VY Bank Pro")}, false);
    const auto root = device->rootViewController();
    const auto list = sheet(f.model);
    const auto panel =
        vyd::SlidePanelFactory().createSlidePanel(vyd::SlidePanelFactoryProtocol::PanelStyle::contentSize,
                                                  vyd::SlidePanelFactoryProtocol::PanelBehavior::noDrag, nullptr);
    panel->set(list);
    root->present(panel, true);
    foundation::Clock::advance(2);
    ASSERT_EQ(root->presentedViewController(), panel);
    // The sheet's content decides the panel's height: the texts, the spacer and the cards' area.
    EXPECT_GT(list->view()->frame().height(), 24 + 154);

    // The close button: the cancel event; the sheet then closes on the model's signal.
    const Node* cross =
        list->hostingView()->rootNode()->find([](const Node& n) { return n.kind() == NodeKind::button; });
    ASSERT_NE(cross, nullptr);
    SimulatedUser::tap(list->hostingView(), {cross->frame().midX(), cross->frame().midY()});
    foundation::Clock::advance(2);
    EXPECT_EQ(clicks(f), (std::vector<std::string>{"cancel"}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(f.log.entries(), (std::vector<std::string>{"cancel", "dismiss"})); // the delegate is not told

    // Once the sheet is gone its view no longer listens: another presentation stays.
    auto other = uikit::UIViewController::make();
    root->present(other, false);
    f.model->crossButtonPressed();
    foundation::Clock::advance(2);
    EXPECT_EQ(root->presentedViewController(), other);
}

} // namespace
