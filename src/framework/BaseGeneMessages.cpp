#include "framework/BaseGeneMessages.h"

#include "framework/BaseGene.h"

#include "lib/TextRoutines.h"
#include "platform/SysUtils.h"
#include "platform/Unicode.h"
#include "ui/Button.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vondrel {

namespace {

struct TextDefault {
    const char* Key;
    const char* Text;
};

constexpr TextDefault kTextDefaults[] = {
    {kTextOption, "选择条件文字"},
    {kTextOptionInf, "选择条件信息"},
    {kTextEnvSetting, "环境设置"},
    {kTextProjectName, "方案名称"},
    {kTextCreateTime, "创建时间"},
    {kTextDeleteProj, "确实要删除此方案吗？"},
    {kTextProjNameEmpty, "方案名不可空白!"},
    {kTextProjNameError, "方案名长度不可大于20!"},
    {kTextProjNameExist, "此方案名称已经存在！"},
    {kTextFailedRename, "更改方案名失败!"},
    {kTextDatePramError, "判断日期的函数第一个参数错误, 只能传下列三种物件:"},
    {kTextYMPramError, "判断年月的函数第一个参数错误, 只能传下列三种物件:"},
    {kTextBBM, "同学, 你吗帮帮忙, 这个 Procedure 是专门给TSelectPanel元件用的!"},
};

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

/// The text cut after the given number of characters (not bytes).
std::string_view FirstCodePoints(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == count)
                return text.substr(0, i);
            ++seen;
        }
    }
    return text;
}

std::string Padded(std::string text, int width, bool left) {
    const std::size_t length = CodePointCount(text);
    if (width > 0 && length < static_cast<std::size_t>(width)) {
        const std::string fill(static_cast<std::size_t>(width) - length, ' ');
        text = left ? text + fill : fill + text;
    }
    return text;
}

bool IsIntegerArg(const Variant& v) {
    return v.Type() == VarType::Integer || v.Type() == VarType::Int64;
}

std::string WithThousands(const std::string& fixed) {
    std::size_t start = fixed.empty() || fixed[0] != '-' ? 0 : 1;
    std::size_t point = fixed.find('.');
    if (point == std::string::npos)
        point = fixed.size();
    std::string out = fixed.substr(0, start);
    const std::string digits = fixed.substr(start, point - start);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out + fixed.substr(point);
}

std::string FloatText(char type, double value, int precision) {
    char buffer[512];
    switch (type) {
    case 'e': {
        const int digits = precision < 0 ? 15 : std::max(precision, 1);
        std::snprintf(buffer, sizeof buffer, "%.*E", digits - 1, value);
        // Exponents have three digits, as on the platform.
        std::string text(buffer);
        const std::size_t e = text.find('E');
        if (e != std::string::npos && e + 2 < text.size()) {
            std::string exponent = text.substr(e + 2);
            while (exponent.size() < 3)
                exponent.insert(0, "0");
            text = text.substr(0, e + 2) + exponent;
        }
        return text;
    }
    case 'g':
        if (precision < 0)
            return FloatToStr(value);
        std::snprintf(buffer, sizeof buffer, "%.*G", std::max(precision, 1), value);
        return buffer;
    case 'n':
    case 'm':
        std::snprintf(buffer, sizeof buffer, "%.*f", precision < 0 ? 2 : std::min(precision, 18), value);
        return WithThousands(buffer);
    default:
        std::snprintf(buffer, sizeof buffer, "%.*f", precision < 0 ? 2 : std::min(precision, 18), value);
        return buffer;
    }
}

} // namespace

std::string_view BaseGeneTextDefault(std::string_view key) noexcept {
    for (const TextDefault& entry : kTextDefaults)
        if (key == entry.Key)
            return entry.Text;
    return {};
}

TMsgDlgType MessageKindDialogType(std::string_view kind) noexcept {
    if (kind == "C" || kind == "D" || kind == "W")
        return mtWarning;
    if (kind == "E")
        return mtError;
    if (kind == "I")
        return mtInformation;
    if (kind == "Q")
        return mtConfirmation;
    return mtCustom;
}

