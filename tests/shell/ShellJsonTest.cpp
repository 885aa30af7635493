#include "ShellJson.h"

#include "platform/DateTime.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/Panel.h"

#include "support/UiFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vondrel::test {
namespace {

Variant TwoByThree() {
    Variant array = VarArrayCreate({{1, 2}, {0, 2}});
    int n = 0;
    for (int i = 1; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j)
            array.At({i, j}) = n++;
    return array;
}

TEST(ShellJsonTest, VariantsHaveTheirOwnJsonForms) {
    struct Case {
        const char* name;
        Variant value;
        const char* json;
    };
    const Case cases[] = {
        {"empty", Variant(), R"({"empty":true})"},
        {"null", Variant::Null(), "null"},
        {"boolean", Variant(true), "true"},
        {"integer", Variant(-42), "-42"},
        {"int64", Variant(5000000000LL), "5000000000"},
        {"double", Variant(2.5), "2.5"},
        {"not a number", Variant(std::numeric_limits<double>::quiet_NaN()), R"("NaN")"},
        {"narrow text", Variant("损益"), R"("损益")"},
        {"wide text", Variant(u"結轉"), R"("結轉")"},
        {"date", Variant::FromDate(*TryEncodeDate(2026, 12, 31) + 0.5),
         R"({"date":"2026-12-31T12:00:00.000"})"},
        {"array from 1",
         [] {
             Variant a = VarArrayCreate({{1, 2}});
             a[1] = "a";
             a[2] = VarArrayOf({1, Variant()});
             return a;
         }(),
         R"({"lb":1,"items":["a",{"lb":0,"items":[1,{"empty":true}]}]})"},
        {"empty array", VarArrayCreate({{0, -1}}), R"({"lb":0,"items":[]})"},
        {"two dimensions", TwoByThree(), R"({"bounds":[[1,2],[0,2]],"items":[[0,1,2],[3,4,5]]})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonLine(VariantJson(c.value)), c.json);
    }
    EXPECT_EQ(JsonLine(VariantJson(Variant(std::string("a\xff")))), "\"a\xEF\xBF\xBD\"")
        << "bad bytes replaced";
}

TEST(ShellJsonTest, JsonGivesBackTheVariant) {
    const Variant values[] = {
        Variant(),
        Variant::Null(),
        Variant(false),
        Variant(7),
        Variant(5000000000LL),
        Variant(-0.25),
        Variant("文本"),
        Variant::FromDate(*TryEncodeDate(2004, 3, 5)),
        VarArrayOf({"a", VarArrayOf({1, 2}), Variant()}),
        TwoByThree(),
        VarArrayCreate({{3, 2}}),
    };
    for (const Variant& value : values) {
        SCOPED_TRACE(JsonLine(VariantJson(value)));
        const Variant back = JsonVariant(VariantJson(value));
        EXPECT_EQ(back.Type(), value.Type());
        EXPECT_EQ(back, value);
    }
    // A plain list is an array from 0.
    EXPECT_EQ(JsonTextVariant(R"([1,"x",[true]])"), VarArrayOf({1, "x", VarArrayOf({true})}));
}

TEST(ShellJsonTest, MalformedJsonIsRefused) {
    const std::string deepList = std::string(300000, '[') + std::string(300000, ']');
    const std::string deepInside = R"({"what":)" + deepList + "}";
    const char* texts[] = {
        "{",
        R"({"what":1})",
        R"({"object":true})",
        R"({"date":"31.12.2026"})",
        R"({"lb":"x","items":[]})",
        R"({"lb":0,"items":3})",
        R"({"bounds":[[0,1]],"items":[1]})",
        R"({"bounds":[[0,1],[0,0]],"items":[[1],[2,3]]})",
        R"({"bounds":[[0,-5]],"items":[]})",
        R"({"bounds":[],"items":[]})",
        // Bounds beyond 32 bits, or items running past the highest index.
        R"({"lb":4294967296,"items":[1]})",
        R"({"lb":2147483647,"items":[1,2]})",
        R"({"bounds":[[0,4294967296]],"items":[]})",
        R"({"bounds":[[-2000000000,2000000000]],"items":[]})",
        // Bounds asking for more than the items give are refused before any memory is taken.
        R"({"bounds":[[0,100000],[0,100000]],"items":[]})",
        // Nesting without end, also inside a value that is refused for another reason.
        deepList.c_str(),
        deepInside.c_str(),
    };
    for (const char* text : texts) {
        SCOPED_TRACE(std::string(text).substr(0, 60));
        EXPECT_THROW(JsonTextVariant(text), Exception);
    }
}

TEST_F(UiTest, FormDumpsListEveryControlWithItsState) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    form->SetName("frmDump");
    form->SetCaption("Dump");
    auto* panel = new TPanel(form.get());
    panel->SetName("Panel1");
    panel->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetName("ed03");
    edit->SetParent(panel);
    edit->SetText("JV");
    edit->SetColor(clRed);
    auto* check = new TCheckBox(form.get());
    check->SetName("chk04");
    check->SetParent(panel);
    check->SetChecked(true);
    check->SetEnabled(false);
    auto* button = new TButton(form.get());
    button->SetName("btnOk");
    button->SetParent(form.get());
    button->SetCaption("确定");
    button->SetVisible(false);
    form->Show();
    edit->SetFocus();

    const TJson json = FormJson(*form);
    EXPECT_EQ(json["name"], "frmDump");
    EXPECT_EQ(json["caption"], "Dump");
    ASSERT_EQ(json["controls"].size(), 4u);
    const TJson& ed03 = json["controls"][1];
    EXPECT_EQ(JsonLine(ed03), R"({"name":"ed03","class":"TEdit","text":"JV","visible":true,"enabled":true,)"
                              R"("color":"clRed","parent":"Panel1","tabOrder":0,"focused":true})");
    const TJson& chk04 = json["controls"][2];
    EXPECT_EQ(chk04["enabled"], false);
    EXPECT_EQ(chk04["checked"], 1);
    EXPECT_EQ(chk04["tabOrder"], 1);
    const TJson& btnOk = json["controls"][3];
    EXPECT_EQ(btnOk["text"], "确定");
    EXPECT_EQ(btnOk["visible"], false);
    EXPECT_EQ(btnOk["parent"], "frmDump");
}

TEST_F(UiTest, ListDumpsGiveColumnsRowsAndSelection) {
    TOwnedPtr<TForm> form(Create<TForm>(nullptr));
    auto* list = new TListView(form.get());
    list->SetName("lv01");
    list->SetParent(form.get());
    list->SetViewStyle(vsReport);
    list->SetMultiSelect(true);
    list->Columns()->Add()->SetCaption("科目");
    list->Columns()->Add()->SetCaption("币种");
    for (const char* code : {"100201", "100202"}) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(code);
        item->SubItems()->Add("USD");
    }
    list->Items()->Item(1)->SetSelected(true);
    EXPECT_EQ(
        JsonLine(ListJson(*list)),
        R"({"name":"lv01","columns":["科目","币种"],"rows":[["100201","USD"],["100202","USD"]],"selected":[1]})");
    auto* edit = new TEdit(form.get());
    edit->SetName("ed03");
    EXPECT_THROW(ListJson(*edit), Exception);
}

} // namespace
} // namespace vondrel::test
