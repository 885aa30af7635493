// The shell's session object and its services against the reference server on a fresh
// demo company, called late-bound by name as a job form calls them.
#include "ShellSession.h"
#include "ShellForms.h"

#include "support/FixedPlatform.h"
#include "support/ShellDemo.h"
#include "support/UiFixture.h"

#include "platform/SysUtils.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/UserSimulation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace vondrel::test {
namespace {

class ShellSessionTest : public UiTest {
protected:
    Variant Session(std::string language = "CHS", std::string server = "127.0.0.1") {
        TShellSessionSettings settings;
        settings.InstallFolder = demo_.Folder() + "/";
        settings.Language = std::move(language);
        settings.ServerAddress = std::move(server);
        session_ = std::make_shared<TShellSession>(
            settings, TMessageCatalogue::Load(demo_.PathOf(kMessageCatalogueFile)));
        return Variant(std::static_pointer_cast<Dispatch>(session_));
    }

    /// A modal answer that picks in a shell window as a person does.
    static TScriptedUiDriver::ModalScript Pick(std::function<void(TForm&)> steps,
                                               const char* button = "btnOk") {
        return [steps, button](TForm& form) {
            steps(form);
            User::Click(*dynamic_cast<TControl*>(User::Find(form, button)));
            return mrNone;
        };
    }
    static TControl& Control(TForm& form, const char* name) {
        return *dynamic_cast<TControl*>(User::Find(form, name));
    }

