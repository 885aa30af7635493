#include "FormText.h"

#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace vondrel {

namespace {

/// Rows shown of a long list; the rest are counted.
constexpr int kListRowsShown = 40;

void AppendItems(const TControl& control, const std::string& indent, std::string& text) {
    if (const auto* list = dynamic_cast<const TListView*>(&control)) {
        const int count = list->Items()->Count();
        for (int r = 0; r < count && r < kListRowsShown; ++r) {
            const TListItem* item = list->Items()->Item(r);
            text +=
                indent + (item->Selected() ? "* " : "  ") + "[" + std::to_string(r) + "] " + item->Caption();
            for (int s = 0; s < item->SubItems()->Count(); ++s)
                text += " | " + item->SubItems()->Get(s);
            text += "\n";
        }
        if (count > kListRowsShown)
            text += indent + "  ... " + std::to_string(count - kListRowsShown) + " more rows\n";
    } else if (const auto* combo = dynamic_cast<const TComboBox*>(&control)) {
        for (int i = 0; i < combo->Items()->Count(); ++i)
            text += indent + (i == combo->ItemIndex() ? "* " : "  ") + "[" + std::to_string(i) + "] " +
                    combo->Items()->Get(i) + "\n";
    }
}

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
    AppendItems(control, std::string(static_cast<std::size_t>(depth) * 2 + 2, ' '), text);
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