TMsgDlgButtons MessageKindButtons(std::string_view kind) noexcept {
    if (kind == "C" || kind == "Q" || kind == "W")
        return mbOKCancel;
    if (kind == "D")
        return mbYesNoCancel;
    return {mbOK};
}

std::optional<std::string> FormatMessageText(std::string_view pattern, std::span<const Variant> args) {
    std::string out;
    std::size_t next = 0;
    const auto readNumber = [&](std::size_t& i, int& number) -> bool {
        if (i < pattern.size() && pattern[i] == '*') {
            if (next >= args.size() || !IsIntegerArg(args[next]))
                return false;
            number = args[next++].AsInteger();
            ++i;
            return true;
        }
        number = -1;
        if (i >= pattern.size() || pattern[i] < '0' || pattern[i] > '9')
            return true;
        number = 0;
        while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
            number = number * 10 + (pattern[i] - '0');
            if (number > 100000)
                return false;
            ++i;
        }
        return true;
    };

    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        ++i;
        if (i >= pattern.size())
            return std::nullopt;
        if (pattern[i] == '%') {
            out += '%';
            continue;
        }
        int width = -1;
        if (!readNumber(i, width))
            return std::nullopt;
        if (i < pattern.size() && pattern[i] == ':') {
            if (width < 0)
                return std::nullopt;
            next = static_cast<std::size_t>(width);
            width = -1;
            ++i;
        }
        bool left = false;
        if (i < pattern.size() && pattern[i] == '-') {
            left = true;
            ++i;
        }
        if (width < 0 && !readNumber(i, width))
            return std::nullopt;
        int precision = -1;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            if (!readNumber(i, precision))
                return std::nullopt;
            if (precision < 0)
                precision = 0;
        }
        if (i >= pattern.size() || next >= args.size())
            return std::nullopt;
        const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
        const Variant& arg = args[next++];
        std::string text;
        switch (type) {
        case 's': {
            if (arg.IsArray() || arg.IsDispatch())
                return std::nullopt;
            text = VarToStr(arg);
            if (precision >= 0)
                text = std::string(FirstCodePoints(text, static_cast<std::size_t>(precision)));
            break;
        }
        case 'd':
        case 'u':
        case 'x': {
            if (!IsIntegerArg(arg))
                return std::nullopt;
            std::int64_t value = arg.AsInt64();
            if (type == 'u' && value < 0 && arg.Type() == VarType::Integer)
                value += std::int64_t{1} << 32;
            const bool negative = value < 0 && type == 'd';
            std::uint64_t magnitude =
                negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, type == 'x' ? "%llX" : "%llu",
                          static_cast<unsigned long long>(magnitude));
            std::string digits(buffer);
            if (precision > 0 && digits.size() < static_cast<std::size_t>(precision))
                digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
            text = (negative ? "-" : "") + digits;
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm':
            if (arg.Type() != VarType::Double)
                return std::nullopt;
            text = FloatText(type, arg.AsDouble(), precision);
            break;
        default:
            return std::nullopt;
        }
        out += Padded(std::move(text), width, left);
    }
    return out;
}

std::string MessageText(const std::string& pattern, std::span<const Variant> args) {
    if (auto formatted = FormatMessageText(pattern, args))
        return std::move(*formatted);
    // A template that does not fit its arguments still shows them all.
    std::string text = pattern + "\r";
    for (const Variant& arg : args)
        text += VarToStr(arg) + ";";
    return text;
}

// ---- Messages of the job form ---------------------------------------------------------

void TfrmBaseGene::ClearMessageLogs() {
    messageIdLog_.clear();
    messageTextLog_.clear();
}

