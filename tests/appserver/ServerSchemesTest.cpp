#include "ServerFixture.h"

#include "platform/Unicode.h"

namespace vondrel {
namespace {

Variant Scheme(const std::string& name, const std::string& user, const std::string& options, bool replace) {
    return VarArrayOf({Variant(Utf8ToUtf16(name)), Variant(user), "20261231", "ZORB71",
                       "rg01.itemindex;ed03.text;", Variant(options), replace});
}

class SchemeTest : public ServerTest {
protected:
    Variant Records(const std::string& user) {
        Variant key = VarArrayOf({Variant(user), "ZORB71"});
        server.Call("LoadTable", key);
        Variant params;
        return server.Call("AS_GetRecords", "pvdConSave", params);
    }
    std::string Insert(const std::string& name, const std::string& user, const std::string& options,
                       bool replace) {
        Variant record = Scheme(name, user, options, replace);
        return server.Call("InsertConTable", record).AsString();
    }
    static Variant Key(const std::string& name, const std::string& user = "KM01") {
        return VarArrayOf({Variant(name), Variant(user), "ZORB71"});
    }
};

TEST_F(SchemeTest, ProviderDeliversFieldDescriptionsAndNoRowsAtFirst) {
    const Variant records = Records("KM01");
    ASSERT_TRUE(records.IsArray());
    ASSERT_EQ(records.HighBound(), 1);
    EXPECT_EQ(records[0][0], VarArrayOf({"NCONDITION", "String", 20}));
    EXPECT_EQ(Column(records[0], 0), (std::vector<std::string>{"NCONDITION", "CREATOR", "PROGRAMME",
                                                               "CREATE_DATE", "SCONDITION", "VCONDITION"}));
    EXPECT_EQ(records[1].LowBound(), 0);
    EXPECT_EQ(records[1].HighBound(), -1);
    Variant params;
    EXPECT_THROW(server.Call("AS_GetRecords", "pvdNoSuch", params), EOleException);
}

TEST_F(SchemeTest, SchemesRoundTripPerUserAndProgram) {
    EXPECT_EQ(Insert("月末汇兑", "KM01", "0\x03TH", false), "");
    EXPECT_EQ(Insert("Another", "KM01", "1", false), "");
    EXPECT_EQ(Insert("月末汇兑", "KM02", "other user's", false), "");

    const Variant rows = Records("KM01")[1];
    ASSERT_EQ(rows.HighBound(), 1);
    EXPECT_EQ(rows[1],
              VarArrayOf({"月末汇兑", "KM01", "ZORB71", "20261231", "rg01.itemindex;ed03.text;", "0\x03TH"}));
    EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"Another", "月末汇兑"}));

    Variant table = "GENES", number = "01", database = "DEMO",
            values = VarArrayOf({"月末汇兑", "KM01", "ZORB71"}), result;
    EXPECT_EQ(server.Call("CheckValue", table, number, database, values, result), Variant(true));
}

TEST_F(SchemeTest, ReplacesOnlyWhenAsked) {
    ASSERT_EQ(Insert("S", "KM01", "old", false), "");
    const std::string refused = Insert("S", "KM01", "new", false);
    EXPECT_NE(refused.find("already exists"), std::string::npos) << refused;
    EXPECT_EQ(VarToStr(Records("KM01")[1][0][5]), "old");
    EXPECT_EQ(Insert("S", "KM01", "new", true), "");
    EXPECT_EQ(VarToStr(Records("KM01")[1][0][5]), "new");
}

TEST_F(SchemeTest, NamesAreLimitedInCodePageUnits) {
    EXPECT_EQ(Insert("一二三四五六七八九十", "KM01", "x", false), ""); // 20 units
    EXPECT_EQ(Insert("12345678901234567890", "KM01", "x", false), "");
    EXPECT_NE(Insert("一二三四五六七八九十A", "KM01", "x", false), "");
    EXPECT_NE(Insert("   ", "KM01", "x", false), "");
    for (const char* date : {"2026-12-31", "0x1F2E3D", "$1F2E3D4", "-2026123", "+2026123", "20261331"}) {
        SCOPED_TRACE(date);
        Variant bad = VarArrayOf({date, "KM01", date, "ZORB71", "", "", false});
        EXPECT_NE(server.Call("InsertConTable", bad), Variant(""));
    }
    Variant bad = VarArrayOf({"S", "KM01"});
    EXPECT_NE(server.Call("InsertConTable", bad), Variant(""));
    EXPECT_EQ(Records("KM01")[1].HighBound(), 1);
}

TEST_F(SchemeTest, RenamesAndDeletes) {
    ASSERT_EQ(Insert("A", "KM01", "a", false), "");
    ASSERT_EQ(Insert("B", "KM01", "b", false), "");
    Variant oldKey = Key("A"), newKey = Key("C");
    EXPECT_EQ(server.Call("ChangeConName", oldKey, newKey), Variant(""));
    EXPECT_EQ(Column(Records("KM01")[1], 0), (std::vector<std::string>{"B", "C"}));

    oldKey = Key("C");
    newKey = Key("B");
    EXPECT_NE(server.Call("ChangeConName", oldKey, newKey), Variant("")); // taken
    newKey = Key("C");
    EXPECT_EQ(server.Call("ChangeConName", oldKey, newKey), Variant("")); // unchanged
    newKey = Key("D", "KM02");
    EXPECT_NE(server.Call("ChangeConName", oldKey, newKey), Variant("")); // another owner
    oldKey = Key("Z");
    newKey = Key("Y");
    EXPECT_NE(server.Call("ChangeConName", oldKey, newKey), Variant("")); // missing

    Variant key = Key("B");
    EXPECT_EQ(server.Call("DeleteConTable", key), Variant(""));
    EXPECT_NE(server.Call("DeleteConTable", key), Variant(""));
    EXPECT_FALSE(ErrorText().empty());
    EXPECT_EQ(Column(Records("KM01")[1], 0), (std::vector<std::string>{"C"}));
}

} // namespace
} // namespace vondrel
