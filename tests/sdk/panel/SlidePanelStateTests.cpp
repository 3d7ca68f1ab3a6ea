#include "sdk/panel/SlidePanelState.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vyd::SlidePanelState;
using vyd::SlidePanelStateRef;

const SlidePanelStateRef& full() { return SlidePanelState::full(); }
const SlidePanelStateRef& half() { return SlidePanelState::half(); }
const SlidePanelStateRef& tip() { return SlidePanelState::tip(); }
const SlidePanelStateRef& hidden() { return SlidePanelState::hidden(); }

} // namespace

TEST(SlidePanelStateTest, SharedStatesHaveTheirNamesAndRanks) {
    struct Row {
        const SlidePanelStateRef& state;
        const char* rawValue;
        std::intptr_t order;
    };
    for (const Row& row :
         {Row{full(), "full", 1000}, Row{half(), "half", 500}, Row{tip(), "tip", 100}, Row{hidden(), "hidden", 0}}) {
        ASSERT_NE(row.state, nullptr);
        EXPECT_EQ(row.state->rawValue(), row.rawValue);
        EXPECT_EQ(row.state->description(), row.rawValue);
        EXPECT_EQ(row.state->order(), row.order) << row.rawValue;
    }
    EXPECT_EQ(SlidePanelState::full(), SlidePanelState::full()) << "one object on every read";
    EXPECT_NE(SlidePanelState::full(), SlidePanelState::half());
}

TEST(SlidePanelStateTest, NeighboursFollowTheListsOwnOrderAndStopAtTheEnds) {
    using List = std::vector<SlidePanelStateRef>;
    struct Row {
        const char* list;
        List states;
        SlidePanelStateRef state;
        SlidePanelStateRef next;
        SlidePanelStateRef pre;
    };
    const List all{hidden(), tip(), half(), full()};
    const Row rows[] = {
        {"all", all, hidden(), tip(), hidden()},
        {"all", all, tip(), half(), hidden()},
        {"all", all, half(), full(), tip()},
        {"all", all, full(), full(), half()},
        // A layout that lists its states from most to least expanded gets the neighbours that way.
        {"reversed", {full(), half(), hidden()}, half(), hidden(), full()},
        {"reversed", {full(), half(), hidden()}, full(), half(), full()},
        {"reversed", {full(), half(), hidden()}, hidden(), hidden(), half()},
        // Subsets skip the states that are not there; an absent state and an empty list give the
        // state itself.
        {"subset", {hidden(), full()}, hidden(), full(), hidden()},
        {"subset", {hidden(), full()}, full(), full(), hidden()},
        {"without tip", {hidden(), half(), full()}, tip(), tip(), tip()},
        {"empty", {}, hidden(), hidden(), hidden()},
        {"empty", {}, tip(), tip(), tip()},
        {"empty", {}, half(), half(), half()},
        {"empty", {}, full(), full(), full()},
        // The first occurrence of a repeated state decides.
        {"repeated", {half(), tip(), full(), tip()}, tip(), full(), half()},
        {"repeated at start", {tip(), half(), tip()}, tip(), half(), tip()},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.state->next(row.states), row.next) << "next of " << *row.state << " in " << row.list;
        EXPECT_EQ(row.state->pre(row.states), row.pre) << "pre of " << *row.state << " in " << row.list;
    }
}

TEST(SlidePanelStateTest, StateMadeFromASharedNameIsAnotherStateAndCopiesKeepTheirIdentity) {
    const SlidePanelStateRef madeHalf = SlidePanelState::make("half");
    ASSERT_NE(madeHalf, nullptr);
    EXPECT_EQ(madeHalf->rawValue(), "half");
    EXPECT_EQ(madeHalf->description(), "half");
    EXPECT_EQ(madeHalf->order(), 0);
    EXPECT_NE(madeHalf, half());

    const SlidePanelStateRef rankedHalf = SlidePanelState::make("half", 500);
    EXPECT_EQ(rankedHalf->order(), 500);
    EXPECT_NE(rankedHalf, half());
    EXPECT_NE(rankedHalf, madeHalf);

    // In a list the look-alike is not the shared state: neither finds the other.
    const std::vector<SlidePanelStateRef> states{tip(), madeHalf, full()};
    EXPECT_EQ(half()->next(states), half());
    EXPECT_EQ(madeHalf->next(states), full());
    EXPECT_EQ(madeHalf->pre(states), tip());

    // A copy keeps the identity.
    EXPECT_EQ(half()->copy(), half());
    EXPECT_EQ(rankedHalf->copy()->copy(), rankedHalf);
}

TEST(SlidePanelStateTest, DebugDescriptionCarriesTheZeroPaddedAddress) {
    const std::string prefix = "<SlidePanel.SlidePanelState: 0x";
    for (const SlidePanelStateRef& state : {full(), hidden(), SlidePanelState::make("full")}) {
        const std::string text = state->debugDescription();
        ASSERT_THAT(text, testing::MatchesRegex("<SlidePanel\\.SlidePanelState: 0x[0-9a-f]{16}>"));
        EXPECT_EQ(std::strtoull(text.substr(prefix.size(), 16).c_str(), nullptr, 16),
                  reinterpret_cast<std::uintptr_t>(state.get()))
            << text;
    }
    EXPECT_NE(full()->debugDescription(), SlidePanelState::make("full")->debugDescription());

    std::ostringstream printed;
    printed << *tip();
    EXPECT_EQ(printed.str(), "tip");
}
