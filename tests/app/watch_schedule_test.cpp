#include "app/watch_schedule.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>

namespace stowbel {
namespace {

// A schedule whose ticks are counted, with a dialog the test opens and closes.
class WatchScheduleTest : public testing::Test {
protected:
    WatchSchedule schedule_{"Timer1", 60000, Hooks(), nullptr};
    int ticks_ = 0;
    bool dialogOpen_ = false;
    bool modalOpen_ = false;
    // Runs inside a tick, after it is counted.
    std::function<void(const std::atomic<bool>*)> during_;

    WatchSchedule::Hooks Hooks() {
        return {[this](const std::atomic<bool>* interrupted) {
                    ++ticks_;
                    if (during_) {
                        during_(interrupted);
                    }
                },
                [this] { return dialogOpen_; }, [this] { return modalOpen_; }};
    }
    static void Settle() { QCoreApplication::processEvents(); }
};

TEST_F(WatchScheduleTest, TicksOnlyWhileOn) {
    schedule_.Tick();
    EXPECT_EQ(ticks_, 0);
    schedule_.Start();
    EXPECT_TRUE(schedule_.IsOn());
    schedule_.Tick();
    EXPECT_EQ(ticks_, 1);
    schedule_.Stop();
    schedule_.Tick();
    EXPECT_EQ(ticks_, 1);
}

TEST_F(WatchScheduleTest, ATickBehindADialogWaitsUntilItCloses) {
    schedule_.Start();
    dialogOpen_ = true;
    schedule_.Tick();
    Settle();
    EXPECT_EQ(ticks_, 0);
    dialogOpen_ = false;
    schedule_.DialogsClosed();
    Settle();
    EXPECT_EQ(ticks_, 1);
    Settle();
    EXPECT_EQ(ticks_, 1);  // once
}

TEST_F(WatchScheduleTest, ATickBehindAnotherModalWindowRunsAtTheNextTick) {
    schedule_.Start();
    modalOpen_ = true;
    schedule_.Tick();
    Settle();  // not one of the program's dialogs: nothing says when it closes
    EXPECT_EQ(ticks_, 0);
    modalOpen_ = false;
    schedule_.Tick();
    EXPECT_EQ(ticks_, 1);
}

TEST_F(WatchScheduleTest, ADialogOpenedDuringATickStopsItAndItGoesOnAfterwards) {
    schedule_.Start();
    during_ = [this](const std::atomic<bool>* interrupted) {
        if (ticks_ == 1) {
            dialogOpen_ = true;
            schedule_.DialogOpened();
            EXPECT_TRUE(interrupted->load());
        }
    };
    schedule_.Tick();
    Settle();
    EXPECT_EQ(ticks_, 1);
    dialogOpen_ = false;
    schedule_.DialogsClosed();
    Settle();
    EXPECT_EQ(ticks_, 2);
}

TEST_F(WatchScheduleTest, ATickNeverRunsInsideAnotherAndFollowsIt) {
    schedule_.Start();
    during_ = [this](const std::atomic<bool>*) {
        if (ticks_ == 1) {
            schedule_.Tick();  // the timer fires while the first tick shows its orders
            EXPECT_EQ(ticks_, 1);
        }
    };
    schedule_.Tick();
    EXPECT_EQ(ticks_, 1);
    Settle();
    EXPECT_EQ(ticks_, 2);
}

TEST_F(WatchScheduleTest, TurningWatchModeOffStopsATickAndDropsAWaitingOne) {
    schedule_.Start();
    during_ = [this](const std::atomic<bool>* interrupted) {
        schedule_.Stop();
        EXPECT_TRUE(interrupted->load());
    };
    schedule_.Tick();
    Settle();
    EXPECT_EQ(ticks_, 1);
    schedule_.DialogsClosed();
    Settle();
    EXPECT_EQ(ticks_, 1);
}

}  // namespace
}  // namespace stowbel
