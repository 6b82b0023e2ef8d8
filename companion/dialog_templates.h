#pragma once

#include <span>

// The program's dialog templates and menu as the command line sees them,
// generated at build time from resources/*.rc. Texts are UTF-8.

enum class ControlKind { PushButton, CheckBox, RadioButton, Edit, ListBox, ComboBox, Static, GroupBox, Other };

struct ControlTemplate {
  int id;
  const char* symbol;   // the id's name in the headers, or "" for a plain number
  ControlKind kind;
  const char* caption;
  int group;            // controls from one WS_GROUP control to the next share a number
  bool autoState;       // an auto check box or radio button: a click changes its state
  bool sorted;          // a list or combo box that sorts its items
  bool digitsOnly;      // an edit that takes digits only
  bool multiLine;       // an edit where Enter starts a new line
  bool readOnly;        // an edit the program fills (a chosen file's path)
};

struct DialogTemplate {
  int id;
  const char* symbol;
  const char* caption;
  std::span<const ControlTemplate> controls;
};

struct MenuItemTemplate {
  int command;
  const char* path;  // pop-up texts and the item text, joined by " > "
};

std::span<const DialogTemplate> DialogTemplates();
std::span<const MenuItemTemplate> MenuItems();
