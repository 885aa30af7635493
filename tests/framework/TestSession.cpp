#include "TestSession.h"

#include "platform/ClassFactory.h"

#include <vondrel/Exception.h>

namespace vondrel::test {

namespace {

Variant Arg(std::span<Variant> args, std::size_t index) {
    return index < args.size() ? args[index] : Variant();
}

class TTestCounter : public TAutoObject {
public:
    explicit TTestCounter(std::shared_ptr<TSessionState> state) : TAutoObject("TestCounter") {
        RegisterMethod("GetCounter", [state](std::span<Variant> args) {
            state->CounterFunctions.push_back(VarToStr(Arg(args, 0)));
            return state->Server().Invoke("GetCounter", InvokeKind::Method, args);
        });
        RegisterMethod("GetSysInfo", [state](std::span<Variant> args) {
            ++state->SysInfoCalls;
            return state->Server().Invoke("GetSysInfo", InvokeKind::Method, args);
        });
    }
};

class TTestValidator : public TAutoObject {
public:
    explicit TTestValidator(std::shared_ptr<TSessionState> state) : TAutoObject("TestValidator") {
        RegisterProperty(
            "ProductID", [state] { return state->LastProductID; },
            [state](const Variant& v) { state->LastProductID = v; });
        RegisterProperty(
            "BaseLimited", [state] { return state->LastBaseLimited; },
            [state](const Variant& v) { state->LastBaseLimited = v; });
        for (const char* name : {"CheckValue", "QueryData"}) {
            RegisterMethod(name, [state, name](std::span<Variant> args) {
                state->ValidatorCalls.push_back(name);
                return state->Server().Invoke(name, InvokeKind::Method, args);
            });
        }
    }
};

class TTestLookup : public TAutoObject {
public:
    explicit TTestLookup(std::shared_ptr<TSessionState> state) : TAutoObject("TestLookup") {
        RegisterMethod("F2GetData", [state](std::span<Variant> args) -> Variant {
            const Variant request = Arg(args, 0);
            state->LookupRequests.push_back(request);
            if (!state->LookupResults.empty()) {
                Variant result = state->LookupResults.front();
                state->LookupResults.pop_front();
                return result;
            }
            std::optional<std::vector<int>> answer;
            if (!state->LookupAnswers.empty()) {
                answer = state->LookupAnswers.front();
                state->LookupAnswers.pop_front();
            }
            if (!answer || answer->empty())
                return {};
            const Variant rows =
                state->Server().Call("LookupRows", request[0], request[1], request[6], request[2]);
            std::vector<Variant> chosen;
            for (const int row : *answer)
                chosen.push_back(rows[row]);
            return VarArrayOf(chosen);
        });
        RegisterMethod("GetPhrase", [state](std::span<Variant> args) -> Variant {
            state->PhraseRequests.push_back(VarArrayOf({Arg(args, 0), Arg(args, 1), Arg(args, 2)}));
            if (state->PhraseAnswers.empty())
                return std::string();
            std::string phrase = state->PhraseAnswers.front();
            state->PhraseAnswers.pop_front();
            return phrase;
        });
        RegisterMethod("ShowInputDay", [state](std::span<Variant> args) -> Variant {
            state->DateRequests.push_back(Arg(args, 0));
            if (state->DateAnswers.empty())
                return std::string();
            std::string date = state->DateAnswers.front();
            state->DateAnswers.pop_front();
            return date;
        });
    }
};

} // namespace

Variant TSessionState::Server() {
    if (!server_.IsDispatch())
        server_ = Variant(CreateOleObject("Quorvex.dmReportCounter"));
    return server_;
}

TTestSession::TTestSession() : TAutoObject("TestSession"), state_(std::make_shared<TSessionState>()) {
    const auto state = state_;
    const auto service = [state](bool TSessionState::*available, const char* what, auto make) {
        return [state, available, what, make](std::span<Variant>) -> Variant {
            if (!((*state).*available))
                throw Exception(std::string(what) + " is not available");
            return Variant(make(state));
        };
    };
    RegisterMethod("Com_Counter",
                   service(&TSessionState::CounterAvailable, "the counter service",
                           [](auto s) { return DispatchPtr(std::make_shared<TTestCounter>(s)); }));
    RegisterMethod("Com_Validator",
                   service(&TSessionState::ValidatorAvailable, "the validator service",
                           [](auto s) { return DispatchPtr(std::make_shared<TTestValidator>(s)); }));
    RegisterMethod("Com_F2Window", service(&TSessionState::LookupAvailable, "the lookup service", [](auto s) {
                       return DispatchPtr(std::make_shared<TTestLookup>(s));
                   }));
    RegisterProperty("ProductID", [state]() -> Variant {
        if (!state->ProductIdAvailable)
            throw Exception("no product id");
        return state->ProductId;
    });
    RegisterMethod("GetMessage", [state](std::span<Variant> args) -> Variant {
        if (state->CatalogueFails)
            throw Exception("the message catalogue cannot be read");
        const auto found = state->Catalogue.find({VarToStr(Arg(args, 0)), VarToStr(Arg(args, 1))});
        return found == state->Catalogue.end() ? std::string() : found->second;
    });
    RegisterMethod("CallHelp", [state](std::span<Variant> args) -> Variant {
        state->HelpCalls.push_back(Arg(args, 0));
        return {};
    });
    state->Catalogue = {
        {{"E", "000001"}, "代码不存在: %s"},
        {{"W", "000004"}, "代码不存在, 请确认: %s"},
        {{"I", "000008"}, "请重新输入"},
        {{"I", "000004"}, "作业已提交, 作业编号: %s"},
        {{"E", "000006"}, "无法连接应用服务器"},
        {{"E", "000036"}, "本作业不属于此程序"},
        {{"E", "000038"}, "会话参数不足"},
        {{"E", "000013"}, "提交失败: %s"},
        {{"W", "000002"}, "%s 应有 %d 个元素, 实际上限为 %d"},
    };
}

} // namespace vondrel::test
