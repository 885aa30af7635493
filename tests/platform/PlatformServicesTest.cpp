#include "platform/PlatformServices.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

namespace vondrel {
namespace {

/// The machine of the tests: a fixed moment, user, computer and temporary folder.
class TFixedMachine : public TPlatformServices {
public:
    TDateTime Now() const override { return 37991.75; } // 5 January 2004, 18:00
    std::string ComputerName() const override { return "KMWS07"; }
    std::string UserName() const override { return "ann"; }
    std::string TempPath() const override { return "/fixed/temp/"; }
};

TEST(PlatformServices, ATestCanFixTheMachine) {
    const auto previous = SetPlatformServices(std::make_shared<TFixedMachine>());
    EXPECT_EQ(Now(), 37991.75);
    EXPECT_EQ(Today(), 37991.0);
    EXPECT_EQ(Platform().ComputerName(), "KMWS07");
    EXPECT_EQ(Platform().UserName(), "ann");
    EXPECT_EQ(Platform().TempPath(), "/fixed/temp/");

    // Installing returns what was in use, so it can be put back.
    const auto fixed = SetPlatformServices(previous);
    EXPECT_EQ(fixed->UserName(), "ann");
    EXPECT_NE(Platform().UserName(), "ann");
}

TEST(PlatformServices, NullRestoresTheMachinesOwn) {
    const auto previous = SetPlatformServices(std::make_shared<TFixedMachine>());
    SetPlatformServices(nullptr);
    EXPECT_NE(Platform().ComputerName(), "KMWS07");
    SetPlatformServices(previous);
}

TEST(PlatformServices, TheMachinesOwnServices) {
    const TPlatformServices machine;
    // The clock reads local time: today's date by the C library's calendar.
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    const TDateTime today = *TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const TDateTime now = machine.Now();
    EXPECT_GE(now, today);
    EXPECT_LT(now, today + 2); // allows for midnight passing in between

    EXPECT_FALSE(machine.ComputerName().empty());
    EXPECT_FALSE(machine.UserName().empty());

    test::TempFolder folder;
    {
        const test::ScopedEnv env("TMPDIR", folder.Path());
        EXPECT_EQ(machine.TempPath(), folder.Path() + "/");
    }
    {
        const test::ScopedEnv env("TMPDIR", folder.Path() + "/");
        EXPECT_EQ(machine.TempPath(), folder.Path() + "/");
    }
    const test::ScopedEnv env("USER", "someone-else");
    EXPECT_EQ(machine.UserName(), "someone-else");
}

} // namespace
} // namespace vondrel
