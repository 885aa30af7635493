#pragma once

#include <vondrel/Exception.h>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

/// One error reported by a database engine.
struct TDBNativeError {
    int Code = 0;
    std::string Message;
};

/// A failure of the database engine, carrying the engine's own errors in order.
class EDBEngineError : public Exception {
public:
    EDBEngineError(std::string message, std::vector<TDBNativeError> errors)
        : Exception(std::move(message)), errors_(std::move(errors)) {}
    const std::vector<TDBNativeError>& Errors() const noexcept { return errors_; }

private:
    std::vector<TDBNativeError> errors_;
};

/// The name of the log the code-page conversions write to.
inline constexpr const char* kLibStrsLog = "libstrs";

/// Appends "[yyyy/mm/dd hh:nn:ss:zzz] text" to the named log in the Log folder of the
/// install folder (the program's folder when there is no install folder). The file is
/// Alert_<name>_<stamp>, plus ".log" when the name has no "."; the stamp is the date
/// "yyyymmdd", or "yyyymm" for period 'M', "yyyy" for period 'Y'. False when the line
/// could not be written; never raises.
bool WriteAlertLog(std::string_view name, std::string_view text, char period = 'D');

/// Appends "[date time] text" to the generator log of the day,
/// Alert_TovikGenerator_yyyymmdd.log in the Log folder of GetSuitePathOrTemp. False when
/// the line could not be written; never raises.
bool WriteTovikLog(std::string_view text);

/// Writes a report of an error to the generator log: a rule naming the location, the
/// error's class, code and message (each error of a database-engine failure), their count,
/// and the programmer's message. The error may be absent; blank location and message are
/// left out.
void WriteErrorReport(const std::exception* error, std::string_view location, std::string_view message);

} // namespace vondrel