    TShellDemo demo_;
    std::shared_ptr<TShellSession> session_;
};

TEST_F(ShellSessionTest, TheCounterForwardsToTheServer) {
    const Variant counter = Session().Call("Com_Counter");
    Variant args = VarArrayOf({"SELECT MA001 FROM $$ACTMA WHERE MA001 = '100201'", "MA001", "", "N"});
    const Variant rows = counter.Call("GetCounter", "SIMPLESQL", args, VarArrayOf({"DEMO", "DEMO"}));
    ASSERT_TRUE(rows.IsArray());
    EXPECT_EQ(rows.HighBound(), 0);
    EXPECT_EQ(rows[0][0], Variant("100201"));

    Variant company("DEMO");
    const Variant info = counter.Call("GetSysInfo", company);
    ASSERT_EQ(info.DimCount(), 2);
    bool found = false;
    for (int i = info.LowBound(2); i <= info.HighBound(2); ++i)
        if (info.At({0, i}) == Variant("Sys003"))
            found = info.At({1, i}) == Variant("RMB");
    EXPECT_TRUE(found);

    // The server's failure reaches the caller as the object's error.
    Variant bad = VarArrayOf({"DELETE FROM $$ACTMA", "MA001"});
    EXPECT_THROW(counter.Call("GetCounter", "SIMPLESQL", bad, VarArrayOf({"DEMO", "DEMO"})), EOleException);
}

TEST_F(ShellSessionTest, TheValidatorChecksCodesAndKeepsWhatTheFormWrites) {
    const Variant validator = Session().Call("Com_Validator");
    Variant table("ADMMB"), number("01"), database("DEMO"), values(VarArrayOf({"ZORB71"})), result;
    EXPECT_TRUE(validator.Call("CheckValue", table, number, database, values, result).AsBoolean());
    EXPECT_EQ(result[0], Variant("损益结转"));
    values = VarArrayOf({"NOPE"});
    EXPECT_FALSE(validator.Call("QueryData", table, number, database, values, result).AsBoolean());
    EXPECT_TRUE(result.IsEmpty());

    validator.Set("ProductID", 3);
    validator.Set("BaseLimited", u"ME001 IN ('D01')");
    EXPECT_EQ(validator.Get("ProductID"), Variant(3));
    EXPECT_EQ(validator.Get("BaseLimited"), Variant("ME001 IN ('D01')"));
    EXPECT_THROW(validator.Call("CheckValue", table, number), EOleException);
    // One service object per session.
    const Variant session = Variant(std::static_pointer_cast<Dispatch>(session_));
    EXPECT_EQ(session.Call("Com_Validator"), session.Call("Com_Validator"));
}

TEST_F(ShellSessionTest, MessagesComeFromTheCatalogueInTheInterfaceLanguage) {
    struct Case {
        const char* language;
        const char* text;
    };
    for (const Case& c : {Case{"CHS", "传入的会话参数不足，作业窗口将关闭。"},
                          Case{"CHT", "傳入的工作階段參數不足，作業視窗將關閉。"},
                          Case{"ENG", "Too few session parameters were passed; the job window closes."}}) {
        SCOPED_TRACE(c.language);
        EXPECT_EQ(Session(c.language).Call("GetMessage", "E", "000038"), Variant(c.text));
    }
    EXPECT_EQ(Session("ENG").Call("GetMessage", "I", u"000004"),
              Variant("The job has been submitted as number %s."));
    EXPECT_EQ(Session().Get("ProductID"), Variant(1));
}

TEST_F(ShellSessionTest, HelpTopicsAreReported) {
    const Variant session = Session();
    std::vector<std::string> asked;
    session_->OnHelp = [&](const std::string& system, const std::string& topic) {
        asked.push_back(system + " " + topic);
    };
    session.Call("CallHelp", VarArrayOf({"ZOR", "13710000"}));
    EXPECT_EQ(asked, std::vector<std::string>{"ZOR 13710000"});
    EXPECT_THROW(session.Call("CallHelp", "ZOR"), EOleException);
    EXPECT_THROW(session.Call("CallHelp", VarArrayOf({"ZOR"})), EOleException);
}

TEST_F(ShellSessionTest, FileListsDescribeTheServersCopyOfALibrary) {
    demo_.WriteFile("S_PKG/ZORB71S.so", "not really a library");
    const std::string path = demo_.PathOf("S_PKG/ZORB71S.so");
    const Variant session = Session();
    const std::string description = VarToStr(session.Call("GetFileList", VarArrayOf({"zorb71s.dll"})));
    EXPECT_TRUE(
        std::regex_match(description, std::regex("<Modify>\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d</Modify>"
                                                 "<Path>(.*)</Path>")))
        << description;
    EXPECT_NE(description.find("<Path>" + std::filesystem::weakly_canonical(path).string() + "</Path>"),
              std::string::npos)
        << description;
    EXPECT_EQ(session.Call("GetFileList", VarArrayOf({"zorr10s.dll"})), Variant(""));
    EXPECT_EQ(session.Call("GetFileList", VarArrayOf({"../VondrelC.ini"})), Variant(""));
}

TEST_F(ShellSessionTest, TheLookupWindowReturnsTheChosenRows) {
    const Variant lookup = Session("ENG").Call("Com_F2Window");
    auto request = [](const char* table, const char* number, Variant filter, bool several) {
        return VarArrayOf({table, number, filter, several, "", "DEMO", "DEMO", 0, 1, false, 1, "", "", "", "",
                           false, false, Variant(), "KM01"});
    };
    // Single choice: the second voucher type KM01 may use.
    std::vector<std::string> shown;
    Driver().AnswerModal("TfrmShellLookup", Pick([&](TForm& form) {
                             auto& list = dynamic_cast<TListView&>(Control(form, "lvRows"));
                             shown.push_back(form.Caption());
                             shown.push_back(list.Columns()->Items(0)->Caption());
                             for (int r = 0; r < list.Items()->Count(); ++r)
                                 shown.push_back(list.Items()->Item(r)->Caption());
                             EXPECT_FALSE(list.MultiSelect());
                             EXPECT_TRUE(User::Select(list, {1}));
                         }));
    Variant rows = lookup.Call("F2GetData", request("CMSMQ", "48", VarArrayOf({"KM01"}), false));
    ASSERT_TRUE(rows.IsArray());
    EXPECT_EQ(rows.HighBound(), 0);
    EXPECT_EQ(rows[0][0], Variant(shown.at(3)));
    EXPECT_EQ(shown.at(0), "Lookup - CMSMQ 48");
    EXPECT_EQ(shown.at(1), "Code");

    // Several rows when the request allows it.
    Driver().AnswerModal("TfrmShellLookup", Pick([](TForm& form) {
                             EXPECT_TRUE(User::Select(Control(form, "lvRows"), {0, 2}));
                         }));
    rows = lookup.Call("F2GetData", request("CMSMF", "01", Variant(""), true));
    ASSERT_TRUE(rows.IsArray());
    EXPECT_EQ(rows.HighBound(), 1);
    EXPECT_EQ(rows[1][0], Variant("JPY"));

    // Cancelled, or confirmed without a row: nothing chosen.
    Driver().AnswerModal("TfrmShellLookup", Pick([](TForm&) {}, "btnCancel"));
    EXPECT_TRUE(lookup.Call("F2GetData", request("CMSMF", "01", Variant(""), false)).IsEmpty());
    Driver().AnswerModal("TfrmShellLookup", Pick([](TForm&) {}));
    EXPECT_TRUE(lookup.Call("F2GetData", request("CMSMF", "01", Variant(""), false)).IsEmpty());

    // Requests the service cannot serve.
    EXPECT_THROW(lookup.Call("F2GetData", VarArrayOf({"CMSMF", "01"})), EOleException);
    EXPECT_THROW(lookup.Call("F2GetData", request("NOPE", "01", Variant(""), false)), EOleException);
    EXPECT_EQ(Driver().PendingAnswers(), 0u);
}

TEST_F(ShellSessionTest, ThePhraseListReturnsTheChosenOrTypedText) {
    const Variant lookup = Session().Call("Com_F2Window");
    Variant user("KM01"), database("DEMO");
    std::vector<std::string> phrases;
    Driver().AnswerModal("TfrmShellPhrase", Pick([&](TForm& form) {
                             auto& list = dynamic_cast<TListView&>(Control(form, "lvPhrases"));
                             for (int r = 0; r < list.Items()->Count(); ++r)
                                 phrases.push_back(list.Items()->Item(r)->Caption());
                             EXPECT_TRUE(User::Choose(list, 2));
                         }));
    EXPECT_EQ(lookup.Call("GetPhrase", user, database, 0), Variant("期间损益结转"));
    EXPECT_EQ(phrases, (std::vector<std::string>{"结转本月损益", "期末汇兑损益结转", "期间损益结转"}));

    Driver().AnswerModal("TfrmShellPhrase", Pick([](TForm& form) {
                             EXPECT_TRUE(User::Set(Control(form, "edPhrase"), "月结"));
                         }));
    EXPECT_EQ(lookup.Call("GetPhrase", user, database, 0), Variant("月结"));
    Driver().AnswerModal("TfrmShellPhrase", Pick([](TForm&) {}, "btnCancel"));
    EXPECT_EQ(lookup.Call("GetPhrase", user, database, 0), Variant(""));
}

TEST_F(ShellSessionTest, TheDateChooserHonoursTheCalendar) {
    ScopedPlatform platform({.Now = MakeDateTime(2026, 5, 17, 9, 30)});
    const Variant lookup = Session().Call("Com_F2Window");
    struct Case {
        bool roc;
        const char* start;
        const char* shown; // in the chooser's field
        const char* typed; // what the person types (nullptr: keeps it)
        Variant result;
    };
    const Case cases[] = {
        {false, "20261231", "2026/12/31", nullptr, Variant("20261231")},
        {true, "20261231", "115/12/31", nullptr, Variant("20261231")},
        {true, "20261231", "115/12/31", "115/01/05", Variant("20260105")},
        {true, "20261231", "115/12/31", "1150105", Variant("20260105")},
        {true, "20261231", "115/12/31", "20270101", Variant("20270101")},
        {false, "2026123", "2026/05/17", nullptr, Variant("20260517")},
        {false, "20260230", "2026/05/17", nullptr, Variant("20260517")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + (c.roc ? " ROC" : ""));
        std::string shown;
        Driver().AnswerModal("TfrmShellDate", Pick([&](TForm& form) {
                                 shown = Control(form, "edDate").Text();
                                 if (c.typed) {
                                     EXPECT_TRUE(User::Set(Control(form, "edDate"), c.typed));
                                 }
                             }));
        EXPECT_EQ(lookup.Call("ShowInputDay", VarArrayOf({c.roc, c.start, "DEMO"})), c.result);
        EXPECT_EQ(shown, c.shown);
    }

    // A date that does not exist is refused and the chooser stays open.
    Driver().AnswerModal("TfrmShellDate", [](TForm& form) {
        User::Set(Control(form, "edDate"), "2026/02/30");
        User::Click(Control(form, "btnOk"));
        EXPECT_TRUE(form.Visible());
        User::Click(Control(form, "btnCancel"));
        return mrNone;
    });
    EXPECT_TRUE(lookup.Call("ShowInputDay", VarArrayOf({false, "20261231", "DEMO"})).IsEmpty());
    EXPECT_EQ(DialogTexts(), std::vector<std::string>{"日期不正确！"});
}

TEST_F(ShellSessionTest, ARemoteServerIsReportedAsOutOfReach) {
    const Variant counter = Session("CHS", "10.1.2.3").Call("Com_Counter");
    Variant company("DEMO");
    try {
        counter.Call("GetSysInfo", company);
        ADD_FAILURE() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_NE(std::string(e.what()).find("10.1.2.3 is not on this machine"), std::string::npos)
            << e.what();
    }
}

TEST(ShellDateTest, TypedDatesAreReadInEitherCalendar) {
    struct Case {
        const char* typed;
        bool roc;
        const char* date;
    };
    const Case cases[] = {
        {"2026/12/31", false, "20261231"},
        {"20261231", true, "20261231"},
        {"115/12/31", true, "20261231"},
        {"99.1.1", true, ""},
        {"99/01/01", true, "20100101"},
        {"115/12/31", false, ""},
        {"2026-02-29", false, ""},
        {"2024-02-29", false, "20240229"},
        {"", false, ""},
        {"abc", true, ""},
        {"0000/01/01", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(TfrmShellDate::ReadDate(c.typed, c.roc), c.date);
    }
    EXPECT_EQ(TfrmShellDate::DisplayText("19000101", true), "1900/01/01") << "before the ROC calendar";
}

} // namespace
} // namespace vondrel::test
