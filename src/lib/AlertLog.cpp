#include "lib/AlertLog.h"

#include "lib/SuitePath.h"
#include "platform/DateTime.h"
#include "platform/Files.h"
#include "platform/Library.h"
#include "platform/PlatformServices.h"
#include "platform/SysUtils.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ios>
#include <memory>
#include <system_error>
#include <typeinfo>

namespace vondrel {

namespace fs = std::filesystem;

namespace {

/// The Log folder below an install folder, made when missing; empty when it cannot be made.
std::string LogFolder(std::string_view installFolder) {
    const std::string folder = WithTrailingSeparator(installFolder) + "Log";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec))
        return {};
    return folder;
}

bool AppendLine(const std::string& file, std::string_view stamp, std::string_view text) {
    std::string line;
    line.reserve(stamp.size() + text.size() + 6);
    line.append("[").append(stamp).append("] ").append(text).append("\r\n");
    return AppendFileBytes(file, line);
}

/// The class name of an error without its namespaces ("EVariantTypeCastError").
std::string ClassNameOf(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    if (const std::size_t colons = name.rfind("::"); colons != std::string::npos)
        name.erase(0, colons + 2);
    return name;
}

std::string Format(const char* pattern, int number, int code, std::string_view message) {
    char head[128];
    std::snprintf(head, sizeof head, pattern, number, code);
    return head + std::string(message);
}

} // namespace

bool WriteAlertLog(std::string_view name, std::string_view text, char period) {
    try {
        // A name is part of a file name: it may not lead out of the Log folder.
        if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos)
            return false;
        std::string install = GetSuitePath();
        if (install.empty())
            install = fs::path(ProgramFileName()).parent_path().string();
        const std::string folder = LogFolder(install);
        if (folder.empty())
            return false;
        const TDateTime now = Now();
        const char* stampPattern = period == 'M' ? "yyyymm" : period == 'Y' ? "yyyy" : "yyyymmdd";
        std::string file = folder + "/Alert_" + std::string(name) + "_" + FormatDateTime(stampPattern, now);
        if (name.find('.') == std::string_view::npos)
            file += ".log";
        return AppendLine(file, FormatDateTime("yyyy/mm/dd hh:nn:ss:zzz", now), text);
    } catch (...) {
        return false;
    }
}

bool WriteTovikLog(std::string_view text) {
    try {
        const std::string folder = LogFolder(GetSuitePathOrTemp());
        if (folder.empty())
            return false;
        const TDateTime now = Now();
        const std::string file = folder + "/Alert_TovikGenerator_" + FormatDateTime("yyyymmdd", now) + ".log";
        // The short date and long time of this platform.
        return AppendLine(file, FormatDateTime("yyyy-mm-dd hh:nn:ss", now), text);
    } catch (...) {
        return false;
    }
}

void WriteErrorReport(const std::exception* error, std::string_view location, std::string_view message) {
    try {
        const std::string dashes(34, '-');
        const std::string place =
            Trim(location).empty() ? std::string() : " on " + std::string(location) + " ";
        WriteTovikLog(dashes + place + dashes);
        if (error) {
            WriteTovikLog("讯息信息:");
            int count = 1;
            if (const auto* engine = dynamic_cast<const EDBEngineError*>(error)) {
                count = static_cast<int>(engine->Errors().size());
                int number = 0;
                for (const TDBNativeError& native : engine->Errors())
                    WriteTovikLog(Format("EDBEngineError Error %.2d: Code: %d, Message: ", ++number,
                                         native.Code, native.Message));
            } else if (dynamic_cast<const std::ios_base::failure*>(error) ||
                       dynamic_cast<const fs::filesystem_error*>(error)) {
                const auto& system = dynamic_cast<const std::system_error&>(*error);
                WriteTovikLog(Format("EInOutError Error %.2d: Code: %d, Message: ", 1, system.code().value(),
                                     system.what()));
            } else if (const auto* system = dynamic_cast<const std::system_error*>(error)) {
                WriteTovikLog(Format("EWin32Error Error %.2d: Code: %d, Message: ", 1, system->code().value(),
                                     system->what()));
            } else {
                WriteTovikLog("Exception is " + ClassNameOf(*error) + "\r\nMessage 01: " + error->what());
            }
            WriteTovikLog("ErrorMessage Count: " + std::to_string(count));
        }
        if (!Trim(message).empty())
            WriteTovikLog("Programer Message: " + std::string(message));
    } catch (...) {
        // A report that cannot be written is dropped, as a log line is.
    }
}

} // namespace vondrel
