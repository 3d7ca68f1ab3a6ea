#include "platform/foundation/Dispatch.hpp"
#include "platform/swiftui/State.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/swiftui/UIViewRepresentable.hpp"
#include "platform/testing/SimulatedUser.hpp"
#include "platform/uikit/UIKitTestSupport.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace swiftui;
using ::testing::SimulatedUser;

class HostingTest : public uikittests::ClockTest {
protected:
    // A visible window of 390 x 844 whose root is a hosting controller of `view`.
    std::shared_ptr<UIHostingController> show(View view) {
        window = uikit::UIWindow::make(CGRect{0, 0, 390, 844});
        auto host = UIHostingController::make(std::move(view));
        window->setRootViewController(host);
        window->makeKeyAndVisible();
        settle();
        return host;
    }
    void settle() {
        foundation::RunLoop::main().runUntilIdle();
        window->layoutIfNeeded();
    }
    const Node& root(const std::shared_ptr<UIHostingController>& host) { return *host->hostingView()->rootNode(); }

    std::shared_ptr<uikit::UIWindow> window;
};

// A text that counts its taps in its own state.
struct Counter {
    std::string name;
    State<int> taps{0};
    View body() const {
        const auto state = taps;
        return Text(name + " " + std::to_string(*taps)).onTapGesture([state] { state.set(*state + 1); });
    }
};

View counters(const std::vector<std::string>& names, bool showExtra) {
    return VStack({ForEach(
                       names, [](const std::string& n) { return n; }, [](const std::string& n) { return Counter{n}; }),
                   If(showExtra, View(Counter{"extra"}), View(Text("none")))});
}

TEST_F(HostingTest, StateLivesWithStructuralIdentity) {
    auto host = show(counters({"a", "b", "a"}, true));
    SimulatedUser::tap(window, "a 0");
    SimulatedUser::tap(window, "b 0");
    SimulatedUser::tap(window, "b 1");
    SimulatedUser::tap(window, "extra 0");
    settle();
    // The two elements with the same identifier keep a state each.
    auto texts = [&] {
        std::vector<std::string> all;
        for (const Node* n : root(host).findAll([](const Node& n) { return n.kind() == NodeKind::text; })) {
            all.push_back(n->string());
        }
        return all;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"a 1", "b 2", "a 0", "extra 1"}));

    // Reordered elements keep their state; the branch left loses it.
    host->setRootView(counters({"b", "a", "a"}, false));
    settle();
    EXPECT_EQ(texts(), (std::vector<std::string>{"b 2", "a 1", "a 0", "none"}));
    host->setRootView(counters({"b", "a", "a"}, true));
    settle();
    EXPECT_EQ(texts().back(), "extra 0");
}

class Model : public combine::ObservableObject {
public:
    combine::Published<int> value{*this, 0};
};

// Owns a state object of its own and a counter in its state.
struct Owner {
    std::shared_ptr<int> made;
    StateObject<Model> owned{[made = made] {
        ++*made;
        return std::make_shared<Model>();
    }};
    State<int> own{0};
    View body() const {
        const auto state = own;
        const auto model = owned.get();
        return Text("own " + std::to_string(*own) + " model " + std::to_string(*model->value))
            .onTapGesture([state, model] {
                state.set(*state + 1);
                model->value = *model->value + 1;
            });
    }
};

TEST_F(HostingTest, AStateObjectIsMadeOncePerIdentityAndItsChangesShow) {
    auto made = std::make_shared<int>(0);
    auto host = show(View(Owner{made}));
    SimulatedUser::tap(window, "own 0 model 0");
    settle();
    SimulatedUser::tap(window, "own 1 model 1");
    settle();
    EXPECT_NE(root(host).findText("own 2 model 2"), nullptr);
    EXPECT_EQ(*made, 1);
}

TEST_F(HostingTest, AppearDisappearAndChangeActionsFollowTheHostingController) {
    std::vector<std::string> log;
    const auto make = [&log](bool extra, int value) {
        return VStack({Text("main").onAppear([&log] { log.push_back("main appear"); }).onDisappear([&log] {
                           log.push_back("main disappear");
                       }),
                       If(extra, Text("extra").onAppear([&log] { log.push_back("extra appear"); }).onDisappear([&log] {
                           log.push_back("extra disappear");
                       }))})
            .onChange(value, std::function<void(const int&)>(
                                 [&log](const int& v) { log.push_back("changed to " + std::to_string(v)); }));
    };
    window = uikit::UIWindow::make(CGRect{0, 0, 390, 844});
    auto host = UIHostingController::make(make(false, 1));
    host->hostingView()->rootNode(); // evaluated, but not shown
    EXPECT_TRUE(log.empty());
    window->setRootViewController(host);
    window->makeKeyAndVisible();
    settle();
    host->setRootView(make(true, 1));
    settle();
    host->setRootView(make(false, 2));
    settle();
    window->setRootViewController(uikit::UIViewController::make());
    settle();
    EXPECT_EQ(log, (std::vector<std::string>{"main appear", "extra appear", "changed to 2", "extra disappear",
                                             "main disappear"}));
}

