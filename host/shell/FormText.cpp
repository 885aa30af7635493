#include "FormText.h"

#include "ui/Form.h"

namespace vondrel {

namespace {

void AppendControl(const TControl& control, int depth, std::string& text) {
    text += std::string(static_cast<std::size_t>(depth) * 2, ' ');
    text += control.Name().empty() ? "(" + control.ClassName() + ")" : control.Name();
    text += " " + control.ClassName();
    if (const std::string value = control.Text(); !value.empty())
        text += " \"" + value + "\"";
    if (const int state = control.UserCheckState(); state >= 0)
        text += state == 1 ? " [x]" : state == 2 ? " [-]" : " [ ]";
    if (const auto* windowed = dynamic_cast<const TWinControl*>(&control); windowed && windowed->Focused())
        text += " <focus>";
    if (!control.Visible())
        text += " (hidden)";
    if (!control.Enabled())
        text += " (disabled)";
    text += "\n";
    if (const auto* windowed = dynamic_cast<const TWinControl*>(&control))
        for (const TControl* child : windowed->ChildControls())
            AppendControl(*child, depth + 1, text);
}

} // namespace

std::string FormText(const TForm& form) {
    std::string text = "== " + form.Name() + " " + form.ClassName() + " \"" + form.Caption() + "\"";
    if (form.Modal())
        text += " (modal)";
    if (!form.Visible())
        text += " (not shown)";
    text += "\n";
    for (const TControl* child : form.ChildControls())
        AppendControl(*child, 1, text);
    return text;
}

} // namespace vondrel
