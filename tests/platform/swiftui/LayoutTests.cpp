#include "platform/swiftui/ViewGraph.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace swiftui;

// Lays the view out in a space of `space` and gives the root.
struct Laid {
    explicit Laid(View view, CGSize space) : graph(std::move(view), EnvironmentValues{}) { graph.layout(space); }
    const Node& root() const { return *graph.root(); }
    ViewGraph graph;
};

View box(CGFloat w, CGFloat h, const char* id) { return View(Color::red()).frame(w, h).accessibilityIdentifier(id); }

struct Case {
    const char* name;
    View view;
    CGSize space;
    std::vector<std::pair<const char*, CGRect>> frames;
};

TEST(DeclarativeLayoutTest, ParentProposesChildChoosesParentPlaces) {
    const std::vector<Case> cases = {
        {"hstack shares the rest with the spacer",
         HStack({box(50, 20, "a"), Spacer(), box(30, 10, "b")}),
         {200, 100},
         {{"a", {0, 40, 50, 20}}, {"b", {170, 45, 30, 10}}}},
        {"vstack spacing and leading alignment, centred in the space",
         VStack(HorizontalAlignment::leading, 4, {box(50, 20, "a"), box(30, 10, "b")}),
         {100, 100},
         {{"a", {25, 33, 50, 20}}, {"b", {25, 57, 30, 10}}}},
        {"default spacing of 8 and no gap for an empty view",
         VStack({box(10, 10, "a"), EmptyView(), If(false, box(5, 5, "x")), box(10, 10, "b")}),
         {10, 28},
         {{"a", {0, 0, 10, 10}}, {"b", {0, 18, 10, 10}}}},
        {"padding and offset",
         box(20, 20, "a").padding(EdgeSet(Edge::leading), 10).accessibilityIdentifier("p").offset(3, -2),
         {30, 20},
         {{"p", {3, -2, 30, 20}}, {"a", {13, -2, 20, 20}}}},
        {"zstack aligns its children, overlay takes its content's size",
         ZStack(Alignment::bottomTrailing(), {box(40, 40, "a"), box(10, 10, "b")})
             .overlay(box(6, 6, "o"), Alignment::topLeading()),
         {40, 40},
         {{"a", {0, 0, 40, 40}}, {"b", {30, 30, 10, 10}}, {"o", {0, 0, 6, 6}}}},
        {"flexible frame: unbounded width fills, ideal height when none is offered",
         VStack(
             {box(20, 20, "a")
                  .frame(FlexibleFrame{
                      .minWidth = 0, .maxWidth = infinity, .minHeight = 72, .idealHeight = 152, .maxHeight = infinity})
                  .accessibilityIdentifier("f")}),
         {300, 72},
         {{"f", {0, 0, 300, 72}}, {"a", {140, 26, 20, 20}}}},
        {"least flexible first: the fixed view keeps its width, the colours split the rest",
         HStack(VerticalAlignment::center, 0,
                {View(Color::red()).accessibilityIdentifier("l"), box(100, 10, "m"),
                 View(Color::blue()).accessibilityIdentifier("r")}),
         {300, 10},
         {{"l", {0, 0, 100, 10}}, {"m", {100, 0, 100, 10}}, {"r", {200, 0, 100, 10}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Laid laid(c.view, c.space);
        for (const auto& [id, frame] : c.frames) {
            const Node* node = laid.root().findIdentifier(id);
            ASSERT_NE(node, nullptr) << id;
            EXPECT_EQ(node->frame(), frame) << id;
        }
    }
}

} // namespace