TEST_F(HostingTest, TheSimulatedUserTapsButtonsAndGesturesByTextOrIdentifier) {
    std::vector<std::string> log;
    const auto image =
        uikit::UIImage::withCGImage(coregraphics::CGImage::make(24, 24, std::vector<coregraphics::CGRGBA>(24 * 24)));
    auto host = show(
        VStack({Button([&log] { log.push_back("button"); }, Text("Continue")),
                Button([&log] { log.push_back("image"); }, View(Image(image))).accessibilityIdentifier("close"),
                Text("twice").onTapGesture(2, [&log] { log.push_back("double"); }),
                Button([&log] { log.push_back("covered"); }, Text("covered"))
                    .overlay(View(Color::clear()).accessibilityIdentifier("cover")),
                HStack({Spacer().accessibilityIdentifier("gap")}).onTapGesture([&log] { log.push_back("gap"); })}));
    SimulatedUser::tap(window, "Continue");
    SimulatedUser::tap(window, "close");
    SimulatedUser::tap(window, "twice");
    EXPECT_EQ(log, (std::vector<std::string>{"button", "image"})); // one tap of two
    foundation::Clock::advance(0.1);
    SimulatedUser::tap(window, "twice");
    SimulatedUser::tap(window, "covered"); // the clear overlay takes the tap
    SimulatedUser::tap(window, "gap");     // a spacer draws nothing to tap
    EXPECT_EQ(SimulatedUser::tap(window, "nothing by that name"), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"button", "image", "double"}));
}

// A platform view of a fixed intrinsic size, counting the calls.
struct Embedded : UIViewRepresentable {
    Embedded(std::shared_ptr<uikit::UIView> view, std::shared_ptr<int> updates, std::shared_ptr<int> makes)
        : view(std::move(view)), updates(std::move(updates)), makes(std::move(makes)) {}
    std::shared_ptr<uikit::UIView> view;
    std::shared_ptr<int> updates;
    std::shared_ptr<int> makes;
    std::shared_ptr<uikit::UIView> makeUIView(Context&) const override {
        ++*makes;
        return view;
    }
    void updateUIView(uikit::UIView&, Context&) const override { ++*updates; }
    std::optional<CGSize> sizeThatFits(ProposedViewSize proposal, uikit::UIView&, Context&) const override {
        return CGSize{proposal.width.value_or(50), 30};
    }
};

TEST_F(HostingTest, RepresentablesAreMadeOnceUpdatedAndPlacedInTheHostingView) {
    auto platformView = uikit::UIView::make();
    auto updates = std::make_shared<int>(0);
    auto makes = std::make_shared<int>(0);
    const auto make = [&](int padding) {
        return VStack({View(Embedded(platformView, updates, makes)).padding(static_cast<CGFloat>(padding))});
    };
    auto host = show(make(10));
    EXPECT_EQ(platformView->superview(), host->hostingView());
    EXPECT_EQ(platformView->frame(), (CGRect{10, 407, 370, 30}));
    host->setRootView(make(20));
    settle();
    EXPECT_EQ(std::pair(*makes, *updates), std::pair(1, 1));
    EXPECT_EQ(platformView->frame(), (CGRect{20, 407, 350, 30}));
    host->setRootView(Text("gone"));
    settle();
    EXPECT_EQ(platformView->superview(), nullptr);
}

TEST_F(HostingTest, IntrinsicSizeComesFromTheLayoutPass) {
    auto host = UIHostingController::make(
        VStack(HorizontalAlignment::center, 0,
               {View(Color::red()).frame(100, 20),
                Text("VY ID lets you sign in with your VY Bank app").lineLimit(std::nullopt)}));
    const auto view = host->hostingView();
    const CGSize ideal = view->intrinsicContentSize();
    EXPECT_GT(ideal.width, 100);
    const CGFloat oneLine = ideal.height - 20;
    const CGSize narrow = view->sizeThatFits({120, 0});
    EXPECT_LE(narrow.width, 120);
    EXPECT_GT(narrow.height, 20 + oneLine * 2);
}

struct Sheet {
    Environment<&EnvironmentValues::presentationMode> mode;
    std::shared_ptr<bool> presented;
    View body() const {
        *presented = mode->isPresented();
        const auto presentation = mode;
        return Button([presentation] { presentation->dismiss(); }, Text("Close"));
    }
};

TEST_F(HostingTest, DismissEndsThePresentationOnlyWhileItLasts) {
    auto presenter = show(Text("root"));
    auto presented = std::make_shared<bool>(false);
    auto sheet = UIHostingController::make(View(Sheet{{}, presented}));
    presenter->present(sheet, false);
    settle();
    ASSERT_EQ(presenter->presentedViewController(), sheet);
    EXPECT_TRUE(*presented);
    const auto sheetView = sheet->hostingView();
    SimulatedUser::tap(sheetView, "Close");
    foundation::Clock::advance(1);
    settle();
    EXPECT_EQ(presenter->presentedViewController(), nullptr);

    auto other = uikit::UIViewController::make();
    presenter->present(other, false);
    settle();
    SimulatedUser::tap(sheetView, "Close"); // the sheet is gone: nothing else is dismissed
    foundation::Clock::advance(1);
    settle();
    EXPECT_EQ(presenter->presentedViewController(), other);
}

struct NeedsModel {
    EnvironmentObject<Model> model;
    View body() const { return Text(std::to_string(*model->value)); }
};

TEST(HostingDeathTest, ReadingAMissingEnvironmentObjectIsFatal) {
    EXPECT_DEATH(
        {
            auto host = UIHostingController::make(View(NeedsModel{}));
            host->hostingView()->rootNode();
        },
        "No ObservableObject of type .*Model found");
    auto host = UIHostingController::make(View(NeedsModel{}).environmentObject(std::make_shared<Model>()));
    EXPECT_NE(host->hostingView()->rootNode()->findText("0"), nullptr);
}

} // namespace
