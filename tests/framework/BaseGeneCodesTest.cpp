#include "JobFormFixture.h"

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Memo.h"
#include "ui/UserSimulation.h"

#include <gtest/gtest.h>

namespace vondrel::test {
namespace {

class CodesTest : public JobFormTest {};

TEST_F(CodesTest, ACodeIsCheckedByTheValidatorWithTheProductAndRestriction) {
    TfrmTestJob* form = StartedForm();
    form->RightsText = u"CMSME\x03"
                       u"1\x03"
                       u"D01\x03";
    Variant row;
    EXPECT_TRUE(form->CheckCodeValue("CMSMF", "01", false, row, VarArrayOf({"USD"})));
    ASSERT_EQ(row.DimCount(), 1);
    EXPECT_EQ(row[0], Variant("美元"));
    EXPECT_EQ(row[1], Variant("USD"));
    EXPECT_EQ(State().ValidatorCalls.back(), "CheckValue");
    EXPECT_EQ(State().LastProductID, Variant(7));
    EXPECT_EQ(State().LastBaseLimited, Variant(form->RightsText));

    EXPECT_FALSE(form->CheckCodeValue("CMSMF", "01", false, row, VarArrayOf({"XXX"})));
    EXPECT_TRUE(row.IsEmpty());
}

TEST_F(CodesTest, QueryModeAsksForEveryRow) {
    TfrmTestJob* form = StartedForm();
    Variant rows;
    EXPECT_TRUE(form->CheckCodeValue("ACTMF", "04", true, rows, VarArrayOf({"1"})));
    EXPECT_EQ(State().ValidatorCalls.back(), "QueryData");
    ASSERT_EQ(rows.DimCount(), 1);
    EXPECT_GE(rows.HighBound(), 1) << "the items of category 1";
    EXPECT_TRUE(rows[0].IsArray());
}

TEST_F(CodesTest, AFailingOrMissingValidatorAnswersFalse) {
    TfrmTestJob* form = StartedForm();
    Variant row = "kept";
    EXPECT_FALSE(form->CheckCodeValue("NOSUCH", "99", false, row, VarArrayOf({"x"})));
    EXPECT_TRUE(DialogTexts().empty());

    form->ValidatorService = Variant();
    row = "kept";
    EXPECT_FALSE(form->CheckCodeValue("CMSMF", "01", false, row, VarArrayOf({"USD"})));
    EXPECT_EQ(row, Variant("kept"));
}

TEST_F(CodesTest, ValidateCodeTakesTheColumnAskedFor) {
    TfrmTestJob* form = StartedForm();
    const struct {
        int Column;
        Variant Expected;
    } cases[] = {
        {0, Variant("美元")},
        {3, Variant("US Dollar")},
        {-1, VarArrayOf({"美元", "USD", "$", "US Dollar"})},
        {9, VarArrayOf({"美元", "USD", "$", "US Dollar"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Column);
        Variant result;
        EXPECT_TRUE(form->ValidateCode("CMSMF", "01", "E", c.Column, result, VarArrayOf({"USD"})));
        EXPECT_EQ(result, c.Expected);
    }
    Variant rows;
    EXPECT_TRUE(form->ValidateCode("CMSMF", "01", "E", -2, rows, VarArrayOf({"USD"})));
    EXPECT_EQ(State().ValidatorCalls.back(), "QueryData");
    ASSERT_TRUE(rows.IsArray());
    EXPECT_EQ(rows[0][1], Variant("USD"));
    EXPECT_TRUE(DialogTexts().empty());
}

TEST_F(CodesTest, ACodeNotFoundPostsTheCallersKindOfMessage) {
    const struct {
        const char* Kind;
        const char* Logged;
        std::vector<std::string> Shown;
    } cases[] = {
        {"E", "E;000001;请重新输入; ", {"代码不存在: 请重新输入"}},
        {"W", "W;000004;请重新输入; ", {"代码不存在, 请确认: 请重新输入"}},
        {"N", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        Driver().ClearRecord();
        TfrmTestJob* form = StartedForm();
        Variant result = "kept";
        EXPECT_FALSE(form->ValidateCode("CMSMF", "01", c.Kind, 0, result, VarArrayOf({"XXX"})));
        EXPECT_EQ(result, Variant("kept")) << "a failed check leaves the result";
        EXPECT_EQ(form->MessageIdLog(), c.Logged);
        EXPECT_EQ(DialogTexts(), c.Shown);
        form->Free();
    }
}

TEST_F(CodesTest, EmptyValuesAndCancellingPassWithoutAsking) {
    TfrmTestJob* form = StartedForm();
    Variant result = "kept";
    EXPECT_TRUE(form->ValidateCode("CMSMF", "01", "E", 0, result, Variant()));
    EXPECT_TRUE(result.IsEmpty());
    result = "kept";
    EXPECT_TRUE(form->ValidateCode("CMSMF", "01", "E", 0, result, Variant::Null()));
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_TRUE(State().ValidatorCalls.size() == 1u) << "only the program master was checked";

    form->Show();
    form->btnCancel->OnClick = nullptr;
    bool passed = false;
    form->ed01->OnExit = TNotifyEvent([&](TObject*) {
        Variant code;
        passed = form->ValidateCode("CMSMF", "01", "E", 0, code, VarArrayOf({"XXX"}));
    });
    ASSERT_TRUE(User::Focus(*form->btnCancel).Ok);
    EXPECT_TRUE(passed);
    EXPECT_EQ(form->MessageIdLog(), "");
}

TEST_F(CodesTest, WithoutTheValidatorANonEmptyCodeFails) {
    State().ValidatorAvailable = false;
    TfrmTestJob* form = StartedForm();
    Variant result;
    EXPECT_FALSE(form->ValidateCode("CMSMF", "01", "E", 0, result, VarArrayOf({"USD"})));
    EXPECT_EQ(form->MessageIdLog(), "E;000001;请重新输入; ");
}

TEST_F(CodesTest, ALookupSendsTheWholeRequestAndReturnsTheChosenRows) {
    TfrmTestJob* form = StartedForm();
    form->ApplyUserRights(VarArrayOf(
        {"ZORB71", "Y,Y,Y,YYYYYYYN,Y,Y", "张会计", "ACC", "CMSME", VarArrayOf({2, "D01", "D02"})}));
    State().LookupAnswers.push_back(std::vector<int>{1, 3});
    Variant result;
    form->LookupCode("CMSMF", "01", "filter", "extra", true, result);

    ASSERT_EQ(State().LookupRequests.size(), 1u);
    const Variant& request = State().LookupRequests[0];
    ASSERT_EQ(request.LowBound(), 0);
    ASSERT_EQ(request.HighBound(), 18);
    const Variant expected[] = {"CMSMF",
                                "01",
                                "filter",
                                true,
                                "extra",
                                "DEMO",
                                "DEMO",
                                static_cast<long long>(form->Handle()),
                                1,
                                false,
                                7,
                                "",
                                "",
                                "",
                                form->RightsText,
                                false,
                                true};
    for (int i = 0; i < 17; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(request[i], expected[i]);
    }
    EXPECT_EQ(request[17], form->Session);
    EXPECT_EQ(request[18], Variant("KM01"));

    ASSERT_EQ(result.HighBound(), 1);
    EXPECT_EQ(result[0][0], Variant("HKD"));
    EXPECT_EQ(result[1][0], Variant("RMB"));
}

TEST_F(CodesTest, ALookupWithNothingChosenOrNoServiceIsEmpty) {
    TfrmTestJob* form = StartedForm();
    Variant result = "stale";
    form->LookupCode("CMSMF", "01", "", "", false, result);
    EXPECT_TRUE(result.IsEmpty());

    form->LookupService = Variant::Null();
    result = "stale";
    form->LookupCode("CMSMF", "01", "", "", false, result);
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_EQ(State().LookupRequests.size(), 1u);
}

TEST_F(CodesTest, APickedPhraseReplacesTheText) {
    TfrmTestJob* form = StartedForm();
    form->me03->SetText("old");
    State().PhraseAnswers = {"结转本月损益", ""};
    form->PickPhrase(form->me03);
    EXPECT_EQ(form->me03->Text(), "结转本月损益");
    form->PickPhrase(form->me03);
    EXPECT_EQ(form->me03->Text(), "结转本月损益") << "no phrase chosen leaves the text";
    ASSERT_EQ(State().PhraseRequests.size(), 2u);
    EXPECT_EQ(State().PhraseRequests[0][0], Variant("KM01"));
    EXPECT_EQ(State().PhraseRequests[0][1], Variant("DEMO"));
    EXPECT_EQ(State().PhraseRequests[0][2], Variant(static_cast<long long>(form->Handle())));

    form->LookupService = Variant();
    State().PhraseAnswers = {"never"};
    form->PickPhrase(form->me03);
    EXPECT_EQ(form->me03->Text(), "结转本月损益");
}

TEST_F(CodesTest, APickedDateComesInTheCompanysLayout) {
    TfrmTestJob* form = StartedForm();
    const struct {
        const char* Text;
        const char* Answer;
        const char* Start;
        const char* Result;
    } cases[] = {
        {"2026/11/30", "20261231", "20261215", "2026/12/31"},
        {"20261130", "20260101", "20261130", "2026/01/01"},
        {"2026/11/30", "", "20261215", "2026/11/30"},
        {"", "", "20261215", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        State().DateAnswers = {c.Answer};
        std::string result = "stale";
        form->PickDate(c.Text, result);
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(State().DateRequests.back(), VarArrayOf({false, c.Start, "DEMO"}));
    }
    form->LookupService = Variant();
    std::string result = "stale";
    form->PickDate("2026/11/30", result);
    EXPECT_EQ(result, "");
}

TEST_F(CodesTest, HelpTopicsFollowTheProgramCode) {
    TfrmTestJob* form = StartedForm();
    const struct {
        const char* Code;
        std::optional<std::pair<std::string, std::string>> Help;
    } cases[] = {
        {"ZORB71", std::pair<std::string, std::string>{"ZOR", "13710000"}},
        {"ZORR10", std::pair<std::string, std::string>{"ZOR", "12100000"}},
        {"actb05", std::pair<std::string, std::string>{"act", "13050000"}},
        {"COPAB2", std::pair<std::string, std::string>{"COP", "63B20000"}},
        {"INVMR3", std::pair<std::string, std::string>{"INV", "82R30000"}},
        {"INVX01", std::nullopt},
        {"ACTAX1", std::nullopt},
        {"ACTMQ1", std::nullopt},
        {"ACTA", std::nullopt},
        {"ACT", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Code);
        State().HelpCalls.clear();
        form->UseProgramCode(c.Code);
        form->ShowHelp();
        if (c.Help) {
            ASSERT_EQ(State().HelpCalls.size(), 1u);
            EXPECT_EQ(State().HelpCalls[0], VarArrayOf({c.Help->first, c.Help->second}));
        } else {
            EXPECT_TRUE(State().HelpCalls.empty());
        }
    }
}

TEST_F(CodesTest, TheUsersRightsGiveTheLookupFlagsAndTheRestriction) {
    TfrmTestJob* form = StartedForm();
    const Variant km02 = form->AppServer.Call("GetPower", VarArrayOf({"DEMO", "KM02", "ZORB71", ""}));
    form->ApplyUserRights(km02);
    EXPECT_FALSE(form->RightsFlagA());
    EXPECT_FALSE(form->RightsFlagB());
    EXPECT_EQ(form->RightsText, u"CMSME\x03"
                                u"2\x03"
                                u"D01\x03"
                                u"D02\x03");
    EXPECT_EQ(form->RightsAppliedCount, 1);

    const struct {
        const char* Rights;
        bool A;
        bool B;
    } cases[] = {
        {"Y,Y,Y,YYYYYYYY,Y,Y", true, true},  {"Y,Y,Y,YYYYYYNY,Y,Y", false, true},
        {"Y,Y,Y,YYYYYYYN,Y,Y", true, false}, {"Y,Y,Y,YYYYYYX", true, false},
        {"Y,Y,Y,YYYYYY", false, false},      {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Rights);
        form->ApplyUserRights(VarArrayOf({"ZORB71", c.Rights, "", "", "", VarArrayOf({0})}));
        EXPECT_EQ(form->RightsFlagA(), c.A);
        EXPECT_EQ(form->RightsFlagB(), c.B);
        EXPECT_EQ(form->RightsText, u"\x03"
                                    u"0\x03");
    }
}

} // namespace
} // namespace vondrel::test
