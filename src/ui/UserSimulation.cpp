#include "ui/UserSimulation.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/ScriptedUiDriver.h"
#include "ui/StringGrid.h"
#include "ui/TextEditing.h"
#include "ui/Timer.h"

namespace vondrel::User {

namespace {

std::string NameOf(const TComponent& component) {
    return component.Name().empty() ? component.ClassName() : component.Name();
}

/// What stands between a person and the control.
TUserResult Reach(const TControl& control) {
    const TForm* form = GetParentForm(&control);
    if (!form)
        return TUserResult::Refused(NameOf(control) + " is not on a form");
    if (!form->Visible())
        return TUserResult::Refused("the form " + NameOf(*form) + " is not shown");
    if (const TForm* modal = Screen().TopModalForm(); modal && modal != form)
        return TUserResult::Refused("the form " + NameOf(*form) + " is behind the modal form " +
                                    NameOf(*modal));
    if (!control.Showing())
        return TUserResult::Refused(NameOf(control) + " is not visible");
    if (!control.EnabledInChain())
        return TUserResult::Refused(NameOf(control) + " is disabled");
    return TUserResult::Done();
}

/// Runs an action as the message loop would: an exception goes to the application, and
/// pending messages are processed afterwards.
template <class F>
TUserResult Run(F&& action) {
    TUserResult result;
    try {
        result = action();
    } catch (const EScriptedUiError&) {
        throw;
    } catch (const std::exception& error) {
        Application().HandleException(error);
    }
    try {
        Application().ProcessMessages();
    } catch (const EScriptedUiError&) {
        throw;
    } catch (const std::exception& error) {
        Application().HandleException(error);
    }
    return result;
}

TUserResult FocusByMouse(TWinControl& control) {
    if (!control.CanFocus())
        return TUserResult::Refused(NameOf(control) + " cannot take the focus");
    if (control.Focused())
        return TUserResult::Done();
    TMouseFocusScope mouse;
    control.SetFocus();
    // A compound control may hand the focus to one of its parts.
    if (!control.Focused() && !control.ContainsControl(Screen().ActiveControl())) {
        const TWinControl* focused = Screen().ActiveControl();
        return TUserResult::Refused("the focus stayed on " +
                                    (focused ? NameOf(*focused) : std::string("the form")));
    }
    return TUserResult::Done();
}

TUserResult TypeChars(TControl& control, std::u32string_view chars) {
    // A key may end the form (Enter on a default button that closes it): the rest of the
    // text then has nowhere to go.
    const std::string name = NameOf(control);
    TComponentRef<TControl> alive(&control);
    TComponentRef<TForm> form(GetParentForm(&control));
    for (char32_t ch : chars) {
        if (!alive || !form)
            return TUserResult::Refused(name + " has gone with its form");
        if (Screen().ActiveControl() != &control)
            return TUserResult::Refused("the focus moved away from " + NameOf(control));
        if (ch == U'\n')
            ch = U'\r';
        const auto [key, shift] = CharToKey(ch);
        if (key)
            form->KeyboardInput(key, shift, ch);
        else
            form->CharacterInput(ch);
        Application().ProcessMessages();
    }
    return TUserResult::Done();
}

TForm* ActiveForm() {
    if (TForm* modal = Screen().TopModalForm())
        return modal;
    return Screen().ActiveForm();
}

} // namespace

TComponent* Find(const TForm& form, std::string_view path) {
    const TComponent* current = &form;
    while (current) {
        const std::size_t dot = path.find('.');
        TComponent* next = current->FindComponent(path.substr(0, dot));
        if (dot == std::string_view::npos)
            return next;
        current = next;
        path.remove_prefix(dot + 1);
    }
    return nullptr;
}

TUserResult Focus(TControl& control) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        auto* windowed = dynamic_cast<TWinControl*>(&control);
        if (!windowed)
            return TUserResult::Refused(NameOf(control) + " cannot take the focus");
        return FocusByMouse(*windowed);
    });
}

TUserResult Type(TControl& control, std::string_view text) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        if (TUserResult typing = control.UserCanType(); !typing)
            return typing;
        auto* windowed = dynamic_cast<TWinControl*>(&control);
        if (!windowed)
            return TUserResult::Refused(NameOf(control) + " takes no typing");
        if (TUserResult focus = FocusByMouse(*windowed); !focus)
            return focus;
        control.UserCaretToEnd();
        return TypeChars(control, ToChars(text));
    });
}

TUserResult Set(TControl& control, std::string_view text) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        if (TUserResult typing = control.UserCanType(); !typing)
            return typing;
        auto* windowed = dynamic_cast<TWinControl*>(&control);
        if (!windowed)
            return TUserResult::Refused(NameOf(control) + " takes no typing");
        if (TUserResult focus = FocusByMouse(*windowed); !focus)
            return focus;
        control.UserSelectAll();
        if (text.empty()) {
            GetParentForm(&control)->KeyboardInput(VK_DELETE, {}, 0);
            return TUserResult::Done();
        }
        return TypeChars(control, ToChars(text));
    });
}

TUserResult Key(Word key, TShiftState shift) {
    return Run([&] {
        TForm* form = ActiveForm();
        if (!form || !form->Visible())
            return TUserResult::Refused("no form is active");
        form->KeyboardInput(key, shift, KeyToChar(key, shift));
        return TUserResult::Done();
    });
}

