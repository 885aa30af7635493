#include "ServerFixture.h"

#include <map>

namespace vondrel {
namespace {

struct CheckCase {
    const char* Table;
    const char* Number;
    Variant Values;
    bool Found;
    std::map<int, std::string> Elements; // the result elements the job forms read
};

const std::vector<CheckCase>& CheckCases() {
    static const std::vector<CheckCase> cases = {
        {"ADMMB",
         "01",
         VarArrayOf({"ZORB71"}),
         true,
         {{0, "损益结转"}, {4, "Y"}, {7, "Profit and Loss Carry Forward"}}},
        {"ADMMB", "01", VarArrayOf({"NOSUCH"}), false, {}},
        {"ADMMB", "11", VarArrayOf({"ZORB71"}), true, {{3, "N"}}},
        {"ADMMB", "11", VarArrayOf({"ZORR10"}), true, {{3, "Y"}}},
        {"ACTMC", "01", VarArrayOf({""}), true, {{9, "1"}, {13, "0"}, {14, "TH"}, {15, "6603"}, {17, "2"}}},
        {"ACTMH", "02", VarArrayOf({"2026", "12"}), true, {{0, "20261201"}, {1, "20261231"}}},
        {"ACTMH", "02", VarArrayOf({"2026", "02"}), true, {{0, "20260201"}, {1, "20260228"}}},
        {"ACTMH", "02", VarArrayOf({"2027", "01"}), false, {}},
        {"CMSMQ", "52", VarArrayOf({"TH"}), true, {{0, "调汇凭证"}}},
        {"CMSMQ", "45", VarArrayOf({"TH", "KM01"}), true, {{0, "TH"}}},
        {"CMSMQ", "45", VarArrayOf({"TH", "KM02"}), false, {}},  // the cashiers' group may not use it
        {"CMSMQ", "45", VarArrayOf({"OLD", "KM01"}), false, {}}, // inactive
        {"CMSMQ", "44", VarArrayOf({"ZZ", "1", "KM02"}), true, {{1, "转账凭证"}}},
        {"CMSMQ", "44", VarArrayOf({"XS", "1", "KM01"}), false, {}}, // another module's voucher type
        {"ACTMA",
         "13",
         VarArrayOf({"6603"}),
         true,
         {{1, "财务费用"}, {5, "Y"}, {6, "N"}, {7, "0"}, {8, "0"}, {9, "N"}, {10, "N"}, {11, "Y"}}},
        {"ACTMA", "13", VarArrayOf({"6602"}), true, {{5, "N"}, {7, "1"}, {10, "Y"}, {11, "N"}}},
        {"ACTMA", "13", VarArrayOf({"1002"}), false, {}}, // not a detail account
        {"ACTMA", "13", VarArrayOf({""}), false, {}},
        {"ACTME", "03", VarArrayOf({"6603", "D01"}), true, {}},
        {"ACTME", "03", VarArrayOf({"6603", "D02"}), false, {}},
        {"ACTME", "03", VarArrayOf({"6001", "D03"}), true, {}}, // no list: every department
        {"CMSME", "01", VarArrayOf({"D01"}), true, {{0, "财务部"}}},
        {"COPMA", "01", VarArrayOf({"C001"}), true, {{0, "华东贸易"}, {1, "上海华东贸易有限公司"}}},
        {"COPMA", "01", VarArrayOf({"C999"}), false, {}},
        {"CMSMV", "04", VarArrayOf({"E001"}), true, {{4, "赵一"}}},
        {"CMSMV", "01", VarArrayOf({"E002"}), true, {{0, "钱二"}}},
        {"PURMA", "01", VarArrayOf({"S002"}), true, {{0, "柏林机械"}, {4, "柏林机械有限公司"}}},
        {"ACTMF", "03", VarArrayOf({"I101", "1"}), true, {{1, "差旅费"}}},
        {"ACTMF", "03", VarArrayOf({"I101", "2"}), false, {}}, // an item of another category
        {"ACTMF", "04", VarArrayOf({"2"}), true, {{0, "I201"}}},
        {"CMSNO", "01", VarArrayOf({"P01"}), true, {{0, "新厂建设"}}},
        {"CMSMF", "01", VarArrayOf({"JPY"}), true, {{0, "日元"}}},
        {"KMBMA",
         "04",
         VarArrayOf({"KM01"}),
         true,
         {{1, "张会计"}, {2, "13800000001"}, {3, "zhang@demo.example"}}},
        {"GENES", "01", VarArrayOf({"月末", "KM01", "ZORB71"}), false, {}},
        // A single value instead of an array, and a value that would break a quoted text.
        {"CMSME", "01", Variant("D02"), true, {{0, "销售部"}}},
        {"CMSME", "01", VarArrayOf({"D01' OR '1'='1"}), false, {}},
    };
    return cases;
}

TEST_F(ServerTest, ChecksAnswerTheRowsTheFormsRead) {
    for (const CheckCase& c : CheckCases()) {
        SCOPED_TRACE(std::string(c.Table) + " " + c.Number + " " +
                     VarToStr(c.Values.IsArray() ? c.Values[0] : c.Values));
        Variant table = c.Table, number = c.Number, database = "DEMO", values = c.Values,
                result = "untouched";
        const Variant found = server.Call("CheckValue", table, number, database, values, result);
        EXPECT_EQ(found, Variant(c.Found));
        if (!c.Found) {
            EXPECT_TRUE(result.IsEmpty());
            continue;
        }
        ASSERT_TRUE(result.IsArray());
        for (const auto& [index, text] : c.Elements) {
            ASSERT_LE(index, result.HighBound());
            EXPECT_EQ(VarToStr(result[index]), text) << "element " << index;
        }
    }
}

TEST_F(ServerTest, QueryDataAnswersEveryRow) {
    Variant table = "ACTMF", number = "04", database = "DEMO", values = VarArrayOf({"1"}), result;
    EXPECT_EQ(server.Call("QueryData", table, number, database, values, result), Variant(true));
    EXPECT_EQ(Column(result, 0), (std::vector<std::string>{"I101", "I102"}));
}

TEST_F(ServerTest, UnknownChecksAndDatabasesRaise) {
    Variant table = "ACTMA", number = "99", database = "DEMO", values = VarArrayOf({"6603"}), result;
    EXPECT_THROW(server.Call("CheckValue", table, number, database, values, result), EOleException);
    EXPECT_NE(ErrorText().find("ACTMA 99"), std::string::npos) << ErrorText();
    number = "13";
    database = "OTHERDB";
    EXPECT_THROW(server.Call("CheckValue", table, number, database, values, result), EOleException);
    // A check on the system tables needs no company database.
    table = "ADMMB";
    number = "01";
    values = VarArrayOf({"ZORB71"});
    EXPECT_EQ(server.Call("CheckValue", table, number, database, values, result), Variant(true));
}

struct LookupCase {
    const char* Table;
    const char* Number;
    Variant Params;
    std::vector<std::string> Codes;
    std::vector<std::string> Names;
};

TEST_F(ServerTest, LookupsAnswerCodeFirstAndNameSecond) {
    const LookupCase cases[] = {
        {"CMSMQ",
         "47",
         VarArrayOf({"1", "KM02"}),
         {"FK", "JZ", "SK", "ZZ"},
         {"付款凭证", "记账凭证", "收款凭证", "转账凭证"}},
        {"CMSMQ", "48", VarArrayOf({"KM01"}), {"FK", "JZ", "SK", "TH", "XS", "ZZ"}, {}},
        {"CMSMF", "02", VarArrayOf({"RMB"}), {"EUR", "HKD", "JPY", "USD"}, {"欧元", "港币", "日元", "美元"}},
        {"CMSMF", "01", Variant(""), {"EUR", "HKD", "JPY", "RMB", "USD"}, {}},
        {"KMBMA", "04", Variant(""), {"ADMIN", "KM01", "KM02"}, {"系统管理员", "张会计", "李出纳"}},
        {"ACTMA",
         "13",
         VarArrayOf({"1002"}),
         {"100201", "100202", "100203", "100204"},
         {"美元户", "欧元户", "港币户", "人民币户"}},
        {"CMSME", "01", VarArrayOf({""}), {"D01", "D02", "D03"}, {"财务部", "销售部", "管理部"}},
        {"COPMA", "01", VarArrayOf({""}), {"C001", "C002"}, {"华东贸易", "Pacific"}},
        {"PURMA", "01", VarArrayOf({""}), {"S001", "S002"}, {"东京精工", "柏林机械"}},
        {"CMSMV", "01", VarArrayOf({""}), {"E001", "E002", "E003"}, {"赵一", "钱二", "孙三"}},
        {"ACTMF", "04", VarArrayOf({"2"}), {"I201", "I202"}, {"华东区", "华南区"}},
        {"CMSNO", "01", VarArrayOf({""}), {"P01", "P02"}, {"新厂建设", "ERP升级"}},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(std::string(c.Table) + " " + c.Number);
        const Variant rows = server.Call("LookupRows", c.Table, c.Number, "DEMO", c.Params);
        EXPECT_EQ(Column(rows, 0), c.Codes);
        if (!c.Names.empty()) {
            EXPECT_EQ(Column(rows, 1), c.Names);
        }
    }
    const Variant users = server.Call("LookupRows", "KMBMA", "04", "DEMO", "");
    EXPECT_EQ(users[1], VarArrayOf({"KM01", "张会计", "13800000001", "zhang@demo.example"}));
    const Variant none = server.Call("LookupRows", "ACTMA", "13", "DEMO", VarArrayOf({"9"}));
    ASSERT_TRUE(none.IsArray());
    EXPECT_EQ(none.HighBound(), -1);
    EXPECT_THROW(server.Call("LookupRows", "ACTMA", "77", "DEMO", ""), EOleException);
}

TEST_F(ServerTest, PhrasesAreTheUsersFirstThenEverybodys) {
    EXPECT_EQ(Texts(server.Call("GetPhraseList", "KM01", "DEMO")),
              (std::vector<std::string>{"结转本月损益", "期末汇兑损益结转", "期间损益结转"}));
    EXPECT_EQ(Texts(server.Call("GetPhraseList", "KM02", "DEMO")),
              (std::vector<std::string>{"期末汇兑损益结转", "期间损益结转"}));
}

} // namespace
} // namespace vondrel
