#pragma once

#include <vondrel/Exception.h>

namespace vondrel {

/// An operation the object's state does not allow ("Cannot focus a disabled or invisible
/// window").
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
/// A component name that is not valid or already taken.
class EComponentError : public Exception {
    using Exception::Exception;
};
/// An index outside a list.
class EListError : public Exception {
    using Exception::Exception;
};
class EStringListError : public EListError {
    using EListError::EListError;
};
/// A dataset or field operation that cannot be done.
class EDatabaseError : public Exception {
    using Exception::Exception;
};
/// Text that does not satisfy an edit mask.
class EDBEditError : public Exception {
    using Exception::Exception;
};

} // namespace vondrel
