// The hand-over endpoint, the same on Linux and on Windows: a request reaches the listener once it serves,
// each request is answered after the raise ran, an unknown or stopped endpoint says no at once, and stopping
// does not wait for a request that never comes.
#include "platform/handover.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;
using platform::askToRaise;
using platform::HandoverListener;

TEST(PlatformHandover, EachRequestIsAnsweredAfterTheRaiseRan)
{
    HandoverListener listener;
    ASSERT_FALSE(listener.name().empty());
    std::atomic<int> raised = 0;
    listener.serve([&raised] {
        std::this_thread::sleep_for(50ms); // answered only once this returns
        ++raised;
    });
    for (int request = 1; request <= 3; ++request) {
        EXPECT_TRUE(askToRaise(listener.name(), 2s)) << request;
        EXPECT_EQ(raised, request);
    }
}

TEST(PlatformHandover, NamesAreNeverTheSame)
{
    const HandoverListener first;
    const HandoverListener second;
    EXPECT_NE(first.name(), second.name());
}

TEST(PlatformHandover, NoAnswerWhereNobodyServes)
{
    const auto unanswered = [](const std::string& name) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(askToRaise(name, 1s)) << name;
        return std::chrono::steady_clock::now() - start;
    };
    unanswered("brumvelda-nobody-listens-here");
    unanswered("");

    HandoverListener stopped;
    const std::string name = stopped.name();
    stopped.serve([] {});
    stopped.stop();
    stopped.stop(); // twice is harmless
    EXPECT_LT(unanswered(name), 500ms); // the endpoint is gone, not only unserved

    // Listening but not serving yet: the request waits and then goes unanswered, nothing is raised.
    HandoverListener notServing;
    EXPECT_FALSE(askToRaise(notServing.name(), 200ms));
}

TEST(PlatformHandover, StoppingDoesNotWaitForRequests)
{
    const auto start = std::chrono::steady_clock::now();
    {
        HandoverListener listener;
        listener.serve([] {});
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}
