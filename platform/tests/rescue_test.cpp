// The session rescue, reached by two threads at once (the display lost
// under SDL's connection and the clipboard's): the second waits until the
// first has kept the user's work, rather than ending the process under it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "platform/backend/backend.h"

namespace plat::testing {
namespace {

TEST(SessionRescue, ASecondCallerWaitsForTheFirstRescueAndOneFromInsideItEndsAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string kept = ::testing::TempDir() + "rescued_session.txt";
    std::remove(kept.c_str());
    EXPECT_EXIT(
        {
            static std::atomic<bool> saving{false};
            SetSessionRescue([kept] {
                saving = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                std::ofstream(kept) << "kept";
            });
            std::thread second([] {
                while (!saving)
                    std::this_thread::yield();
                RescueSessionAndExit(7);
            });
            RescueSessionAndExit(7);
        },
        ::testing::ExitedWithCode(7), "");
    std::ifstream in(kept);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "kept") << "the process ended while the rescue was still saving";
    std::remove(kept.c_str());

    EXPECT_EXIT(
        {
            SetSessionRescue([] { RescueSessionAndExit(9); });
            RescueSessionAndExit(7);
        },
        ::testing::ExitedWithCode(9), "");
}

}  // namespace
}  // namespace plat::testing
