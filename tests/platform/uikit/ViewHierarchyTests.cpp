#include "UIKitTestSupport.hpp"

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace uikittests;
using ::testing::HasSubstr;

namespace {

std::vector<std::shared_ptr<quartzcore::CALayer>> layersOf(const std::vector<std::shared_ptr<UIView>>& views) {
    std::vector<std::shared_ptr<quartzcore::CALayer>> layers;
    for (const auto& view : views) {
        layers.push_back(view->layer());
    }
    return layers;
}

// Counts the tint colour changes it is told of.
class RecordingView : public UIView {
public:
    using UIView::UIView;
    int tintChanges = 0;

protected:
    void tintColorDidChange() override { ++tintChanges; }
};

using ViewHierarchyTest = UIKitTest;

TEST_F(ViewHierarchyTest, SubviewOrderAndLayerOrderStayInStep) {
    auto parent = UIView::make({0, 0, 100, 100});
    auto a = UIView::make();
    auto b = UIView::make();
    auto c = UIView::make();
    auto d = UIView::make();
    // A layer added by other code keeps its place among the views' layers.
    auto foreign = quartzcore::CALayer::make();

    parent->addSubview(a);
    parent->layer()->addSublayer(foreign);
    parent->addSubview(c);
    parent->insertSubview(b, 1);
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{a, b, c}));
    EXPECT_EQ(parent->layer()->sublayers(),
              (std::vector<std::shared_ptr<quartzcore::CALayer>>{a->layer(), foreign, b->layer(), c->layer()}));

    parent->insertSubviewBelow(d, a);
    parent->addSubview(b); // moves it to the front
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{d, a, c, b}));
    auto viewLayers = parent->layer()->sublayers();
    viewLayers.erase(std::remove(viewLayers.begin(), viewLayers.end(), foreign), viewLayers.end());
    EXPECT_EQ(viewLayers, layersOf(parent->subviews()));

    // Moving a view to another parent takes it (and its layer) out of the first.
    UIView::make()->addSubview(b);
    a->removeFromSuperview();
    EXPECT_EQ(parent->subviews(), (std::vector<std::shared_ptr<UIView>>{d, c}));
    EXPECT_EQ(parent->layer()->sublayers(),
              (std::vector<std::shared_ptr<quartzcore::CALayer>>{d->layer(), foreign, c->layer()}));
}

TEST_F(ViewHierarchyTest, RefusesCyclesWithAMessageAndKeepsTheTree) {
    auto root = UIView::make();
    auto child = UIView::make();
    auto grandchild = UIView::make();
    root->addSubview(child);
    child->addSubview(grandchild);

    EXPECT_THAT(stderrOf([&] { root->addSubview(root); }), HasSubstr("Can't add self as subview"));
    EXPECT_THAT(stderrOf([&] { grandchild->addSubview(root); }), HasSubstr("ancestors"));

    EXPECT_EQ(root->superview(), nullptr);
    EXPECT_TRUE(grandchild->subviews().empty());
}

TEST_F(ViewHierarchyTest, HitTestingSkipsHiddenTransparentAndNonInteractiveViews) {
    // Columns: change made to the front view, whether it is still hit.
    const std::tuple<const char*, std::function<void(UIView&)>, bool> cases[] = {
        {"hidden", [](UIView& v) { v.setHidden(true); }, false},
        {"alpha below 0.01", [](UIView& v) { v.setAlpha(0.009); }, false},
        {"alpha at 0.01", [](UIView& v) { v.setAlpha(0.01); }, true},
        {"interaction off", [](UIView& v) { v.setUserInteractionEnabled(false); }, false},
    };
    for (const auto& [name, change, frontViewHit] : cases) {
        SCOPED_TRACE(name);
        auto root = UIView::make({0, 0, 200, 200});
        auto back = UIView::make({0, 0, 200, 200});
        auto front = UIView::make({50, 50, 100, 100});
        auto inner = UIView::make({10, 10, 20, 20});
        root->addSubview(back);
        root->addSubview(front);
        front->addSubview(inner);
        change(*front);

        EXPECT_EQ(root->hitTest({100, 100}), frontViewHit ? front : back);
        EXPECT_EQ(root->hitTest({65, 65}), frontViewHit ? inner : back) << "the subtree goes with it";
    }
}

