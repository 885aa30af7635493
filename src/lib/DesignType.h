#pragma once

#include "ui/TypeInfo.h"

namespace vondrel {

/// Where a converter or language controller is used: in a client form or in a
/// server-side one. It chooses the install folder (client or server) whose settings count.
enum TDesignType { dtClient, dtServer };
template <>
struct TEnumTraits<TDesignType> {
    static const TEnumInfo& Info();
};

} // namespace vondrel
