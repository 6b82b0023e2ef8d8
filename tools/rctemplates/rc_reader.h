#pragma once

// Reads the parts of resource scripts the command line needs: dialog
// captions and controls, and the menu. Ids are resolved through the
// #define lines of the headers the scripts include.

#include <map>
#include <string>
#include <vector>

namespace rc {

struct Control {
  int id = 0;
  std::string symbol;
  std::string kind;  // PushButton, CheckBox, RadioButton, Edit, ListBox, ComboBox, Static, GroupBox, Other
  std::string caption;
  int group = 0;
  bool autoState = false;
  bool sorted = false;
  bool digitsOnly = false;
  bool multiLine = false;
  bool readOnly = false;
};

struct Dialog {
  int id = 0;
  std::string symbol;
  std::string caption;
  std::vector<Control> controls;
};

struct MenuItem {
  int command = 0;
  std::string path;
};

struct Resources {
  std::vector<Dialog> dialogs;
  std::vector<MenuItem> menu;
  std::vector<std::string> warnings;
};

// Reads one script into `out`; include files are looked up in `includeDirs`.
// Returns false with a warning when the file cannot be read.
bool ReadScript(const std::string& path, const std::vector<std::string>& includeDirs, Resources& out);

}  // namespace rc
