#include "platform/quartzcore/CALayer.hpp"
#include "platform/quartzcore/CAShapeLayer.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <numbers>

using namespace quartzcore;
using coregraphics::CGPath;

namespace {

std::vector<std::string> names(const CALayer::Sublayers& layers) {
    std::vector<std::string> result;
    for (const auto& layer : layers) {
        result.push_back(layer->name().value_or("?"));
    }
    return result;
}

std::shared_ptr<CALayer> named(const std::string& name) {
    auto layer = CALayer::make();
    layer->setName(name);
    return layer;
}

TEST(Layer, SublayersKeepTheirOrderThroughAddInsertAndRemove) {
    const auto root = CALayer::make();
    const auto a = named("a"), b = named("b"), c = named("c");
    root->addSublayer(a);
    root->addSublayer(b);
    root->addSublayer(c);
    root->addSublayer(a); // adding again moves it to the top
    EXPECT_EQ(names(root->sublayers()), (std::vector<std::string>{"b", "c", "a"}));
    root->insertSublayerBelow(a, b);
    EXPECT_EQ(names(root->sublayers()), (std::vector<std::string>{"a", "b", "c"}));

    b->removeFromSuperlayer();
    EXPECT_EQ(b->superlayer(), nullptr);
    const auto other = named("other");
    other->addSublayer(c);
    EXPECT_EQ(names(root->sublayers()), (std::vector<std::string>{"a"})) << "moving leaves the old parent";
    EXPECT_EQ(c->superlayer(), other);
}

TEST(Layer, RefusesToBecomeItsOwnAncestor) {
    const auto parent = named("parent");
    const auto child = named("child");
    const auto grandchild = named("grandchild");
    parent->addSublayer(child);
    child->addSublayer(grandchild);

    grandchild->addSublayer(parent);
    child->addSublayer(child);
    EXPECT_EQ(parent->superlayer(), nullptr);
    EXPECT_TRUE(grandchild->sublayers().empty());
    EXPECT_EQ(names(child->sublayers()), (std::vector<std::string>{"grandchild"}));
}

TEST(Layer, SuperlayerIsWeakAndSublayersAreOwned) {
    std::weak_ptr<CALayer> weakChild;
    auto child = named("kept");
    {
        auto parent = CALayer::make();
        auto owned = named("owned");
        weakChild = owned;
        parent->addSublayer(owned);
        parent->addSublayer(child);
        owned.reset();
        EXPECT_FALSE(weakChild.expired()) << "the parent owns its sublayers";
    }
    EXPECT_TRUE(weakChild.expired());
    EXPECT_EQ(child->superlayer(), nullptr) << "a released parent is no longer the superlayer";
}

TEST(Layer, ZPositionDecidesDrawingOrderNotSublayerOrder) {
    const auto root = CALayer::make();
    const auto top = named("top"), a = named("a"), b = named("b"), also = named("alsoTop");
    top->setZPosition(FLT_MAX);
    also->setZPosition(FLT_MAX);
    b->setZPosition(-1);
    root->addSublayer(top);
    root->addSublayer(a);
    root->addSublayer(also);
    root->addSublayer(b);
    EXPECT_EQ(names(root->sublayers()), (std::vector<std::string>{"top", "a", "alsoTop", "b"}));
    EXPECT_EQ(names(root->sublayersInDrawingOrder()), (std::vector<std::string>{"b", "a", "top", "alsoTop"}))
        << "equal z-positions draw in sublayer order, the later one above";
    EXPECT_EQ(top->zPosition(), FLT_MAX);
}

TEST(Layer, FrameFollowsPositionBoundsAndTransform) {
    const auto layer = CALayer::make();
    layer->setFrame({10, 20, 100, 50});
    EXPECT_EQ(layer->bounds(), CGRect(0, 0, 100, 50));
    EXPECT_EQ(layer->position(), (CGPoint{60, 45}));

    layer->setAffineTransform(coregraphics::CGAffineTransform::rotation(std::numbers::pi / 2));
    const CGRect turned = layer->frame();
    EXPECT_NEAR(turned.width(), 50, 1e-9);
    EXPECT_NEAR(turned.height(), 100, 1e-9);
    EXPECT_NEAR(turned.midX(), 60, 1e-9);
    EXPECT_NEAR(turned.midY(), 45, 1e-9);
}

TEST(Layer, ShapeMaskKeepsItsPathAndIsNoSublayer) {
    const auto shape = CAShapeLayer::make();
    shape->setPath(CGPath::roundedRect({0, 0, 40, 6}, 5));
    EXPECT_EQ(shape->path()->cornerWidth(), 5);
    EXPECT_EQ(shape->path()->cornerHeight(), 3) << "a corner cannot exceed half the side";

    const auto host = CALayer::make();
    host->setMask(shape);
    EXPECT_EQ(host->mask(), shape);
    EXPECT_TRUE(host->sublayers().empty()) << "a mask is not a sublayer";
}

} // namespace
