#include "support/UiFixture.h"

#include "ui/ClientDataSet.h"
#include "ui/DBEdit.h"
#include "ui/DataSource.h"
#include "ui/Edit.h"
#include "ui/Errors.h"
#include "ui/Form.h"
#include "ui/RemoteServer.h"
#include "ui/UserSimulation.h"

#include <vondrel/Dispatch.h>

#include "platform/DateTime.h"

namespace vondrel::test {
namespace {

// An application server that answers AS_GetRecords from providers set up by the test.
class TRecordServer : public TAutoObject {
public:
    TRecordServer() : TAutoObject("TRecordServer") {
        RegisterMethod("AS_GetRecords", [this](std::span<Variant> args) -> Variant {
            calls.push_back(args[0].AsString());
            lastParams = args[1];
            const auto found = providers.find(args[0].AsString());
            if (found == providers.end())
                throw std::runtime_error("Provider not found: " + args[0].AsString());
            return found->second;
        });
    }
    std::map<std::string, Variant> providers;
    std::vector<std::string> calls;
    Variant lastParams;
};

Variant Schemes() {
    return VarArrayOf({
        VarArrayOf({VarArrayOf({"NCONDITION", "String", 20}), VarArrayOf({"CREATOR", "String", 10}),
                    VarArrayOf({"PROGRAMME", "String", 10}), VarArrayOf({"CREATE_DATE", "Date", 8}),
                    VarArrayOf({"NTIMES", "Integer", 0}), VarArrayOf({"RATE", "Float", 0}),
                    VarArrayOf({"LOCKED", "Boolean", 0})}),
        VarArrayOf({
            VarArrayOf({"期末", "DS", "ZORB71", "20240105", 3, 6.5, false}),
            VarArrayOf({"月结", "DS", "ZORB71", "20231231", Variant::Null(), 7.25, true}),
            VarArrayOf({"年度", "AB", "ZORB71", "20240301", 1, 0.5, false}),
        }),
    });
}

class ClientDataSetTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        server = std::make_shared<TRecordServer>();
        server->providers["pvdConSave"] = Schemes();
        owner.reset(Create<TForm>(nullptr));
        connection = new TLocalConnection(owner.get());
        connection->SetAppServer(Variant(DispatchPtr(server)));
        data = new TClientDataSet(owner.get());
        data->SetName("ClientDataSet1");
        data->SetRemoteServer(connection);
        data->SetProviderName("pvdConSave");
    }
    void TearDown() override {
        owner.reset();
        UiTest::TearDown();
    }
    std::vector<std::string> Column(const char* field) {
        std::vector<std::string> values;
        for (data->First(); !data->Eof(); data->Next())
            values.push_back(data->FieldByName(field)->AsString());
        return values;
    }

    std::shared_ptr<TRecordServer> server;
    TOwnedPtr<TForm> owner;
    TLocalConnection* connection = nullptr;
    TClientDataSet* data = nullptr;
};

TEST_F(ClientDataSetTest, OpeningFetchesTheProvidersRecordsWithTypedFields) {
    data->SetParams(VarArrayOf({"DS", "ZORB71"}));
    data->Open();
    EXPECT_EQ(server->calls, (std::vector<std::string>{"pvdConSave"}));
    EXPECT_EQ(server->lastParams, VarArrayOf({"DS", "ZORB71"}));
    ASSERT_EQ(data->FieldCount(), 7);
    EXPECT_EQ(data->RecordCount(), 3);
    EXPECT_EQ(data->FieldByName("ncondition")->DataType(), ftString);
    EXPECT_EQ(data->FieldByName("NCONDITION")->Size(), 20);
    EXPECT_EQ(data->FieldByName("CREATE_DATE")->DataType(), ftDate);
    EXPECT_EQ(data->FieldByName("CREATE_DATE")->AsDateTime(), *TryEncodeDate(2024, 1, 5));
    EXPECT_EQ(data->FieldByName("NTIMES")->AsInteger(), 3);
    EXPECT_DOUBLE_EQ(data->FieldByName("RATE")->AsFloat(), 6.5);
    EXPECT_EQ(Column("NCONDITION"), (std::vector<std::string>{"期末", "月结", "年度"}));
    EXPECT_TRUE(data->Eof());
    data->First();
    data->Next();
    EXPECT_TRUE(data->FieldByName("NTIMES")->IsNull());
    EXPECT_EQ(data->FieldByName("NTIMES")->AsString(), "");
    EXPECT_TRUE(data->FieldByName("LOCKED")->AsBoolean());
    EXPECT_THROW(data->FieldByName("MISSING"), EDatabaseError);
    data->Close();
    EXPECT_EQ(data->FieldCount(), 0) << "fields made from the data go with it";
}

TEST_F(ClientDataSetTest, AnIndexOrdersTheRecordsAndFindsOneByItsKey) {
    data->AddIndex("Index1", "NCONDITION;CREATOR;PROGRAMME");
    data->Open();
    data->SetIndexName("Index1");
    EXPECT_EQ(Column("NCONDITION"), (std::vector<std::string>{"年度", "月结", "期末"}));
    ASSERT_TRUE(data->FindKey({"月结", "DS", "ZORB71"}));
    EXPECT_EQ(data->FieldByName("CREATE_DATE")->AsDateTime(), *TryEncodeDate(2023, 12, 31));
    EXPECT_FALSE(data->FindKey({"月结", "AB", "ZORB71"}));
    data->SetIndexFieldNames("NTIMES");
    EXPECT_EQ(Column("NCONDITION"), (std::vector<std::string>{"月结", "年度", "期末"})) << "nulls first";
    EXPECT_TRUE(data->Locate("CREATOR;NCONDITION", {"ab", "年度"}, {loCaseInsensitive}));
    EXPECT_EQ(data->FieldByName("NTIMES")->AsInteger(), 1);
}

