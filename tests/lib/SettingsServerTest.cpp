#include "lib/VondrelIni.h"

#include "lib/PasswordEncoding.h"
#include "support/FixedPlatform.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vondrel {
namespace {

using test::FixedPlatformValues;
using test::MakeDateTime;
using test::ScopedPlatform;
using test::TempInstall;
using Strings = std::vector<std::string>;

class ServerSettings : public ::testing::Test {
protected:
    TempInstall install;
    ScopedPlatform platform{
        FixedPlatformValues{.Now = MakeDateTime(2004, 3, 5, 14, 7, 9, 42), .UserName = "ann"}};

    struct Cell {
        int row;
        int column;
        Variant value;
    };
    static void ExpectCells(const TVondrelIniS& ini, const std::vector<Cell>& cells) {
        ASSERT_EQ(ini.DBSettings.DimCount(), 2);
        EXPECT_EQ(ini.DBSettings.LowBound(1), 0);
        EXPECT_EQ(ini.DBSettings.HighBound(1), 3);
        EXPECT_EQ(ini.DBSettings.LowBound(2), 0);
        EXPECT_EQ(ini.DBSettings.HighBound(2), 7);
        for (const Cell& cell : cells) {
            SCOPED_TRACE(testing::Message() << "[" << cell.row << "," << cell.column << "]");
            const Variant& actual = ini.DBSettings.At({cell.row, cell.column});
            EXPECT_EQ(actual.Type(), cell.value.Type());
            EXPECT_EQ(actual, cell.value);
        }
    }
};

TEST_F(ServerSettings, AnEmptyFileGivesEveryDefault) {
    install.WriteServerIni("");
    TVondrelIniS ini;
    EXPECT_TRUE(ini.Load());
    EXPECT_EQ(ini.ErrorId, "");
    EXPECT_EQ(ini.ServerPath, install.Path());
    EXPECT_EQ(ini.IniFileName, install.PathOf("VondrelS.ini"));
    EXPECT_EQ(ini.Version, "");
    EXPECT_EQ(ini.UICodePage, "936");
    EXPECT_EQ(ini.DBCodePage, "936");
    EXPECT_FALSE(ini.SupportCallBack);
    EXPECT_EQ(ini.DBKind, 0);
    EXPECT_EQ(ini.SystemControlAddress, "");
    EXPECT_EQ(ini.OtherSystemControlAddress, "");
    EXPECT_EQ(ini.WorkDLLPaths, Strings{install.PathOf("S_PKG/")});
    const Variant none;
    ExpectCells(
        ini,
        {
            {0, 0, "Pellam"},     {0, 1, "sa"},         {0, 2, ""},   {0, 3, "MSSQL"},
            {0, 4, ""},           {0, 5, ""},           {0, 6, 300},  {0, 7, 3000},
            {1, 0, "PellamTemp"}, {1, 1, "sa"},         {1, 2, ""},   {1, 3, "PARADOX"},
            {1, 4, ""},           {1, 5, "PostgreSQL"}, {1, 6, 300},  {1, 7, 3000},
            {2, 0, ""},           {2, 1, 211},          {2, 2, 1024}, {2, 3, "Chinese_Taiwan_Stroke_BIN"},
            {2, 4, none},         {2, 5, none},         {2, 6, none}, {2, 7, none},
            {3, 0, "EDIDATA"},    {3, 1, "sa"},         {3, 2, ""},   {3, 3, none},
            {3, 4, none},         {3, 5, none},         {3, 6, none}, {3, 7, none},
        });
    // An empty password is not a failure: no report.
    EXPECT_FALSE(install.Exists("Log"));
}

TEST_F(ServerSettings, EveryKeyGoesToItsCell) {
    install.WriteServerIni("[ProductVersion]\nVersion=7.1\n"
                           "[CodePage]\nUICodePage=950\nDBCodePage=936\n"
                           "[DBE Setting]\n"
                           "MainUserName=ledger\nXXXXXX=" +
                           EncodeSQLSa("m@in pw") +
                           "\nMainAlias=Main\nMainDBType=Oracle\nMainDBName=gl\n"
                           "MainServerName=db01\nSystemControlAddress=ctl1\nOtherSystemControlAddress=ctl2\n"
                           "MainConnectionTimeOut=30\nMainCommandTimeOut=60\n"
                           "TempAlias=Tmp\nTempUserName=tmpuser\nTempPassword=" +
                           EncodeSQLSa("临时") +
                           "\nTempDBType=SQLITE\nTempDBName=tmp.db\nTempDriverName=SQLite3\n"
                           "TempConnectionTimeOut=31\nTempCommandTimeOut=61\n"
                           "DataBaseCodeOrder=Chinese_PRC_BIN\n"
                           "EctAlias=EX\nEctUserName=exuser\nEctPassword=c2E=\n"
                           "[DBPasswordCtrl]\nComputerName= app1 \nServerPort=4000\nClientSocketPort=2048\n"
                           "SupportCallBack=TRUE\n"
                           "[WorkDLLPath]\nJobs=jobs\n");
    const TVondrelIniS ini;
    EXPECT_EQ(ini.Version, "7.1");
    EXPECT_EQ(ini.UIConvertMode, 2);
    EXPECT_EQ(ini.DBConvertMode, 2);
    EXPECT_TRUE(ini.SupportCallBack);
    EXPECT_EQ(ini.DBKind, 1);
    EXPECT_EQ(ini.SystemControlAddress, "ctl1");
    EXPECT_EQ(ini.OtherSystemControlAddress, "ctl2");
    EXPECT_EQ(ini.WorkDLLPaths, Strings{install.PathOf("jobs/")});
    ExpectCells(ini, {
                         {0, 0, "Main"},   {0, 1, "ledger"},  {0, 2, "m@in pw"}, {0, 3, "Oracle"},
                         {0, 4, "gl"},     {0, 5, "db01"},    {0, 6, 30},        {0, 7, 60},
                         {1, 0, "Tmp"},    {1, 1, "tmpuser"}, {1, 2, "临时"},    {1, 3, "SQLITE"},
                         {1, 4, "tmp.db"}, {1, 5, "SQLite3"}, {1, 6, 31},        {1, 7, 61},
                         {2, 0, "app1"},   {2, 1, 4000},      {2, 2, 2048},      {2, 3, "Chinese_PRC_BIN"},
                         {3, 0, "EX"},     {3, 1, "exuser"},  {3, 2, "c2E="}, // stored as it stands
                     });
}

TEST_F(ServerSettings, TheServerFileKeepsItsAddressesInThePasswordSection) {
    install.WriteServerIni("[Server Information]\nComputerName=wrong\nServerPort=1\nSupportCallBack=1\n"
                           "[DBPasswordCtrl]\nComputerName=right\n");
    const TVondrelIniS ini;
    EXPECT_EQ(ini.DBSettings.At({2, 0}), Variant("right"));
    EXPECT_EQ(ini.DBSettings.At({2, 1}), Variant(211));
    EXPECT_FALSE(ini.SupportCallBack);
}

TEST_F(ServerSettings, TheDatabaseTypeGivesTheKind) {
    const struct {
        const char* type;
        int kind;
    } cases[] = {{"oracle", 1}, {"ORACLE", 1}, {"Oracle9", 0}, {"db2", 2},
                 {"DB2", 2},    {"MSSQL", 0},  {"", 0},        {"DB2 ", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        install.WriteServerIni(std::string("[DBE Setting]\nMainDBType=") + c.type + "\n");
        EXPECT_EQ(TVondrelIniS().DBKind, c.kind);
    }
}

TEST_F(ServerSettings, BlankControlAddressesTakeTheMainServer) {
    const struct {
        const char* name;
        const char* lines;
        const char* address;
        const char* other;
    } cases[] = {
        {"both blank", "MainServerName=db01\n", "db01", "db01"},
        {"blanks in quotes", "MainServerName=db01\nSystemControlAddress=\"  \"\n", "db01", "db01"},
        {"own addresses", "MainServerName=db01\nSystemControlAddress=c1\nOtherSystemControlAddress=c2\n",
         "c1", "c2"},
        {"only the second given", "MainServerName=db01\nOtherSystemControlAddress=c2\n", "db01", "c2"},
        {"no main server either", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.WriteServerIni(std::string("[DBE Setting]\n") + c.lines);
        const TVondrelIniS ini;
        EXPECT_EQ(ini.SystemControlAddress, c.address);
        EXPECT_EQ(ini.OtherSystemControlAddress, c.other);
    }
}

TEST_F(ServerSettings, AnUndecodablePasswordIsMarkedReportedAndTheRestIsRead) {
    install.WriteServerIni("[DBE Setting]\nXXXXXX=plain-secret\nTempPassword=" + EncodeSQLSa("tmp") +
                           "\nMainDBName=gl\n");
    TVondrelIniS ini;
    EXPECT_TRUE(ini.Load());
    EXPECT_EQ(ini.DBSettings.At({0, 2}), Variant("KM_Say_Password_Error"));
    EXPECT_EQ(ini.DBSettings.At({1, 2}), Variant("tmp"));
    EXPECT_EQ(ini.DBSettings.At({0, 4}), Variant("gl"));
    const std::string log = install.ReadFile("Log/Alert_TovikGenerator_20040305.log");
    EXPECT_NE(log.find("Programer Message: 解析 Sa 时发生错误!\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("plain-secret"), std::string::npos) << "the report shows the stored text";
}

TEST_F(ServerSettings, WorkFoldersAndTheirCopy) {
    install.WriteServerIni("[WorkDLLPath]\nA=\\jobs\nB=/srv/jobs\n");
    const TVondrelIniS ini;
    std::vector<std::string> list = {"left over"};
    ini.CopyWorkDLLPaths(list);
    EXPECT_EQ(list, (Strings{install.PathOf("jobs/"), "/srv/jobs/"}));
}

TEST_F(ServerSettings, TheRegistryDecidesWhetherThereIsAnythingToRead) {
    install.WriteServerIni("[DBE Setting]\nMainAlias=Main\n");
    const struct {
        const char* name;
        const char* registry;
        const char* errorId;
    } cases[] = {
        {"no suite key", "REGEDIT4\n", "E;000015"},
        {"only a client path",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\KMB\\Vondrel]\n\"ClientPath\"=\"/x/\"\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install.SetRegistryContent(c.registry);
        TVondrelIniS ini;
        EXPECT_FALSE(ini.Load());
        EXPECT_EQ(ini.ErrorId, c.errorId);
        EXPECT_EQ(ini.ServerPath, "");
        EXPECT_TRUE(ini.WorkDLLPaths.empty());
        // The settings array is there, with nothing in it.
        ASSERT_EQ(ini.DBSettings.DimCount(), 2);
        EXPECT_TRUE(ini.DBSettings.At({0, 0}).IsEmpty());
        EXPECT_TRUE(ini.DBSettings.At({3, 7}).IsEmpty());
    }
}

TEST_F(ServerSettings, ProfilesPerUserWorkAsForTheClient) {
    install.SetRegistry({.ClientPath = {}, .ServerPath = install.Path(), .ProfileType = "1"});
    install.WriteServerIni("[DBE Setting]\nMainAlias=shared\n");
    install.WriteFile("Profile/ann/VondrelS.ini", "[DBE Setting]\nMainAlias=ann's\n");
    const TVondrelIniS ini;
    EXPECT_EQ(ini.ProfileName, "ann");
    EXPECT_EQ(ini.ProfilePath, install.PathOf("Profile/ann/"));
    EXPECT_EQ(ini.DBSettings.At({0, 0}), Variant("ann's"));
}

} // namespace
} // namespace vondrel
