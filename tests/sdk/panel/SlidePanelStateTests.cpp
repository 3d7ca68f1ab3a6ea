#include "sdk/panel/SlidePanelState.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

using vyd::SlidePanelState;
using vyd::SlidePanelStateRef;

const SlidePanelStateRef& full() { return SlidePanelState::full(); }
const SlidePanelStateRef& half() { return SlidePanelState::half(); }
const SlidePanelStateRef& tip() { return SlidePanelState::tip(); }
const SlidePanelStateRef& hidden() { return SlidePanelState::hidden(); }

std::vector<SlidePanelStateRef> allFour() { return {hidden(), tip(), half(), full()}; }

} // namespace

TEST(SlidePanelStateTest, SharedStatesHaveTheirNamesAndRanks) {
    struct Row {
        const SlidePanelStateRef& state;
        const char* rawValue;
        std::intptr_t order;
    };
    for (const Row& row : {Row{full(), "full", 1000}, Row{half(), "half", 500}, Row{tip(), "tip", 100},
                           Row{hidden(), "hidden", 0}}) {
        ASSERT_NE(row.state, nullptr);
        EXPECT_EQ(row.state->rawValue(), row.rawValue);
        EXPECT_EQ(row.state->description(), row.rawValue);
        EXPECT_EQ(row.state->order(), row.order) << row.rawValue;
    }
    EXPECT_LT(hidden()->order(), tip()->order());
    EXPECT_LT(tip()->order(), half()->order());
    EXPECT_LT(half()->order(), full()->order());
}

TEST(SlidePanelStateTest, SharedStateIsOneObjectOnEveryReadFromEveryThread) {
    std::vector<const SlidePanelState*> seen(8, nullptr);
    std::vector<std::thread> readers;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        readers.emplace_back([&seen, i] { seen[i] = SlidePanelState::half().get(); });
    }
    for (auto& reader : readers) {
        reader.join();
    }
    for (const SlidePanelState* state : seen) {
        EXPECT_EQ(state, half().get());
    }
    EXPECT_EQ(SlidePanelState::full(), SlidePanelState::full());
    EXPECT_NE(SlidePanelState::full(), SlidePanelState::half());
}

TEST(SlidePanelStateTest, NeighboursInTheFullListStopAtTheEnds) {
    struct Row {
        const SlidePanelStateRef& state;
        const SlidePanelStateRef& next;
        const SlidePanelStateRef& pre;
    };
    const auto states = allFour();
    for (const Row& row : {Row{hidden(), tip(), hidden()}, Row{tip(), half(), hidden()}, Row{half(), full(), tip()},
                           Row{full(), full(), half()}}) {
        EXPECT_EQ(row.state->next(states), row.next) << "next of " << *row.state;
        EXPECT_EQ(row.state->pre(states), row.pre) << "pre of " << *row.state;
    }
}

TEST(SlidePanelStateTest, NeighboursFollowTheListsOwnOrderNotTheRank) {
    // A layout that lists its states from most to least expanded gets the neighbours that way.
    const std::vector<SlidePanelStateRef> reversed{full(), half(), hidden()};
    EXPECT_EQ(half()->next(reversed), hidden());
    EXPECT_EQ(half()->pre(reversed), full());
    EXPECT_EQ(full()->pre(reversed), full());
    EXPECT_EQ(hidden()->next(reversed), hidden());

    // Subsets skip the states that are not there.
    const std::vector<SlidePanelStateRef> subset{hidden(), full()};
    EXPECT_EQ(hidden()->next(subset), full());
    EXPECT_EQ(full()->pre(subset), hidden());
}

TEST(SlidePanelStateTest, AbsentStateAndEmptyListGiveTheStateItself) {
    const std::vector<SlidePanelStateRef> withoutTip{hidden(), half(), full()};
    EXPECT_EQ(tip()->next(withoutTip), tip());
    EXPECT_EQ(tip()->pre(withoutTip), tip());
    for (const auto& state : allFour()) {
        EXPECT_EQ(state->next({}), state);
        EXPECT_EQ(state->pre({}), state);
    }
}

TEST(SlidePanelStateTest, FirstOccurrenceOfARepeatedStateDecides) {
    const std::vector<SlidePanelStateRef> states{half(), tip(), full(), tip()};
    EXPECT_EQ(tip()->next(states), full());
    EXPECT_EQ(tip()->pre(states), half());

    const std::vector<SlidePanelStateRef> repeatedAtStart{tip(), half(), tip()};
    EXPECT_EQ(tip()->pre(repeatedAtStart), tip()) << "the first occurrence is at the start";
}

TEST(SlidePanelStateTest, StateMadeFromASharedNameIsAnotherState) {
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

    EXPECT_EQ(SlidePanelState::make("")->rawValue(), "");
    const SlidePanelStateRef extra = SlidePanelState::make("peek", 250);
    EXPECT_GT(extra->order(), tip()->order());
    EXPECT_LT(extra->order(), half()->order());
}

TEST(SlidePanelStateTest, MapsAndSetsKeyByTheObject) {
    const SlidePanelStateRef madeFull = SlidePanelState::make("full", 1000);
    std::unordered_map<SlidePanelStateRef, int> anchors{{full(), 16}, {madeFull, 300}};
    EXPECT_EQ(anchors.size(), 2u);
    EXPECT_EQ(anchors.at(full()), 16);
    EXPECT_EQ(anchors.at(madeFull), 300);

    const std::unordered_set<SlidePanelStateRef> valid{hidden(), half()};
    EXPECT_EQ(valid.count(half()), 1u);
    EXPECT_EQ(valid.count(SlidePanelState::make("half")), 0u);
    EXPECT_EQ(valid.count(half()->copy()), 1u);
}

TEST(SlidePanelStateTest, CopyIsTheSameObject) {
    EXPECT_EQ(half()->copy(), half());
    const SlidePanelStateRef made = SlidePanelState::make("custom", 7);
    EXPECT_EQ(made->copy(), made);
    EXPECT_EQ(made->copy()->copy().get(), made.get());
}

TEST(SlidePanelStateTest, DebugDescriptionCarriesTheZeroPaddedAddress) {
    const std::regex format("<SlidePanel\\.SlidePanelState: 0x([0-9a-f]{16})>");
    for (const SlidePanelStateRef& state : {full(), hidden(), SlidePanelState::make("full")}) {
        const std::string text = state->debugDescription();
        std::smatch match;
        ASSERT_TRUE(std::regex_match(text, match, format)) << text;
        EXPECT_EQ(std::strtoull(match[1].str().c_str(), nullptr, 16), reinterpret_cast<std::uintptr_t>(state.get()))
            << text;
    }
    EXPECT_NE(full()->debugDescription(), SlidePanelState::make("full")->debugDescription());

    std::ostringstream printed;
    printed << *tip();
    EXPECT_EQ(printed.str(), "tip");
}