TEST_F(ClientDataSetTest, LocalEditsArePostedInPlaceAndKeepTheIndexOrder) {
    data->SetIndexFieldNames("NCONDITION");
    data->Open();
    ASSERT_TRUE(data->FindKey({"月结"}));
    EXPECT_THROW(data->FieldByName("NCONDITION")->SetAsString("x"), EDatabaseError) << "not in edit state";
    data->Edit();
    data->FieldByName("NCONDITION")->SetAsString("上月");
    EXPECT_EQ(data->State(), dsEdit);
    data->Post();
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "上月") << "the cursor stays on the posted record";
    EXPECT_EQ(Column("NCONDITION"), (std::vector<std::string>{"上月", "年度", "期末"}));
    data->Append();
    data->FieldByName("NCONDITION")->SetAsString("新方案");
    data->FieldByName("CREATE_DATE")->SetAsString("20240607");
    data->Post();
    EXPECT_EQ(data->RecordCount(), 4);
    EXPECT_EQ(data->FieldByName("CREATE_DATE")->AsDateTime(), *TryEncodeDate(2024, 6, 7));
    data->Edit();
    data->FieldByName("NCONDITION")->SetAsString("discarded");
    data->Cancel();
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "新方案");
    EXPECT_EQ(server->calls.size(), 1u) << "nothing went back to the server";
}

TEST_F(ClientDataSetTest, TextGoesThroughOnGetTextAndOnSetText) {
    TField* name = data->AddField("NCONDITION", ftString, 20);
    name->SetDisplayLabel("方案名称");
    data->AddField("CREATOR", ftString, 10);
    data->AddField("PROGRAMME", ftString, 10);
    data->AddField("CREATE_DATE", ftDate);
    data->AddField("NTIMES", ftInteger);
    data->AddField("RATE", ftFloat);
    data->AddField("LOCKED", ftBoolean);
    name->OnGetText = [](TField* field, std::string& text, bool display) {
        text = (display ? "[" : "(") + field->AsString() + (display ? "]" : ")");
    };
    name->OnSetText = [](TField* field, const std::string& text) { field->SetAsString("<" + text + ">"); };
    data->Open();
    EXPECT_EQ(data->FieldByName("NCONDITION"), name) << "persistent fields are kept";
    EXPECT_EQ(name->DisplayLabel(), "方案名称");
    EXPECT_EQ(data->FieldByName("CREATOR")->DisplayLabel(), "CREATOR");
    EXPECT_EQ(name->DisplayText(), "[期末]");
    EXPECT_EQ(name->Text(), "(期末)");
    data->Edit();
    name->SetText("x");
    EXPECT_EQ(name->AsString(), "<x>");
    data->Close();
    EXPECT_EQ(data->FieldCount(), 7);
}

TEST_F(ClientDataSetTest, FailuresOfTheProviderAndOfItsDataAreReported) {
    data->SetProviderName("pvdMissing");
    EXPECT_THROW(data->Open(), EOleException);
    EXPECT_FALSE(data->Active());
    struct Case {
        const char* Name;
        Variant Packet;
    };
    const Case cases[] = {
        {"not an array", Variant("oops")},
        {"one element", VarArrayOf({VarArrayOf({})})},
        {"unknown type", VarArrayOf({VarArrayOf({VarArrayOf({"A", "Blob", 0})}), VarArrayOf({})})},
        {"short row",
         VarArrayOf({VarArrayOf({VarArrayOf({"A", "String", 5}), VarArrayOf({"B", "String", 5})}),
                     VarArrayOf({VarArrayOf({"x"})})})},
        {"bad value",
         VarArrayOf({VarArrayOf({VarArrayOf({"N", "Integer", 0})}), VarArrayOf({VarArrayOf({"abc"})})})},
        {"bad date",
         VarArrayOf({VarArrayOf({VarArrayOf({"D", "Date", 8})}), VarArrayOf({VarArrayOf({"20241399"})})})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        server->providers["pvdBad"] = c.Packet;
        data->SetProviderName("pvdBad");
        EXPECT_THROW(data->Open(), EDatabaseError);
        EXPECT_FALSE(data->Active());
    }
    server->providers["pvdEmpty"] =
        VarArrayOf({VarArrayOf({VarArrayOf({"A", "String", 5})}), VarArrayCreate({{0, -1}})});
    data->SetProviderName("pvdEmpty");
    data->Open();
    EXPECT_TRUE(data->IsEmpty());
    EXPECT_TRUE(data->Eof());
    EXPECT_TRUE(data->FieldByName("A")->IsNull());
}

TEST_F(ClientDataSetTest, ADataAwareEditShowsAndStoresItsField) {
    auto* source = new TDataSource(owner.get());
    source->SetDataSet(data);
    auto* edit = new TDBEdit(owner.get());
    edit->SetParent(owner.get());
    edit->SetDataSource(source);
    edit->SetDataField("NCONDITION");
    auto* other = new TEdit(owner.get());
    other->SetParent(owner.get());
    data->Open();
    EXPECT_EQ(edit->Text(), "期末");
    data->Next();
    EXPECT_EQ(edit->Text(), "月结") << "follows the cursor";
    owner->Show();
    ASSERT_TRUE(User::Set(*edit, "季度"));
    EXPECT_EQ(data->State(), dsEdit) << "typing starts an edit";
    User::Focus(*other);
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "季度");
    data->Post();
    data->Close();
    EXPECT_EQ(edit->Text(), "");
    EXPECT_FALSE(User::Type(*edit, "x")) << "nothing to edit while closed";
}

} // namespace
} // namespace vondrel::test
