#include "ShellSession.h"

#include "ShellServices.h"

#include "lib/VondrelIni.h"
#include "platform/Library.h"
#include "platform/SysUtils.h"

#include <chrono>
#include <ctime>
#include <filesystem>

namespace vondrel {

namespace {

namespace fs = std::filesystem;

Variant FirstElement(std::span<Variant> args) {
    if (args.empty())
        return {};
    const Variant& value = args[0];
    if (value.IsArray() && value.DimCount() == 1)
        return value.HighBound() >= value.LowBound() ? value[value.LowBound()] : Variant();
    return value;
}

/// The modification time of a file as "yyyy/mm/dd hh:nn:ss" (local time).
std::string ModifyStamp(const fs::path& file) {
    std::error_code error;
    const auto stamp = fs::last_write_time(file, error);
    if (error)
        return {};
    const auto system = std::chrono::file_clock::to_sys(stamp);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

/// The description of the server's copy of a library: its stamp and path, "" when no
/// work folder of the server holds it.
std::string FileDescription(const std::string& fileName) {
    const std::string name = Trim(fileName);
    if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return {};
    TVondrelIniS settings;
    settings.Load();
    std::vector<std::string> folders;
    settings.CopyWorkDLLPaths(folders);
    for (const std::string& folder : folders) {
        const std::string path = ResolveLibraryPath((fs::path(folder) / name).string());
        if (path.empty())
            continue;
        return "<Modify>" + ModifyStamp(path) + "</Modify><Path>" + path + "</Path>";
    }
    return {};
}

} // namespace

TShellSession::TShellSession(TShellSessionSettings settings, TMessageCatalogue catalogue)
    : TAutoObject("Vondrel.Session"), context_(std::make_shared<TShellContext>(std::move(settings))),
      catalogue_(std::move(catalogue)) {
    RegisterMethod("Com_Counter", [this](std::span<Variant>) {
        if (!counter_.IsDispatch())
            counter_ = Variant(std::make_shared<TCounterService>(context_));
        return counter_;
    });
    RegisterMethod("Com_Validator", [this](std::span<Variant>) {
        if (!validator_.IsDispatch())
            validator_ = Variant(std::make_shared<TValidatorService>(context_));
        return validator_;
    });
    RegisterMethod("Com_F2Window", [this](std::span<Variant>) {
        if (!lookup_.IsDispatch())
            lookup_ = Variant(std::make_shared<TLookupService>(context_));
        return lookup_;
    });
    RegisterProperty("ProductID", [this] { return Variant(context_->Settings().ProductId); });
    RegisterMethod("GetMessage", [this](std::span<Variant> args) {
        const std::string kind = args.size() > 0 ? VarToStr(args[0]) : std::string();
        const std::string number = args.size() > 1 ? VarToStr(args[1]) : std::string();
        return Variant(catalogue_.Text(kind, number, context_->Settings().Language));
    });
    RegisterMethod("CallHelp", [this](std::span<Variant> args) -> Variant {
        const Variant request = args.empty() ? Variant() : args[0];
        if (!request.IsArray() || request.DimCount() != 1 || request.HighBound() - request.LowBound() < 1)
            throw Exception("CallHelp takes [system code, topic]");
        if (OnHelp)
            OnHelp(VarToStr(request[request.LowBound()]), VarToStr(request[request.LowBound() + 1]));
        return {};
    });
    RegisterMethod("GetFileList", [](std::span<Variant> args) {
        return Variant(FileDescription(VarToStr(FirstElement(args))));
    });
}

TShellSession::~TShellSession() = default;

const TShellSessionSettings& TShellSession::Settings() const noexcept {
    return context_->Settings();
}

Variant TShellSession::AppServer() {
    return context_->AppServer();
}

} // namespace vondrel
