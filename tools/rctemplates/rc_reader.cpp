#include "rc_reader.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace rc {

namespace {

struct Token {
  enum Kind { Word, String, Punct } kind;
  std::string text;
};

// A statement's tokens, split into comma-separated fields.
using Field = std::vector<Token>;

std::vector<Token> Tokenize(const std::string& line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (std::isspace(static_cast<unsigned char>(c))) { ++i; continue; }
    if (c == '"') {
      std::string text;
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') { text += '"'; ++i; continue; }
          ++i;
          break;
        }
        if (line[i] == '\\' && i + 1 < line.size()) {
          const char e = line[++i];
          text += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
          continue;
        }
        text += line[i];
      }
      tokens.push_back({Token::String, text});
      continue;
    }
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') {
      std::size_t j = i + 1;
      while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '_')) ++j;
      tokens.push_back({Token::Word, line.substr(i, j - i)});
      i = j;
      continue;
    }
    tokens.push_back({Token::Punct, std::string(1, c)});
    ++i;
  }
  return tokens;
}

std::vector<Field> Fields(const std::vector<Token>& tokens, std::size_t from) {
  std::vector<Field> fields(1);
  for (std::size_t i = from; i < tokens.size(); ++i) {
    if (tokens[i].kind == Token::Punct && tokens[i].text == ",") fields.emplace_back();
    else fields.back().push_back(tokens[i]);
  }
  return fields;
}

// Lines without comments; a statement ending in ',' or '|' continues on the next line.
std::vector<std::string> Statements(std::istream& in) {
  std::vector<std::string> out;
  std::string line, pending;
  bool inBlockComment = false;
  while (std::getline(in, line)) {
    std::string clean;
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (inBlockComment) {
        if (line.compare(i, 2, "*/") == 0) { inBlockComment = false; ++i; }
        continue;
      }
      if (line[i] == '"') inString = !inString;
      if (!inString && line.compare(i, 2, "//") == 0) break;
      if (!inString && line.compare(i, 2, "/*") == 0) { inBlockComment = true; ++i; continue; }
      clean += line[i];
    }
    while (!clean.empty() && std::isspace(static_cast<unsigned char>(clean.back()))) clean.pop_back();
    const std::size_t start = clean.find_first_not_of(" \t");
    clean.erase(0, start == std::string::npos ? clean.size() : start);
    pending += pending.empty() ? clean : " " + clean;
    if (!pending.empty() && (pending.back() == ',' || pending.back() == '|')) continue;
    if (!pending.empty()) out.push_back(pending);
    pending.clear();
  }
  if (!pending.empty()) out.push_back(pending);
  return out;
}

class Reader {
 public:
  Reader(const std::vector<std::string>& includeDirs, Resources& out) : dirs_(includeDirs), out_(out) {
    for (auto [name, value] : {std::pair{"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4},
                               {"IDIGNORE", 5}, {"IDYES", 6}, {"IDNO", 7}, {"IDC_STATIC", -1}})
      defines_[name] = std::to_string(value);
  }

  bool Script(const std::string& path) {
    std::ifstream in(path);
    if (!in) return Warn("cannot read " + path);
    file_ = path;
    statements_ = Statements(in);
    for (at_ = 0; at_ < statements_.size();) TopLevel();
    return true;
  }

 private:
  bool Warn(const std::string& what) {
    out_.warnings.push_back(file_ + ": " + what);
    return false;
  }

  void Include(const std::string& name) {
    if (!included_.insert(name).second) return;
    for (const std::string& dir : dirs_) {
      std::ifstream in(dir + "/" + name);
      if (!in) continue;
      std::string line;
      while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string hash, key, value;
        words >> hash >> key >> value;
        if (hash == "#define" && !key.empty() && !value.empty()) defines_[key] = value;
        if (hash == "#include" && key.size() > 2 && key.front() == '"') Include(key.substr(1, key.size() - 2));
      }
      return;
    }
  }

  bool Number(const Field& field, int& value) {
    std::string text;
    bool negative = false;
    for (const Token& t : field) {
      if (t.kind == Token::Punct && (t.text == "(" || t.text == ")")) continue;
      if (t.kind == Token::Punct && t.text == "-") { negative = !negative; continue; }
      text += t.text;
    }
    for (int depth = 0; defines_.count(text) && depth < 8; ++depth) text = defines_[text];
    while (!text.empty() && (text.front() == '(')) text.erase(0, 1);
    while (!text.empty() && (text.back() == ')')) text.pop_back();
    if (!text.empty() && text.front() == '-') { negative = !negative; text.erase(0, 1); }
    if (text.empty()) return false;
    try {
      std::size_t used = 0;
      const long v = std::stol(text, &used, 0);
      if (used != text.size()) return false;
      value = static_cast<int>(negative ? -v : v);
      return true;
    } catch (...) {
      return false;
    }
  }

