#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vondrel {

/// The whole content of a file, or empty when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
/// Appends the bytes to the file, creating it when missing; false on any failure.
bool AppendFileBytes(const std::string& path, std::string_view bytes);

} // namespace vondrel
