#include "lib/VondrelIni.h"

#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::ScopedPlatform;
using test::TempInstall;

std::string DemoFile(const std::string& name) {
    std::ifstream in(std::string(VONDREL_SOURCE_DIR) + "/demo/install/" + name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(DemoSettings, TheDemoInstallationReadsCompletely) {
    TempInstall install;
    const ScopedPlatform platform(FixedPlatformValues{.SysCodePage = "437"});
    install.WriteClientIni(DemoFile("VondrelC.ini"));
    install.WriteServerIni(DemoFile("VondrelS.ini"));

    TVondrelIniC client;
    EXPECT_TRUE(client.Load());
    EXPECT_EQ(client.LangType, "CHS");
    EXPECT_EQ(client.UICodePage, "936");
    EXPECT_EQ(client.DBCodePage, "936");
    EXPECT_EQ(client.UIConvertMode, 0);
    EXPECT_EQ(client.DBConvertMode, 0);
    ASSERT_EQ(client.ServerList.DimCount(), 2);
    EXPECT_EQ(client.ServerList.At({0, 0}), Variant("127.0.0.1"));
    EXPECT_EQ(client.ServerList.At({1, 0}), Variant(211));

    TVondrelIniS server;
    EXPECT_TRUE(server.Load());
    EXPECT_EQ(server.DBSettings.At({0, 2}), Variant(""));
    EXPECT_EQ(server.DBSettings.At({1, 2}), Variant(""));
    EXPECT_EQ(server.DBSettings.At({2, 0}), Variant("127.0.0.1"));
    EXPECT_EQ(server.SystemControlAddress, "127.0.0.1");
    EXPECT_FALSE(install.Exists("Log")) << "no error was reported";
}

} // namespace
} // namespace vondrel