  static std::string Symbol(const Field& field) {
    return field.size() == 1 && field[0].kind == Token::Word &&
                   (std::isalpha(static_cast<unsigned char>(field[0].text[0])) || field[0].text[0] == '_')
               ? field[0].text : "";
  }

  static bool IsBlockStart(const std::string& s) { return s == "BEGIN" || s == "{"; }
  static bool IsBlockEnd(const std::string& s) { return s == "END" || s == "}"; }

  // Skips from the current BEGIN to its END.
  void SkipBlock() {
    int depth = 0;
    for (; at_ < statements_.size(); ++at_) {
      const std::string& s = statements_[at_];
      if (IsBlockStart(s)) ++depth;
      if (IsBlockEnd(s) && --depth == 0) { ++at_; return; }
    }
  }

  void TopLevel() {
    const std::vector<Token> tokens = Tokenize(statements_[at_]);
    if (tokens.empty()) { ++at_; return; }
    if (tokens[0].kind == Token::Punct && tokens[0].text == "#") {
      if (tokens.size() >= 3 && tokens[1].text == "include" && tokens[2].kind == Token::String) Include(tokens[2].text);
      if (tokens.size() >= 4 && tokens[1].text == "define") defines_[tokens[2].text] = tokens[3].text;
      ++at_;
      return;
    }
    const std::string type = tokens.size() > 1 ? tokens[1].text : "";
    ++at_;
    if (type == "DIALOG" || type == "DIALOGEX") return DialogResource(tokens[0]);
    if (type == "MENU" || type == "MENUEX") {
      if (at_ < statements_.size() && IsBlockStart(statements_[at_])) {
        ++at_;
        MenuBlock("");
      }
      return;
    }
    // Any other resource: skip its options and block, if it has one.
    while (at_ < statements_.size() && !IsBlockStart(statements_[at_]) && IsOptionLine(statements_[at_])) ++at_;
    if (at_ < statements_.size() && IsBlockStart(statements_[at_])) SkipBlock();
  }

  static bool IsOptionLine(const std::string& s) {
    for (const char* option : {"CHARACTERISTICS", "VERSION", "LANGUAGE"})
      if (s.rfind(option, 0) == 0) return true;
    return false;
  }

  void MenuBlock(const std::string& prefix) {
    while (at_ < statements_.size()) {
      const std::string statement = statements_[at_++];
      if (IsBlockEnd(statement)) return;
      const std::vector<Token> tokens = Tokenize(statement);
      if (tokens.size() < 2) continue;
      if (tokens[0].text == "POPUP" && tokens[1].kind == Token::String) {
        const std::string path = prefix.empty() ? tokens[1].text : prefix + " > " + tokens[1].text;
        if (at_ < statements_.size() && IsBlockStart(statements_[at_])) {
          ++at_;
          MenuBlock(path);
        }
      } else if (tokens[0].text == "MENUITEM" && tokens[1].kind == Token::String) {
        const std::vector<Field> fields = Fields(tokens, 1);
        int command = 0;
        if (fields.size() >= 2 && Number(fields[1], command))
          out_.menu.push_back({command, prefix.empty() ? tokens[1].text : prefix + " > " + tokens[1].text});
      }
    }
  }

  void DialogResource(const Token& name) {
    Dialog dialog;
    if (!Number({name}, dialog.id)) {
      Warn("dialog " + name.text + " has no numeric id");
      dialog.id = 0;
    }
    dialog.symbol = name.kind == Token::Word ? name.text : "";
    while (at_ < statements_.size() && !IsBlockStart(statements_[at_])) {
      const std::vector<Token> tokens = Tokenize(statements_[at_++]);
      if (tokens.size() >= 2 && tokens[0].text == "CAPTION" && tokens[1].kind == Token::String)
        dialog.caption = tokens[1].text;
    }
    ++at_;
    int group = 0;
    while (at_ < statements_.size() && !IsBlockEnd(statements_[at_])) {
      Control control;
      if (ControlStatement(Tokenize(statements_[at_++]), control)) {
        if (control.group != 0 || dialog.controls.empty()) ++group;
        control.group = group;
        dialog.controls.push_back(control);
      }
    }
    ++at_;
    if (dialog.id != 0) out_.dialogs.push_back(dialog);
  }

  struct Keyword {
    const char* name;
    bool hasText;
    const char* kind;
    const char* defaultStyle;
  };