TEST_F(ViewHierarchyTest, HitTestingFollowsBoundsOriginAndTransform) {
    auto root = UIView::make({0, 0, 300, 300});
    auto scroller = UIView::make({0, 0, 300, 300});
    auto content = UIView::make({0, 400, 50, 50});
    root->addSubview(scroller);
    scroller->addSubview(content);
    EXPECT_EQ(root->hitTest({25, 25}), scroller);
    scroller->setBounds({0, 400, 300, 300}); // scrolled down by 400
    EXPECT_EQ(root->hitTest({25, 25}), content);

    // A view scaled to twice its size around its centre covers twice the area.
    auto scaled = UIView::make({100, 100, 20, 20});
    root->addSubview(scaled);
    scaled->setTransform(CGAffineTransform::scale(2, 2));
    EXPECT_EQ(scaled->frame(), (CGRect{90, 90, 40, 40}));
    EXPECT_EQ(root->hitTest({92, 92}), scaled);
}

TEST_F(ViewHierarchyTest, FrameBoundsAndCenterAgreeAndBadValuesAreRefused) {
    auto view = UIView::make({10, 20, 30, 40});
    EXPECT_EQ(view->center(), (CGPoint{25, 40}));
    view->setCenter({100, 100});
    view->setBounds({0, 0, 10, 10});
    EXPECT_EQ(view->frame(), (CGRect{95, 95, 10, 10}));

    const std::string message = stderrOf([&] {
        view->setFrame({NAN, 0, 10, 10});
        view->setFrame({0, 0, INFINITY, 10});
    });
    EXPECT_THAT(message, HasSubstr("non-finite"));
    EXPECT_EQ(view->frame(), (CGRect{95, 95, 10, 10}));

    // A negative size is read as the standardized rectangle.
    view->setFrame({50, 50, -20, -10});
    EXPECT_EQ(view->frame(), (CGRect{30, 40, 20, 10}));
}

TEST_F(ViewHierarchyTest, AutoresizingMasksShareTheSuperviewsGrowth) {
    // Child at (10, 10, 80, 20) in a 100 x 100 parent that grows to 200 x 150.
    const std::tuple<const char*, UIViewAutoresizing, CGRect> cases[] = {
        {"flexible top margin", UIViewAutoresizing::flexibleTopMargin, {10, 60, 80, 20}},
        {"flexible width and height",
         UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight,
         {10, 10, 180, 70}},
        {"centred horizontally",
         UIViewAutoresizing::flexibleLeftMargin | UIViewAutoresizing::flexibleRightMargin,
         {60, 10, 80, 20}},
    };
    for (const auto& [name, mask, expected] : cases) {
        auto parent = UIView::make({0, 0, 100, 100});
        auto child = UIView::make({10, 10, 80, 20});
        child->setAutoresizingMask(mask);
        parent->addSubview(child);
        parent->setFrame({0, 0, 200, 150});
        EXPECT_EQ(child->frame(), expected) << name;
    }

    // Views laid out by constraints are left to the constraints.
    auto parent = UIView::make({0, 0, 100, 100});
    auto child = UIView::make({10, 10, 80, 20});
    child->setAutoresizingMask(UIViewAutoresizing::flexibleWidth);
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent->addSubview(child);
    parent->setFrame({0, 0, 200, 100});
    EXPECT_EQ(child->frame().size.width, 80);
}

TEST_F(ViewHierarchyTest, TintColourIsInheritedAndChangesAreAnnounced) {
    auto parent = UIView::create<RecordingView>(CGRect{});
    auto child = UIView::create<RecordingView>(CGRect{});
    auto ownTint = UIView::create<RecordingView>(CGRect{});
    parent->addSubview(child);
    parent->addSubview(ownTint);
    ownTint->setTintColor(UIColor::red());
    const int childBefore = child->tintChanges;
    const int ownBefore = ownTint->tintChanges;

    parent->setTintColor(UIColor::black());
    EXPECT_TRUE(child->tintColor() == UIColor::black());
    EXPECT_TRUE(ownTint->tintColor() == UIColor::red());
    EXPECT_EQ(child->tintChanges, childBefore + 1);
    EXPECT_EQ(ownTint->tintChanges, ownBefore); // its own colour did not change
}

TEST(EdgeInsets, InsetShrinksEachEdgeByItsOwnAmount) {
    EXPECT_EQ(inset(CGRect{0, 0, 100, 50}, UIEdgeInsets{1, 2, 3, 4}), CGRect(2, 1, 94, 46));
    EXPECT_EQ(inset(CGRect{0, 0, 100, 50}, UIEdgeInsets{0, 60, 0, 60}).size.width, -20);
}

} // namespace
