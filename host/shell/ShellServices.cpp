#include "ShellServices.h"

#include "ShellForms.h"

#include "platform/ClassFactory.h"
#include "platform/DateTime.h"
#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"
#include "ui/Edit.h"

namespace vondrel {

namespace {

Variant& Arg(std::span<Variant> args, std::size_t index) {
    static thread_local Variant missing;
    if (index < args.size())
        return args[index];
    missing = Variant();
    return missing;
}

/// A flag as callers pass it: a boolean, a number, or "Y"/"T"/"True"/"1".
bool Flag(const Variant& value) {
    switch (value.Type()) {
    case VarType::Boolean:
        return value.AsBoolean();
    case VarType::Integer:
    case VarType::Int64:
    case VarType::Double:
        return value.AsDouble() != 0;
    case VarType::String:
    case VarType::WideString: {
        const std::string text = UpperCase(Trim(value.AsString()));
        return text == "Y" || text == "T" || text == "TRUE" || text == "1";
    }
    default:
        return false;
    }
}

/// Element i of a one-dimensional array counted from its low bound, Empty when missing.
Variant ElementOf(const Variant& array, int i) {
    if (!array.IsArray() || array.DimCount() != 1)
        return {};
    const int index = array.LowBound() + i;
    return index <= array.HighBound() ? array[index] : Variant();
}

int ElementCount(const Variant& array) {
    return array.IsArray() && array.DimCount() == 1 ? array.HighBound() - array.LowBound() + 1 : 0;
}

} // namespace

bool IsLocalServerAddress(std::string_view address) {
    const std::string trimmed = Trim(address);
    return trimmed == "127.0.0.1" || SameText(trimmed, "localhost");
}

Variant TShellContext::AppServer() {
    if (server_.IsDispatch())
        return server_;
    if (Trim(settings_.ServerAddress).empty())
        throw Exception("The client settings name no application server (ComputerName of VondrelC.ini)");
    if (!IsLocalServerAddress(settings_.ServerAddress))
        throw Exception("The application server " + settings_.ServerAddress +
                        " is not on this machine; this shell reaches only 127.0.0.1");
    server_ = Variant(CreateOleObject(settings_.ServerClass));
    return server_;
}

TCounterService::TCounterService(std::shared_ptr<TShellContext> context)
    : TAutoObject("Vondrel.Counter"), context_(std::move(context)) {
    // Arguments go on by reference: what the server writes into them reaches the caller.
    RegisterMethod("GetCounter", [this](std::span<Variant> args) {
        Variant forwarded[3] = {Arg(args, 0), Arg(args, 1), Arg(args, 2)};
        Variant result = context_->AppServer().Invoke("GetCounter", InvokeKind::Method, forwarded);
        if (args.size() > 1)
            args[1] = forwarded[1];
        return result;
    });
    RegisterMethod("GetSysInfo", [this](std::span<Variant> args) {
        Variant forwarded[1] = {Arg(args, 0)};
        Variant result = context_->AppServer().Invoke("GetSysInfo", InvokeKind::Method, forwarded);
        if (!args.empty())
            args[0] = forwarded[0];
        return result;
    });
}

TValidatorService::TValidatorService(std::shared_ptr<TShellContext> context)
    : TAutoObject("Vondrel.Validator"), context_(std::move(context)) {
    for (const char* name : {"CheckValue", "QueryData"}) {
        RegisterMethod(name, [this, name](std::span<Variant> args) -> Variant {
            if (args.size() < 5)
                throw Exception(std::string(name) +
                                " takes table, check number, database, values and result");
            return context_->AppServer().Invoke(name, InvokeKind::Method, args.first(5));
        });
    }
    RegisterProperty(
        "ProductID", [this] { return productId_; }, [this](const Variant& value) { productId_ = value; });
    RegisterProperty(
        "BaseLimited", [this] { return baseLimited_; },
        [this](const Variant& value) { baseLimited_ = value; });
}

TLookupService::TLookupService(std::shared_ptr<TShellContext> context)
    : TAutoObject("Vondrel.F2Window"), context_(std::move(context)) {
    RegisterMethod("F2GetData", [this](std::span<Variant> args) { return F2GetData(Arg(args, 0)); });
    RegisterMethod("GetPhrase",
                   [this](std::span<Variant> args) { return GetPhrase(Arg(args, 0), Arg(args, 1)); });
    RegisterMethod("ShowInputDay", [this](std::span<Variant> args) { return ShowInputDay(Arg(args, 0)); });
}

Variant TLookupService::F2GetData(const Variant& request) {
    if (ElementCount(request) < 7)
        throw Exception("F2GetData takes the lookup request: table, lookup number, parameters, multiple "
                        "choice, extra, company, database and the rest of its 19 elements");
    const Variant table = ElementOf(request, 0);
    const Variant number = ElementOf(request, 1);
    const Variant rows =
        context_->AppServer().Call("LookupRows", table, number, ElementOf(request, 6), ElementOf(request, 2));
    const TShellTexts& texts = ShellTexts(context_->Settings().Language);
    TOwnedPtr<TfrmShellLookup> window(
        Create<TfrmShellLookup>(nullptr, texts, Trim(VarToStr(table)) + " " + Trim(VarToStr(number)), rows,
                                Flag(ElementOf(request, 3))));
    if (window->ShowModal() != mrOk)
        return {};
    return window->Chosen();
}

Variant TLookupService::GetPhrase(const Variant& user, const Variant& database) {
    const Variant list = context_->AppServer().Call("GetPhraseList", user, database);
    std::vector<std::string> phrases;
    for (int i = 0; i < ElementCount(list); ++i)
        phrases.push_back(VarToStr(ElementOf(list, i)));
    TOwnedPtr<TfrmShellPhrase> window(
        Create<TfrmShellPhrase>(nullptr, ShellTexts(context_->Settings().Language), phrases));
    if (window->ShowModal() != mrOk)
        return Variant("");
    return Variant(window->edPhrase->Text());
}

Variant TLookupService::ShowInputDay(const Variant& request) {
    const bool roc = Flag(ElementOf(request, 0));
    std::string start = Trim(VarToStr(ElementOf(request, 1)));
    if (TfrmShellDate::ReadDate(start, false).empty() || start.size() != 8)
        start = FormatDateTime("yyyymmdd", Today());
    TOwnedPtr<TfrmShellDate> window(
        Create<TfrmShellDate>(nullptr, ShellTexts(context_->Settings().Language), roc, start));
    if (window->ShowModal() != mrOk || window->Chosen().empty())
        return {};
    return Variant(window->Chosen());
}

} // namespace vondrel
