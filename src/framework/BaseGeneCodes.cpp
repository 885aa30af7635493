// Code checks, lookups, help and the user's rights of the job form.
#include "framework/BaseGene.h"

#include "framework/BaseGeneMessages.h"

#include "controls/SelectPanel.h"
#include "lib/DateRoutines.h"
#include "lib/TextRoutines.h"
#include "platform/PlatformServices.h"
#include "ui/Button.h"

#include <cctype>

namespace vondrel {

namespace {

bool Unassigned(const Variant& service) {
    return !service.IsDispatch();
}

char UpperAt(const std::string& text, std::size_t index) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[index])));
}

} // namespace

bool TfrmBaseGene::CheckCodeValue(const std::string& table, const std::string& checkNo, bool queryMode,
                                  Variant& result, const Variant& value) {
    Variant values = KmConverter().ToDBValue(value);
    if (Unassigned(ValidatorService))
        return false;
    try {
        ValidatorService.Set("ProductID", Variant(ProductCode));
    } catch (const std::exception&) {
    }
    try {
        ValidatorService.Set("BaseLimited", Variant(RightsText));
    } catch (const std::exception&) {
    }
    bool found = false;
    try {
        Variant tableArg(table);
        Variant numberArg(checkNo);
        Variant database(databaseName_);
        found =
            ValidatorService
                .Call(queryMode ? "QueryData" : "CheckValue", tableArg, numberArg, database, values, result)
                .AsBoolean();
    } catch (const std::exception&) {
        found = false;
    }
    if (Converted())
        result = KmConverter().ConvertDBValue(result);
    return found;
}

bool TfrmBaseGene::ValidateCode(const std::string& table, const std::string& checkNo, const std::string& kind,
                                int column, Variant& result, const Variant& value) {
    if (btnCancel && ActiveControl() == btnCancel)
        return true;
    if (value.IsEmpty() || value.IsNull()) {
        result = Variant();
        return true;
    }
    Variant row;
    if (!CheckCodeValue(table, checkNo, column == -2, row, value)) {
        if (kind == "E" || kind == "W") {
            std::string text;
            GetMessageText(kCodeNotFoundKind, kCodeNotFoundNumber, text);
            PostMessageId((kind == "E" ? kMsgCodeNotFoundError : kMsgCodeNotFoundWarning) + text);
        }
        return false;
    }
    result = Variant();
    if (row.IsEmpty() || row.IsNull())
        return true;
    if (row.DimCount() == 1 && column >= row.LowBound() && column <= row.HighBound())
        result = row[column];
    else
        result = row;
    return true;
}

void TfrmBaseGene::LookupCode(const std::string& table, const std::string& lookupNo, const Variant& filter,
                              const Variant& extra, bool flag, Variant& result) {
    if (LookupService.IsEmpty() || LookupService.IsNull()) {
        result = Variant();
        return;
    }
    Variant request = VarArrayCreate({{0, 18}});
    request[0] = table;
    request[1] = lookupNo;
    request[2] = KmConverter().ToDBValue(filter);
    request[3] = flag;
    request[4] = KmConverter().ToDBValue(extra);
    request[5] = companyCode_;
    request[6] = databaseName_;
    request[7] = static_cast<long long>(Handle());
    request[8] = 1;
    request[9] = false;
    request[10] = ProductCode;
    request[11] = std::string();
    request[12] = std::string();
    request[13] = std::string();
    request[14] = RightsText;
    request[15] = rightsFlagB_;
    request[16] = rightsFlagA_;
    request[17] = Session;
    request[18] = userId_;
    result = LookupService.Call("F2GetData", request);
    if (Converted())
        result = KmConverter().ConvertDBValue(result);
}

void TfrmBaseGene::LookupIntoPanel(TWinControl* control, const std::string& table,
                                   const std::string& lookupNo, bool allColumns, const Variant& extra,
                                   const Variant& filter) {
    TSelectPanel* panel = TSelectPanel::OwnerOfPart(control);
    if (!panel) {
        std::string text;
        GetFormText(kBaseGeneClass, kTextBBM, text, false, BaseGeneTextDefault(kTextBBM));
        ShowMessageDlg(text, mtError, {mbOK});
        return;
    }
    const TSelectPart part = panel->PartOf(control);
    Variant result;
    LookupCode(table, lookupNo, filter, extra, part == TSelectPart::List, result);
    if (result.IsEmpty() || result.IsNull())
        return;
    // The panel reads the rows and, with UseDiscard, joins their columns itself.
    panel->TakeLookupResult(part, result, allColumns);
}

void TfrmBaseGene::PickPhrase(TControl* control) {
    if (Unassigned(LookupService) || !control)
        return;
    Variant user(userId_);
    Variant database(databaseName_);
    Variant phrase = LookupService.Call("GetPhrase", user, database, static_cast<long long>(Handle()));
    if (Converted())
        phrase = KmConverter().ConvertDBValue(phrase);
    const std::string text = VarToStr(phrase);
    if (!text.empty())
        control->SetText(text);
}

void TfrmBaseGene::PickDate(const std::string& text, std::string& result) {
    if (Unassigned(LookupService)) {
        result.clear();
        return;
    }
    const int dateType = DateType();
    const std::string start = text.size() == 8 ? text : FormatDateTime("yyyymmdd", Today());
    const Variant answer =
        LookupService.Call("ShowInputDay", VarArrayOf({dateType > 3, start, databaseName_}));
    const std::string date = VarToStr(answer);
    if (date.empty())
        result = text;
    else
        result = FormatDateAs(dateType, DateSeparator(), Date8ToDate(date));
}

void TfrmBaseGene::ShowHelp() {
    const std::string& code = programCode_;
    if (code.size() < 4 || !Session.IsDispatch())
        return;
    std::string topic;
    char kind = UpperAt(code, 3);
    if (kind == 'A' || kind == 'M') {
        topic = kind == 'A' ? "6" : "8";
        if (code.size() < 5)
            return;
        kind = UpperAt(code, 4);
    } else {
        topic = "1";
    }
    if (kind == 'B')
        topic += "3";
    else if (kind == 'R')
        topic += "2";
    else
        return;
    topic += code.substr(code.size() - 2) + "0000";
    Session.Call("CallHelp", VarArrayOf({code.substr(0, 3), topic}));
}

void TfrmBaseGene::ApplyUserRights(const Variant& rights) {
    const std::string list = VarToStr(rights[1]);
    rightsText1_ = GetToken(list, ",", 1);
    rightsFlag2_ = GetToken(list, ",", 2) == "Y";
    rightsFlag3_ = GetToken(list, ",", 3) == "Y";
    rightsText4_ = GetToken(list, ",", 4);
    rightsText5_ = GetToken(list, ",", 5);
    rightsText6_ = GetToken(list, ",", 6);
    rightsUserName_ = VarToStr(rights[2]);
    rightsUserGroup_ = VarToStr(rights[3]);
    // A missing character counts as "N".
    rightsFlagA_ = rightsText4_.size() >= 7 && rightsText4_[6] != 'N';
    rightsFlagB_ = rightsText4_.size() >= 8 && rightsText4_[7] != 'N';
    const Variant& counted = rights[5];
    if (counted.DimCount() == 1) {
        const auto items = counted.Array().Items();
        RightsText =
            BuildDelimitedParams(VarToStr(rights[4]), std::span<const Variant>(items.data(), items.size()));
    } else {
        RightsText = BuildDelimitedParams(VarToStr(rights[4]), {});
    }
    RightsApplied();
}

} // namespace vondrel
