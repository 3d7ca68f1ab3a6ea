#include "ChoiceTestSupport.hpp"

#include "platform/swiftui/UIHostingController.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/choice/AppsOverlayImageView.hpp"
#include "sdk/screens/choice/KwAppListView.hpp"
#include "sdk/uikit/UIKitTestSupport.hpp"

#include <gtest/gtest.h>

using namespace vyd;
namespace {

using namespace choicetests;
using namespace swiftui;
using ::testing::SimulatedUser;
using Strings = std::vector<std::string>;

std::shared_ptr<uikit::UIImage> icon(std::size_t side) {
    return uikit::UIImage::withCGImage(
        coregraphics::CGImage::make(side, side, std::vector<coregraphics::CGRGBA>(side * side)));
}
std::shared_ptr<UIHostingController> sheet(const std::shared_ptr<KwAppListViewModel>& model) {
    return UIHostingController::make(View(KwAppListView{}).environmentObject(model));
}
void tapNode(const std::shared_ptr<UIHostingController>& host, const Node* node) {
    SimulatedUser::tap(host->hostingView(), {node->frame().midX(), node->frame().midY()});
}

class KwAppListViewTest : public uikittests::PhoneTest {
protected:
    // The sheet as the whole screen, laid out.
    const Node& shown(const std::shared_ptr<KwAppListViewModel>& model) {
        host = sheet(model);
        device->setRootViewController(host);
        settle();
        return *host->hostingView()->rootNode();
    }
    static Strings clicks(const Fixture& f) {
        foundation::RunLoop::main().runUntilIdle();
        Strings found = f.log.entries();
        std::erase_if(found, [](const std::string& e) { return !e.starts_with("click") && !e.starts_with("cancel"); });
        return found;
    }
    static CGRect cardOf(const Node& tree, const std::string& name) {
        const Node* text = tree.findText(name);
        return text ? text->ancestor(NodeKind::clipShape)->frame() : CGRect::null();
    }

