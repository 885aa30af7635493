#pragma once

#include "ui/Types.h"
#include "ui/UserResult.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vondrel {

class TComponent;
class TControl;
class TForm;
class TListView;
class TMenuItem;
class TStringGrid;

/// What a person does with the forms, one action at a time. Each action checks what a
/// person would meet (the control is hidden or disabled, another form is modal), does
/// what the mouse or keyboard does, then lets pending messages be processed. An
/// exception that reaches the "message loop" is shown by the application (and recorded
/// by a scripted driver). Tests and the shell's scripts use only these.
namespace User {

/// A control of a form by name; a dotted path goes through owned components
/// ("sp05.edFrom"). nullptr when there is none.
TComponent* Find(const TForm& form, std::string_view path);

/// Clicks into a windowed control: OnExit of the control left, then OnEnter.
TUserResult Focus(TControl& control);
/// Clicks behind the control's text and types the text there, key by key.
TUserResult Type(TControl& control, std::string_view text);
/// Replaces the control's text: selects it all and types the new one (an empty text
/// deletes it).
TUserResult Set(TControl& control, std::string_view text);
/// Presses Tab on the focused control (Shift+Tab when backward); refused when the focus
/// stays where it was (an exit check kept it).
TUserResult Leave(bool backward = false);
/// Presses a key with a shift state on the focused control of the active form (focusing
/// the given control first, when one is given).
TUserResult Key(Word key, TShiftState shift = {});
TUserResult Key(TControl& control, Word key, TShiftState shift = {});
/// Clicks a control (a button's ModalResult goes to its form) or a menu item.
TUserResult Click(TControl& control);
TUserResult Click(TMenuItem& item);
TUserResult DoubleClick(TControl& control);
/// Right-clicks a control: its popup menu appears (answered by the UI driver).
TUserResult RightClick(TControl& control);
/// Clicks a check box, radio button or toggle button until it shows the state (0
/// unchecked, 1 checked, 2 grayed); refused when clicks cannot get there.
TUserResult Check(TControl& control, int state);
inline TUserResult Check(TControl& control, bool checked) {
    return Check(control, checked ? 1 : 0);
}
/// Chooses an item of a combo box, a button of a radio group, a tab of a page control, a
/// row of a list view: by index, or by its text.
TUserResult Choose(TControl& control, int index);
TUserResult Choose(TControl& control, std::string_view text);
/// Selects exactly these rows of a list view (Ctrl+click for several).
TUserResult Select(TControl& control, std::vector<int> rows);
/// Edits the caption of a list-view row in place.
TUserResult EditCaption(TListView& list, int row, std::string_view text);
/// Clicks a list-view column header.
TUserResult ClickColumn(TListView& list, int column);
/// Clicks a cell of a grid.
TUserResult SelectCell(TStringGrid& grid, int col, int row);
/// Clicks the close box of a form.
TUserResult CloseForm(TForm& form);
/// Waits: timers that come due meanwhile fire.
void Wait(int milliseconds);

} // namespace User

} // namespace vondrel
