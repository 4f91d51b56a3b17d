#include <gtest/gtest.h>

#include <vector>

#include "components/blinking_list.h"
#include "test_support.h"

using namespace pavik;

namespace {

struct Client : BlinkClient {
    bool blinking = true;
    std::vector<bool> phases;
    bool blinkQuery() const override { return blinking; }
    void blinkState(bool on) override { phases.push_back(on); }
};

}  // namespace

TEST(BlinkingList, OneTimerDrivesEveryBlinkingClientInStep) {
    test::ManualTimers timers;
    Client a, b, quiet;
    quiet.blinking = false;
    EXPECT_EQ(TPvBlinkingControlsList::instance(), nullptr);
    TPvBlinkingControlsList::add(&a);
    TPvBlinkingControlsList::add(&b);
    TPvBlinkingControlsList::add(&quiet);
    ASSERT_EQ(timers.count(), 1);
    ManualTimer* t = timers.last();
    EXPECT_TRUE(t->enabled());
    EXPECT_EQ(t->interval(), 500);

    auto* list = TPvBlinkingControlsList::instance();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->phase());
    list->setOnInterval(300);
    list->setOffInterval(700);
    t->advance(500);  // starts "on": the first tick turns it off
    EXPECT_EQ(a.phases, (std::vector<bool>{false}));
    EXPECT_EQ(t->interval(), 700);
    t->advance(700);
    EXPECT_EQ(t->interval(), 300);
    t->advance(300);
    EXPECT_EQ(a.phases, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(b.phases, a.phases);
    EXPECT_TRUE(quiet.phases.empty());

    // The list goes with its last member; a new member starts a fresh one.
    TPvBlinkingControlsList::remove(&a);
    TPvBlinkingControlsList::remove(&b);
    EXPECT_EQ(list->count(), 1);
    TPvBlinkingControlsList::remove(&quiet);
    EXPECT_EQ(TPvBlinkingControlsList::instance(), nullptr);
    TPvBlinkingControlsList::add(&a);
    EXPECT_EQ(TPvBlinkingControlsList::instance()->offInterval(), 500);
    EXPECT_TRUE(TPvBlinkingControlsList::instance()->phase());
    TPvBlinkingControlsList::remove(&a);
}

TEST(BlinkingList, MemberMayLeaveWhileTold) {
    test::ManualTimers timers;
    struct Leaver : Client {
        void blinkState(bool on) override {
            Client::blinkState(on);
            TPvBlinkingControlsList::remove(this);
        }
    } leaver;
    Client other;
    TPvBlinkingControlsList::add(&leaver);
    TPvBlinkingControlsList::add(&other);
    timers.last()->advance(500);
    EXPECT_EQ(leaver.phases.size(), 1u);
    EXPECT_EQ(other.phases.size(), 1u);
    EXPECT_EQ(TPvBlinkingControlsList::instance()->count(), 1);
    TPvBlinkingControlsList::remove(&other);
    EXPECT_EQ(TPvBlinkingControlsList::instance(), nullptr);
}