    // Lets the attempts that were started finish and post back.
    static void finish(const Fixture& f, std::size_t entries) {
        foundation::RunLoop::main().runUntil([&] { return f.log.entries().size() >= entries; }, 10);
        foundation::RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<UIHostingController> host;
};

TEST_F(KwAppListViewTest, PicksAndTheCloseButtonGiveTheirEventsAndSignalsInOrder) {
    // Columns: name, the attempt opens, dynamic entry, service gone, delegate gone, log.
    const std::tuple<const char*, bool, bool, bool, bool, Strings> cases[] = {
        // clang-format off
        {"a stable app that opens", true, false, false, false,
         {"click VY Bank", "deeplink vybank:// s1 (off main)", "dismiss", "opened"}},
        {"the dynamic entry goes to the service's own app-to-app road", true, true, false, false,
         {"click VY Bank", "app2app s1 (off main)", "dismiss", "opened"}},
        {"an attempt that opens nothing leaves the sheet open", false, false, false, false,
         {"click VY Bank", "deeplink vybank:// s1 (off main)"}},
        {"the service gone: only the event", true, false, true, true, {"click VY Bank"}},
        {"the delegate gone: the signal still", true, false, false, true,
         {"click VY Bank", "deeplink vybank:// s1 (off main)", "dismiss"}},
        // clang-format on
    };
    for (const auto& [name, opens, dynamic, serviceGone, delegateGone, expected] : cases) {
        SCOPED_TRACE(name);
        const auto app = dynamic ? dynamicApp("VY Bank") : stableApp("VY Bank");
        Fixture f({app}, opens);
        if (serviceGone) {
            f.auth.reset();
        }
        if (delegateGone) {
            f.delegate.reset();
        }
        f.model->selectedApp().send(std::nullopt); // ignored
        f.model->selectedApp().send(app);
        finish(f, expected.size());
        EXPECT_EQ(f.log.entries(), expected);
    }

    std::weak_ptr<KwAppListViewModel> weak = Fixture({}).model;
    EXPECT_TRUE(weak.expired()) << "the model keeps itself alive through its own binding";
}

// Vertical cards are 168 x 152, side by side; horizontal ones wider and at least 72 high, one
// above the other; every card, the same entry's twice too, sends its own entry once per tap.
TEST_F(KwAppListViewTest, CardsAreArrangedByHowManyAppsThereAre) {
    // Columns: name, apps, the cards' area height, vertical cards from the leading edge, column cards from the top.
    const std::tuple<const char*, std::vector<KWAppInfo>, CGFloat, Strings, Strings> cases[] = {
        // clang-format off
        {"one app: a horizontal card", {dynamicApp("VY Bank Beta")}, 74, {}, {"VY Bank Beta"}},
        {"two stable apps: a column", {stableApp("VY Bank"), stableApp("VY Bank Pro")}, 154, {},
         {"VY Bank", "VY Bank Pro"}},
        {"one dynamic and one stable: two vertical cards, the dynamic first",
         {stableApp("VY Bank"), dynamicApp("VY Bank Beta")}, 154, {"VY Bank Beta", "VY Bank"}, {}},
        {"the same entry twice", {stableApp("VY Bank"), stableApp("VY Bank")}, 154, {}, {}},
        {"four stable and a dynamic", {stableApp("VY Bank"), stableApp("VY Bank Pro"), stableApp("VY Bank Biz"),
          stableApp("VY Bank Kids"), dynamicApp("VY Bank Beta")},
         154, {"VY Bank Beta"}, {"VY Bank", "VY Bank Pro", "VY Bank Biz", "VY Bank Kids"}},
        // clang-format on
    };
    for (const auto& [name, apps, area, vertical, column] : cases) {
        SCOPED_TRACE(name);
        Fixture f(apps, false);
        const Node& tree = shown(f.model);
        // The first fixed-height frame is the spacer's 24; the cards' area comes after it.
        const auto frames = tree.findAll([](const Node& n) {
            return n.kind() == NodeKind::frame && n.description().as<FramePayload>().height &&
                   !n.description().as<FramePayload>().width;
        });
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[1]->frame().height(), area);
        for (std::size_t i = 0; i < vertical.size(); ++i) {
            EXPECT_EQ(cardOf(tree, vertical[i]).size, (CGSize{168, 152}));
            EXPECT_TRUE(i == 0 || cardOf(tree, vertical[i - 1]).minX() < cardOf(tree, vertical[i]).minX());
        }
        for (std::size_t i = 0; i < column.size(); ++i) {
            EXPECT_GE(cardOf(tree, column[i]).height(), 72);
            EXPECT_GT(cardOf(tree, column[i]).width(), 168);
            EXPECT_TRUE(i == 0 || cardOf(tree, column[i - 1]).minY() < cardOf(tree, column[i]).minY());
        }
        Strings expected;
        for (const Node* text : tree.findAll([](const Node& n) { return n.kind() == NodeKind::text; })) {
            if (std::any_of(apps.begin(), apps.end(),
                            [&](const KWAppInfo& app) { return app.name == text->string(); })) {
                tapNode(host, text);
                expected.push_back("click " + text->string());
            }
        }
        EXPECT_EQ(expected.size(), apps.size()) << "a card per entry";
        EXPECT_EQ(clicks(f), expected);
    }
}

TEST_F(KwAppListViewTest, LongNamesShrinkInHorizontalCardsAndAreCutInVerticalOnes) {
    const std::string longName = "VY Bank authenticator for business customers with a very long name indeed";
    Fixture f({stableApp(longName), stableApp("VY Bank"), dynamicApp(longName + " beta")}, false);
    const Node& tree = shown(f.model);
    const Node* vertical = tree.findText(longName + " beta");
    EXPECT_TRUE(vertical->textLayout().truncated);
    EXPECT_EQ(vertical->textLayout().lineCount(), 2u);
    const Node* horizontal = tree.findText(longName);
    EXPECT_LT(horizontal->textScale(), 1);
    EXPECT_GE(horizontal->textScale(), 0.5);
}

TEST_F(KwAppListViewTest, OverlaidIconsSitInAFrameAsWideAsTheRow) {
    for (const auto& [icons, width] : {std::pair<std::size_t, CGFloat>{0, 9}, {1, 42}, {3, 108}}) {
        SCOPED_TRACE(icons);
        auto overlay = UIHostingController::make(
            View(AppsOverlayImageView{std::vector<std::shared_ptr<uikit::UIImage>>(icons, icon(42))}));
        const Node& tree = *overlay->hostingView()->rootNode();
        const Node& frame = *tree.children()[0];
        EXPECT_EQ(frame.frame().width(), width);
        const auto drawn = tree.findAll([](const Node& n) { return n.kind() == NodeKind::image; });
        ASSERT_EQ(drawn.size(), icons);
        for (std::size_t i = 0; i < icons; ++i) {
            // Icon 0 at the trailing edge, each further one 33 points towards the leading edge.
            EXPECT_EQ(drawn[i]->frame().maxX(), frame.frame().maxX() - 33.0 * static_cast<CGFloat>(i));
        }
    }
    // A larger icon keeps its size and is cut by the 42-point rounded clip.
    auto big = UIHostingController::make(View(AppsOverlayImageView{{icon(60)}}));
    const Node* image = big->hostingView()->rootNode()->find([](const Node& n) { return n.kind() == NodeKind::image; });
    EXPECT_EQ(image->frame().size, (CGSize{60, 60}));
    EXPECT_EQ(image->ancestor(NodeKind::clipShape)->frame().size, (CGSize{42, 42}));
}

TEST_F(KwAppListViewTest, TheDismissSignalClosesTheSheetWhileItIsShownAndNotAfter) {
    Fixture f({stableApp("VY Bank"), stableApp("VY Bank Pro")}, false);
    const auto list = sheet(f.model);
    const auto panel = SlidePanelFactory().createSlidePanel(SlidePanelFactoryProtocol::PanelStyle::contentSize,
                                                            SlidePanelFactoryProtocol::PanelBehavior::noDrag, nullptr);
    panel->set(list);
    root->present(panel, true);
    advance(2);
    ASSERT_EQ(root->presentedViewController(), panel);
    // The sheet's content decides the panel's height: the texts, the spacer and the cards' area.
    EXPECT_GT(list->view()->frame().height(), 24 + 154);

    // The close button: the cancel event; the sheet then closes on the model's signal.
    tapNode(list, list->hostingView()->rootNode()->find([](const Node& n) { return n.kind() == NodeKind::button; }));
    advance(2);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(f.log.entries(), (Strings{"cancel", "dismiss"})); // the delegate is not told

    // Once the sheet is gone its view no longer listens: another presentation stays.
    auto other = uikit::UIViewController::make();
    root->present(other, false);
    f.model->crossButtonPressed();
    advance(2);
    EXPECT_EQ(root->presentedViewController(), other);
}

} // namespace