TUserResult Key(TControl& control, Word key, TShiftState shift) {
    if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && !windowed->Focused())
        if (TUserResult focus = Focus(control); !focus)
            return focus;
    return Key(key, shift);
}

TUserResult Leave(bool backward) {
    TWinControl* before = Screen().ActiveControl();
    TComponentRef<TWinControl> left(before);
    TUserResult result = Key(VK_TAB, backward ? TShiftState{ssShift} : TShiftState{});
    if (result && left && Screen().ActiveControl() == before)
        return TUserResult::Refused("the focus stayed on " + NameOf(*before));
    return result;
}

TUserResult Click(TControl& control) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        if (control.UserTakesFocusOnClick())
            if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->CanFocus())
                if (TUserResult focus = FocusByMouse(*windowed); !focus)
                    return focus; // the control left kept the focus: the click is lost
        return control.UserClick();
    });
}

TUserResult Click(TMenuItem& item) {
    return Run([&] {
        if (!item.Available())
            return TUserResult::Refused(NameOf(item) + " is disabled or hidden");
        item.Click();
        return TUserResult::Done();
    });
}

TUserResult DoubleClick(TControl& control) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        if (control.UserTakesFocusOnClick())
            if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->CanFocus())
                if (TUserResult focus = FocusByMouse(*windowed); !focus)
                    return focus;
        return control.UserDoubleClick();
    });
}

TUserResult RightClick(TControl& control) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        TPopupMenu* menu = control.PopupMenu();
        if (!menu || !menu->AutoPopup())
            return TUserResult::Refused(NameOf(control) + " has no popup menu");
        menu->SetPopupComponent(&control);
        menu->Popup(control.Left(), control.Top());
        return TUserResult::Done();
    });
}

TUserResult Check(TControl& control, int state) {
    if (control.UserCheckState() < 0)
        return TUserResult::Refused(NameOf(control) + " cannot be checked");
    for (int clicks = 0; clicks < 3; ++clicks) {
        if (control.UserCheckState() == state)
            return TUserResult::Done();
        if (TUserResult click = Click(control); !click)
            return click;
    }
    if (control.UserCheckState() == state)
        return TUserResult::Done();
    return TUserResult::Refused("clicks do not bring " + NameOf(control) + " to state " +
                                std::to_string(state));
}

TUserResult Choose(TControl& control, int index) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        if (control.UserTakesFocusOnClick())
            if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->CanFocus())
                if (TUserResult focus = FocusByMouse(*windowed); !focus)
                    return focus;
        return control.UserChoose(index);
    });
}

TUserResult Choose(TControl& control, std::string_view text) {
    const int index = control.UserChoiceIndex(text);
    if (index < 0)
        return TUserResult::Refused(NameOf(control) + " offers no \"" + std::string(text) + "\"");
    return Choose(control, index);
}

TUserResult Select(TControl& control, std::vector<int> rows) {
    return Run([&] {
        if (TUserResult reach = Reach(control); !reach)
            return reach;
        if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->CanFocus())
            if (TUserResult focus = FocusByMouse(*windowed); !focus)
                return focus;
        return control.UserSelect(rows);
    });
}

TUserResult EditCaption(TListView& list, int row, std::string_view text) {
    return Run([&] {
        if (TUserResult reach = Reach(list); !reach)
            return reach;
        if (list.ReadOnly())
            return TUserResult::Refused(NameOf(list) + " is read-only");
        TListItem* item = list.Items()->Item(row);
        if (!item)
            return TUserResult::Refused(NameOf(list) + " has no row " + std::to_string(row));
        if (TUserResult focus = FocusByMouse(list); !focus)
            return focus;
        if (!list.EditCaption(item, std::string(text)))
            return TUserResult::Refused("editing row " + std::to_string(row) + " of " + NameOf(list) +
                                        " was refused");
        return TUserResult::Done();
    });
}

TUserResult ClickColumn(TListView& list, int column) {
    return Run([&] {
        if (TUserResult reach = Reach(list); !reach)
            return reach;
        return list.UserClickColumn(column);
    });
}

TUserResult SelectCell(TStringGrid& grid, int col, int row) {
    return Run([&] {
        if (TUserResult reach = Reach(grid); !reach)
            return reach;
        if (TUserResult focus = FocusByMouse(grid); !focus)
            return focus;
        if (!grid.MoveTo(col, row))
            return TUserResult::Refused("the cell " + std::to_string(col) + "," + std::to_string(row) +
                                        " of " + NameOf(grid) + " cannot be selected");
        return TUserResult::Done();
    });
}

TUserResult CloseForm(TForm& form) {
    return Run([&] {
        if (!form.Visible())
            return TUserResult::Refused("the form " + NameOf(form) + " is not shown");
        if (const TForm* modal = Screen().TopModalForm(); modal && modal != &form)
            return TUserResult::Refused("the form " + NameOf(form) + " is behind the modal form " +
                                        NameOf(*modal));
        if (!form.BorderIcons().Contains(biSystemMenu))
            return TUserResult::Refused("the form " + NameOf(form) + " has no close box");
        form.Perform(WM_CLOSE);
        return TUserResult::Done();
    });
}

void Wait(int milliseconds) {
    Run([&] {
        ElapseTimers(milliseconds);
        return TUserResult::Done();
    });
}

} // namespace vondrel::User
