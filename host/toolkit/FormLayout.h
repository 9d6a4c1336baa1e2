#pragma once

#include <QString>

class QObject;

class TForm;

// Form layouts are JSON resources in the shape of classic form files:
//
//   { "inherits": ":/area/Base.layout.json",          optional: the layout this one changes
//     "properties": { "Caption": "...", "ClientWidth": 536, "KeyPreview": true },
//     "events": { "OnCreate": "FormCreate" },
//     "controls": [
//       { "name": "Grid", "bounds": [0, 35, 445, 309] },                    an inherited control changed
//       { "name": "Label1", "class": "TLabel", "parent": "Panel2", ... },    a control added
//       { "name": "Mirror", "events": { "OnClick": null } } ] }              a handler removed
//
// A control entry without "class" changes the inherited control of that name; one with "class" adds
// a control (its parent is the enclosing entry, "parent", or the form). Entries may nest "controls".
// "bounds" is [left, top, width, height]. Properties go through the Qt property system, with a few
// classic names: Caption (a control's text or the form's title), Hint, Glyph (an icon resource),
// Font ("Family,size": points, or pixels when negative; so is any font property), Cursor ("crSizeNS"),
// Constraints ({"MinHeight": 20}), FocusControl (a label's buddy) and TabOrder (order among
// siblings). A property that holds a component (a highlighter) takes the component's name. Menu
// items (TMenuItem) added under a TPopupMenu may name the item they follow with "after". Events
// name a slot of the form; a descendant's slot of the same name serves its form, and a new entry for
// an event replaces the inherited handler. A property no class declares is an error unless it is one
// of the few the toolkit reads (Align, Anchors, TabOrder, PopupMenu, ShortCut) or keeps (BevelOuter,
// DoubleBuffered, ParentDoubleBuffered); so is a key of a layout or an entry that is none of the
// above. An error in a layout raises Exception naming it.
void LoadFormLayout(TForm* form, const QString& resource);

// Makes the class `className` known to layouts. A module that declares a control class of its own
// registers it before the first form that uses it is made. A plain function: the table outlives a
// package that is unloaded, and dropping a function pointer runs none of the package's code.
using TLayoutClassFactory = QObject* (*)(QObject* parent);
void RegisterLayoutClass(const QString& className, TLayoutClassFactory factory);