  // Reads one control line; `group` is set non-zero when the control starts a group.
  bool ControlStatement(const std::vector<Token>& tokens, Control& control) {
    static const Keyword kKeywords[] = {
        {"LTEXT", true, "Static", "WS_GROUP"},          {"RTEXT", true, "Static", "WS_GROUP"},
        {"CTEXT", true, "Static", "WS_GROUP"},          {"PUSHBUTTON", true, "PushButton", ""},
        {"DEFPUSHBUTTON", true, "PushButton", ""},      {"PUSHBOX", true, "PushButton", ""},
        {"GROUPBOX", true, "GroupBox", ""},             {"CHECKBOX", true, "CheckBox", ""},
        {"AUTOCHECKBOX", true, "CheckBox", "BS_AUTOCHECKBOX"}, {"STATE3", true, "CheckBox", ""},
        {"AUTO3STATE", true, "CheckBox", "BS_AUTO3STATE"},     {"RADIOBUTTON", true, "RadioButton", ""},
        {"AUTORADIOBUTTON", true, "RadioButton", "BS_AUTORADIOBUTTON"},
        {"EDITTEXT", false, "Edit", ""},                {"LISTBOX", false, "ListBox", ""},
        {"COMBOBOX", false, "ComboBox", ""},            {"SCROLLBAR", false, "Other", ""},
        {"ICON", true, "Static", ""},                   {"CONTROL", true, "", ""},
    };
    if (tokens.empty() || tokens[0].kind != Token::Word) return false;
    const Keyword* keyword = nullptr;
    for (const Keyword& k : kKeywords)
      if (tokens[0].text == k.name) keyword = &k;
    if (!keyword) {
      Warn("control statement not understood: " + tokens[0].text);
      return false;
    }
    const std::vector<Field> fields = Fields(tokens, 1);
    std::size_t idField = keyword->hasText ? 1 : 0;
    if (fields.size() <= idField) return Warn("control without id: " + tokens[0].text);
    if (keyword->hasText && fields[0].size() == 1 && fields[0][0].kind == Token::String) control.caption = fields[0][0].text;
    if (!Number(fields[idField], control.id)) return Warn("control id not found: " + (fields[idField].empty() ? "" : fields[idField][0].text));
    control.symbol = Symbol(fields[idField]);
    control.kind = keyword->kind;

    std::set<std::string> styles;
    if (*keyword->defaultStyle) styles.insert(keyword->defaultStyle);
    std::string className;
    std::size_t styleField = idField + 5;  // text, id, x, y, w, h, style
    if (std::string(keyword->name) == "CONTROL") {
      if (fields.size() > 2 && !fields[2].empty()) className = fields[2][0].text;
      styleField = 3;
    }
    if (fields.size() > styleField) {
      bool negate = false;
      for (const Token& t : fields[styleField]) {
        if (t.kind != Token::Word) continue;
        if (t.text == "NOT") { negate = true; continue; }
        if (negate) styles.erase(t.text);
        else styles.insert(t.text);
        negate = false;
      }
    }
    if (!className.empty()) control.kind = KindOfClass(className, styles);
    control.group = styles.count("WS_GROUP") ? 1 : 0;
    control.autoState = styles.count("BS_AUTOCHECKBOX") || styles.count("BS_AUTORADIOBUTTON") || styles.count("BS_AUTO3STATE");
    control.sorted = styles.count("LBS_SORT") || styles.count("LBS_STANDARD") || styles.count("CBS_SORT");
    control.digitsOnly = styles.count("ES_NUMBER") > 0;
    control.multiLine = styles.count("ES_MULTILINE") > 0;
    control.readOnly = styles.count("ES_READONLY") > 0;
    return true;
  }

  static std::string KindOfClass(std::string name, const std::set<std::string>& styles) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "button") {
      if (styles.count("BS_GROUPBOX")) return "GroupBox";
      if (styles.count("BS_AUTORADIOBUTTON") || styles.count("BS_RADIOBUTTON")) return "RadioButton";
      if (styles.count("BS_AUTOCHECKBOX") || styles.count("BS_CHECKBOX") || styles.count("BS_AUTO3STATE") ||
          styles.count("BS_3STATE"))
        return "CheckBox";
      return "PushButton";
    }
    if (name == "edit") return "Edit";
    if (name == "listbox") return "ListBox";
    if (name == "combobox") return "ComboBox";
    if (name == "static") return "Static";
    return "Other";
  }

  const std::vector<std::string>& dirs_;
  Resources& out_;
  std::map<std::string, std::string> defines_;
  std::set<std::string> included_;
  std::string file_;
  std::vector<std::string> statements_;
  std::size_t at_ = 0;
};

}  // namespace

bool ReadScript(const std::string& path, const std::vector<std::string>& includeDirs, Resources& out) {
  return Reader(includeDirs, out).Script(path);
}

}  // namespace rc
