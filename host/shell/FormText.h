#pragma once

#include <string>

namespace vondrel {

class TForm;

/// The form as a person at a terminal reads it: one line per control, indented under its
/// parent, with its name, class and text, and marks for the focus, hidden and disabled
/// controls and check states.
std::string FormText(const TForm& form);

} // namespace vondrel
