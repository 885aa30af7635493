#include "lib/SuitePath.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempInstall;

TEST(ResolveSuitePath, KeepsAbsoluteFoldersAndJoinsTheOthers) {
    const struct {
        const char* path;
        const char* base;
        const char* expected;
    } cases[] = {
        {"D:\\Pkg\\", "C:\\Suite\\", "D:\\Pkg\\"},
        {"d:Pkg\\", "C:\\Suite\\", "d:Pkg\\"},
        {"Pkg\\", "C:\\Suite\\", "C:\\Suite\\Pkg\\"},
        {"\\Pkg\\", "C:\\Suite\\", "C:\\Suite\\Pkg\\"},
        {"\\", "C:\\Suite\\", "C:\\Suite\\"},
        {"\\\\server\\share\\Pkg\\", "C:\\Suite\\", "\\\\server\\share\\Pkg\\"},
        {"/opt/pkg/", "/srv/suite/", "/opt/pkg/"},
        {"//server/share/", "/srv/suite/", "//server/share/"},
        {"pkg/", "/srv/suite/", "/srv/suite/pkg/"},
        {"\\pkg/", "/srv/suite/", "/srv/suite/pkg/"},
        {"", "/srv/suite/", "/srv/suite/"},
        {"1:pkg/", "/srv/suite/", "/srv/suite/1:pkg/"},
        {"..\\pkg\\", "/srv/suite/", "/srv/suite/..\\pkg\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ResolveSuitePath(c.path, c.base), c.expected);
    }
}

TEST(ResolveSuitePath, SeparatorsOfBothKindsEndAFolder) {
    EXPECT_EQ(WithTrailingSeparator("/a"), "/a/");
    EXPECT_EQ(WithTrailingSeparator("/a/"), "/a/");
    EXPECT_EQ(WithTrailingSeparator("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(WithTrailingSeparator(""), "/");
}

TEST(GetSuitePath, TakesTheClientFolderThenTheServerFolder) {
    TempInstall install;
    const ScopedPlatform platform(FixedPlatformValues{.TempPath = "/var/tmp-of-test/"});
    const struct {
        const char* name;
        std::optional<std::string> clientPath;
        std::optional<std::string> serverPath;
        const char* suitePath;
        const char* orTemp;
    } cases[] = {
        {"both", "/c", "/s/", "/c", "/c"},
        {"server only", std::nullopt, "/s/", "/s/", "/s/"},
        {"empty client", "", "/s/", "/s/", "/s/"},
        {"neither", std::nullopt, std::nullopt, "", "/var/tmp-of-test/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.SetRegistry({.ClientPath = c.clientPath, .ServerPath = c.serverPath});
        EXPECT_EQ(GetSuitePath(), c.suitePath);
        EXPECT_EQ(GetSuitePathOrTemp(), c.orTemp);
    }
}

TEST(GetSuitePath, IsEmptyWithoutTheKeyAndFallsBackToTheTemporaryFolder) {
    TempInstall install;
    install.SetRegistryContent("not a registry file");
    {
        const ScopedPlatform platform(FixedPlatformValues{.TempPath = "/var/tmp-of-test/"});
        EXPECT_EQ(GetSuitePath(), "");
        EXPECT_EQ(GetSuitePathOrTemp(), "/var/tmp-of-test/");
    }
    const ScopedPlatform noTemp(FixedPlatformValues{.TempPath = ""});
    EXPECT_EQ(GetSuitePathOrTemp(), "/tmp/");
}

TEST(GetSuitePath, AFailingPlatformGivesTheLastResort) {
    class Failing : public test::FixedPlatformServices {
    public:
        Failing() : FixedPlatformServices({}) {}
        std::string TempPath() const override { throw std::runtime_error("no temporary folder"); }
    };
    TempInstall install;
    install.SetRegistry({});
    const auto previous = SetPlatformServices(std::make_shared<Failing>());
    EXPECT_EQ(GetSuitePathOrTemp(), "/tmp/");
    SetPlatformServices(previous);
}

} // namespace
} // namespace vondrel