void TfrmBaseGene::PostMessageId(const std::string& idText) {
    // The user is leaving: nothing more to say.
    if (btnCancel && ActiveControl() == btnCancel)
        return;
    if (idText.empty()) {
        ClearMessageLogs();
        return;
    }
    messageIdLog_ += idText + kLogSeparator;

    std::string rest = idText;
    std::string kind;
    std::string number;
    CutToken(rest, ";", kind);
    CutToken(rest, ";", number);
    const bool show = StrToIntDef(number, 0) > 0;
    std::vector<Variant> args;
    do {
        std::string arg;
        CutToken(rest, ";", arg);
        args.emplace_back(arg);
    } while (!rest.empty() && args.size() < 10);
    while (args.size() < 10)
        args.emplace_back(std::string());
    if (!show && !number.empty())
        number.erase(0, 1);

    std::string pattern;
    GetMessageText(kind, number, pattern);
    const std::string text = MessageText(pattern, args);
    if (messageTextLog_.find(text) == std::string::npos)
        messageTextLog_ += text + kLogSeparator;
    if (show)
        ShowDialog(text, MessageKindDialogType(kind), {mbOK});
}

void TfrmBaseGene::RecordError(const std::string& text) {
    if (btnCancel && ActiveControl() == btnCancel)
        return;
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        ClearMessageLogs();
        return;
    }
    messageIdLog_ += std::string(kMsgRecordedError) + kLogSeparator;
    if (messageTextLog_.find(trimmed) == std::string::npos)
        messageTextLog_ += trimmed + kLogSeparator;
}

void TfrmBaseGene::GetMessageText(const std::string& kind, const std::string& number, std::string& text) {
    const auto noCatalogue = [&] {
        const Variant args[] = {Variant(kind), Variant(number)};
        return FormatMessageText(kNoCatalogueText, args).value_or(kNoCatalogueText);
    };
    if (!Session.IsDispatch()) {
        text = noCatalogue();
    } else {
        // A catalogue that cannot answer is treated as no catalogue, so that the message
        // is still shown and logged.
        try {
            text = VarToStr(Session.Call("GetMessage", kind, number));
        } catch (const std::exception&) {
            text = noCatalogue();
        }
    }
    text = VarToStr(KmConverter().ConvertDBValue(Variant(text)));
}

TModalResult TfrmBaseGene::ShowDialog(const std::string& text, TMsgDlgType dialogType,
                                      TMsgDlgButtons buttons) {
    if (PageChanging && dialogType != mtError)
        return mrNone;
    TModalResult result = mrNone;
    {
        TOwnedPtr<TMessageForm> dialog(CreateMessageDialog(text, dialogType, buttons));
        dialog->SetCaption(Caption());
        if (KmConverter().UICodePage() != "437")
            for (TButton* button : dialog->ButtonControls())
                button->SetCaption(
                    VarToStr(KmConverter().ConvertUIValue(Variant(LocalButtonCaption(button->Name())))));
        std::string fontName = dialog->Font()->Name();
        int charset = dialog->Font()->Charset();
        KmConverter().SetChineseFont(KmConverter().UIConvertMode(), fontName, charset);
        dialog->Font()->SetName(fontName);
        dialog->Font()->SetCharset(static_cast<TFontCharset>(charset));
        result = dialog->ShowModal();
    }
    // A mouse capture begun before the dialog ends with it.
    if (TWinControl* focused = ActiveControl())
        PostMessage(focused->Handle(), WM_LBUTTONUP);
    if (dialogType == mtError) {
        TWinControl* last = lastFocused_.Get();
        if (last && last != this && last->CanFocus() && Visible()) {
            try {
                FocusControl(last);
            } catch (const std::exception&) {
                // The control could not take the focus after all; it stays where it is.
            }
        }
    }
    return result;
}

TModalResult TfrmBaseGene::ShowCatalogMessage(const std::string& kind, const std::string& number,
                                              TMsgDlgButtons buttons, const std::vector<Variant>& args) {
    std::string pattern;
    GetMessageText(kind, number, pattern);
    const std::string text = MessageText(pattern, args);
    return ShowDialog(text, MessageKindDialogType(kind),
                      buttons.Empty() ? MessageKindButtons(kind) : buttons);
}

std::string TfrmBaseGene::FormText(std::string_view key) {
    std::string text;
    GetFormText(kBaseGeneClass, key, text, true, BaseGeneTextDefault(key));
    return text;
}

} // namespace vondrel
