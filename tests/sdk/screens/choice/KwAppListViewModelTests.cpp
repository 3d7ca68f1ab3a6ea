#include "ChoiceTestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using namespace choicetests;
using Entries = std::vector<std::string>;

class KwAppListViewModelTest : public ::testing::Test {
protected:
    void SetUp() override { foundation::RunLoop::main().discardPending(); }
    // Lets the attempts that were started finish and post back.
    static void finish(const Fixture& f, std::size_t entries) {
        foundation::RunLoop::main().runUntil([&] { return f.log.entries().size() >= entries; }, 10);
        foundation::RunLoop::main().runUntilIdle();
    }
};

TEST_F(KwAppListViewModelTest, PicksAndTheCloseButtonGiveTheirEventsAndSignalsInOrder) {
    struct Case {
        const char* name;
        bool opens;
        bool dynamic;
        Entries expected;
    };
    const std::vector<Case> cases = {
        {"a stable app that opens",
         true,
         false,
         {"click VY Bank", "deeplink vybank:// s1 (off main)", "dismiss", "opened"}},
        {"the dynamic entry goes to the service's own app-to-app road",
         true,
         true,
         {"click VY Bank", "app2app s1 (off main)", "dismiss", "opened"}},
        {"an attempt that opens nothing leaves the sheet open",
         false,
         false,
         {"click VY Bank", "deeplink vybank:// s1 (off main)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto app = c.dynamic ? dynamicApp("VY Bank") : stableApp("VY Bank");
        Fixture f({app}, c.opens);
        f.model->selectedApp().send(std::nullopt); // ignored
        f.model->selectedApp().send(app);
        finish(f, c.expected.size());
        EXPECT_EQ(f.log.entries(), c.expected);
    }

    Fixture closing({stableApp("VY Bank")});
    closing.model->crossButtonPressed();
    EXPECT_EQ(closing.log.entries(), (Entries{"cancel", "dismiss"}));
}

TEST_F(KwAppListViewModelTest, APickAfterTheServiceWentSendsOnlyItsEvent) {
    Fixture f({stableApp("VY Bank")});
    f.auth.reset();
    f.delegate.reset(); // a gone delegate does not stop the signal either
    f.model->selectedApp().send(stableApp("VY Bank"));
    finish(f, 1);
    EXPECT_EQ(f.log.entries(), (Entries{"click VY Bank"}));

    Fixture g({stableApp("VY Bank")});
    g.delegate.reset();
    g.model->selectedApp().send(stableApp("VY Bank"));
    finish(g, 3);
    EXPECT_EQ(g.log.entries(), (Entries{"click VY Bank", "deeplink vybank:// s1 (off main)", "dismiss"}));
}

TEST_F(KwAppListViewModelTest, TheModelIsNotKeptAliveByItsOwnBinding) {
    std::weak_ptr<vyd::KwAppListViewModel> weak;
    {
        Fixture f({});
        weak = f.model;
    }
    EXPECT_TRUE(weak.expired());
}

} // namespace
