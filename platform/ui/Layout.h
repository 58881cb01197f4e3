#pragma once
// Layout files: the controls of a window and their design state, one line each.
//
//   # a comment; blank lines are ignored
//   form TfrmPassword caption=" Dorneval - Chiavediaccess" client=388x405 border=single closebox=no
//        position=screencenter fill=gradient:#FF4682B4:#FFFFFFFF
//   label lblRigo05 bounds=30,180,320,20 text="Immetti la password e premi OK."
//   edit txtPassword bounds=79,220,230,22 font=Verdana size=14 bold=yes password=yes taborder=0
//   rectangle effPassword bounds=75,216,238,30 fill=#FFFFFF00 stroke=gradient:#FFFFFF00:#FFFFFFFF visible=no
//   button cmdOK bounds=80,270,100,30 text="OK" enabled=no modalresult=ok
//   item lstMesi "Gennaio"
//   column grdRecords colNum "N." width=40 readonly=yes
//
// Every line is one word of kind, then a name, then attributes key=value.
// A value is a bare word, or text in double quotes with the escapes \" \\ \n
// \r \t. The form line comes first (a line may be continued on the next one
// when that one starts with a blank). Kinds: label edit button picture
// rectangle panel groupbox layout listbox combo checkbox calendar memo grid
// timer chart; "item <control> <text>" adds an item to a list box or combo edit
// (a line to a memo); "column <grid> <name> <header> [width= readonly=]" adds
// a grid column. A parent must be declared before its children.
//
// Attributes of every control: parent=<name> bounds=x,y,w,h dock=none|client|center
// visible= enabled=
// text= hint= font=<family> size=<n> bold= italic= underline= fontcolor=#AARRGGBB
// fill=#AARRGGBB | fill=gradient:#top:#bottom | fill=none
// cursor=default|arrow|hand|ibeam|wait taborder=<n> tabstop= tag=<n> hittest=
// default= cancel= (the command that Enter, or Escape, presses)
// Edits, combos and memos: readonly= password= maxlength=<n> align=leading|center|trailing
// Labels: align= wordwrap=. Memos: wordwrap=. Buttons: modalresult=ok|cancel|yes|no|...
// Pictures: picture=<embedded resource> wrap=fit|stretch|original|center.
// Rectangles: stroke=<colour or gradient> strokewidth=<n> radius=<n>.
// List boxes: itemwidth=<n> itemheight=<n> itemfont=<family> itemsize=<n>.
// Combos: itemindex=<n>. Check boxes: checked=. Grids: rows=<n> rowheight=<n>
// alternating= readonly=. Timers: interval=<ms> enabled=.
// Charts: series=<name> kind=bar|pie marks= view3d= orthogonal=
// title=<text> titlefont= titlesize= titlebold= titlecolor= titlevisible=
// (foot... the same for the foot) legend= legendtitle= legendpos=bottom|top|left|right
// bottomaxis= leftaxis=.
// Form attributes: caption= client=WxH border=none|single|sizeable closebox=
// state=normal|maximized position=default|screencenter|ownercenter|mainformcenter
// fill= font= size= bold= fontcolor=.
// Booleans are yes/no (also true/false, 1/0). An unknown kind or attribute,
// a bad value or an unknown parent fails with a LayoutError naming the line.
#include <string_view>

#include "platform/ui/Form.h"

namespace ui {

// Adds the controls of a layout text to a form and sets its design state.
// `source` names the text in error messages.
void LoadLayout(Form& f, std::string_view text, std::string_view source = "layout");
// The same, from an embedded resource ("shell/Password.layout").
void LoadLayoutResource(Form& f, std::string_view resourceName);

// Parses "#AARRGGBB" (or "#RRGGBB", opaque); throws LayoutError otherwise.
Color ParseColor(std::string_view s);

} // namespace ui
