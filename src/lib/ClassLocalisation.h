#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vondrel {

class TCodeConverter;
class TComponent;

/// What a control class adds to the localisation of the form it sits on, beyond what its
/// published properties give. Classes of the layers above (the selection panel, the lookup
/// combo) register these once, for instance from a function-local static in their
/// constructor, since the form-wide conversion and the localised base form cannot know them.
struct TClassLocalisation {
    /// Converts the texts the control keeps outside its published properties from simplified
    /// to traditional Chinese (the converter's GBToBig5). Runs only when the interface is
    /// converted to traditional Chinese, after the generic pass over the published properties.
    std::function<void(TComponent& component, const TCodeConverter& converter)> ConvertTexts;
    /// The glyph buttons that are parts of the control (speed or bit buttons it owns). The
    /// localised base form gives each one holding a single image a greyed image for its
    /// disabled state.
    std::function<std::vector<TComponent*>(TComponent& component)> GlyphButtons;
};

/// Registers the hooks of a class and of its descendants (a later registration for the
/// same class name replaces the earlier one).
void RegisterClassLocalisation(std::string className, TClassLocalisation hooks);
/// The hooks of the component's class, or of its nearest ancestor that has some; nullptr
/// when none is registered.
const TClassLocalisation* FindClassLocalisation(const TComponent& component);

} // namespace vondrel
