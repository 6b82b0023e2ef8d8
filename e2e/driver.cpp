// Drives PosPrinterTester.exe like a user and checks what reaches the ports.
//
// usage: driver.exe <program.exe> <steps table> <capture dir> <artifact dir>
//
// The capture dir holds serial.bin and parallel.bin (every byte that reached
// each port, appended as it arrives; not com1.bin/lpt1.bin, which Windows
// would open as the ports themselves) and line.log (serial line settings applied
// to COM1). Screenshots are asked for by writing <capture dir>\shot.req
// ("name x y w h"); the harness takes the picture and deletes the file.
//
// Prints one PASS/FAIL line per check and a closing "N passed, N failed".
// Exit code 0 only when every check passed.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// ---------------------------------------------------------------- output

FILE* g_log = nullptr;
int g_passed = 0;
int g_failed = 0;

void out(const char* fmt, ...)
{
    char buf[8192];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    fputs(buf, stdout);
    fflush(stdout);
    if (g_log) {
        fputs(buf, g_log);
        fflush(g_log);
    }
}

bool g_trace = false;

// Progress details, shown when E2E_TRACE is set.
void trace(const char* fmt, ...)
{
    if (!g_trace) return;
    char buf[4096];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    out("  . %s\n", buf);
}

void pass(const std::string& name)
{
    ++g_passed;
    out("PASS %s\n", name.c_str());
}

void fail(const std::string& name, const std::string& why)
{
    ++g_failed;
    out("FAIL %s: %s\n", name.c_str(), why.c_str());
}

bool check(bool ok, const std::string& name, const std::string& why)
{
    if (ok)
        pass(name);
    else
        fail(name, why);
    return ok;
}

// A step that cannot go on: the rest of the scenario depends on it.
struct Abort {
    std::string why;
};

// ---------------------------------------------------------------- text

std::wstring widen(const std::string& s)
{
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), w.data(), n);
    return w;
}

std::string narrow(const std::wstring& w)
{
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), s.data(), n, nullptr, nullptr);
    return s;
}

std::string hex(const std::string& bytes, size_t from = 0, size_t count = std::string::npos)
{
    static const char digits[] = "0123456789abcdef";
    std::string h;
    size_t end = count == std::string::npos ? bytes.size() : std::min(bytes.size(), from + count);
    for (size_t i = from; i < end; ++i) {
        unsigned char c = (unsigned char)bytes[i];
        h += digits[c >> 4];
        h += digits[c & 15];
        if (i + 1 < end) h += ' ';
    }
    return h;
}

std::string trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

std::string strf(const char* fmt, ...)
{
    char buf[4096];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return buf;
}

// ---------------------------------------------------------------- files (wide paths)

bool readWholeFile(const std::wstring& path, std::string& data)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char buf[65536];
    DWORD got = 0;
    data.clear();
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
    CloseHandle(h);
    return true;
}

bool writeWholeFile(const std::wstring& path, const std::string& data)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    BOOL ok = WriteFile(h, data.data(), (DWORD)data.size(), &put, nullptr);
    CloseHandle(h);
    return ok && put == data.size();
}

// ---------------------------------------------------------------- time

void sleepMs(int ms) { std::this_thread::sleep_for(milliseconds(ms)); }

template <class F>
bool waitFor(int timeoutMs, F&& cond, int stepMs = 50)
{
    auto end = Clock::now() + milliseconds(timeoutMs);
    for (;;) {
        if (cond()) return true;
        if (Clock::now() >= end) return false;
        sleepMs(stepMs);
    }
}

// ---------------------------------------------------------------- expected-bytes patterns
//
// A pattern is a list of bytes, -1 standing for "any byte". Written as
// whitespace-separated tokens:
//   1b40 0a        hex bytes (even number of digits)
//   "OEM,ODM."     ASCII text, with \r \n \t \\ \" \xHH escapes
//   $name          a pattern defined earlier with "def name = ..."
//   ?              any one byte
//   ( ... )        a group
// Any token or group may be followed by *N (repeat N times), e.g. 2d*32,
// ?*64, $gap*9, ( ... )*24.

using Pattern = std::vector<int>;

std::string unescape(const std::string& s, size_t& i, char quote)
{
    std::string r;
    for (; i < s.size() && s[i] != quote; ++i) {
        char c = s[i];
        if (c != '\\' || i + 1 >= s.size()) {
            r += c;
            continue;
        }
        char e = s[++i];
        switch (e) {
        case 'r': r += '\r'; break;
        case 'n': r += '\n'; break;
        case 't': r += '\t'; break;
        case 'x': {
            std::string h = s.substr(i + 1, 2);
            r += (char)strtoul(h.c_str(), nullptr, 16);
            i += 2;
            break;
        }
        default: r += e; break;
        }
    }
    if (i >= s.size()) throw std::runtime_error("unterminated quote");
    ++i; // closing quote
    return r;
}

struct Token {
    enum Kind { Hex, Text, Name, Any, Open, Close } kind;
    std::string text;
    int repeat = 1;
};

std::vector<Token> tokenize(const std::string& s)
{
    std::vector<Token> toks;
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (isspace((unsigned char)c)) {
            ++i;
            continue;
        }
        Token t{Token::Hex, {}};
        if (c == '"') {
            ++i;
            t.kind = Token::Text;
            t.text = unescape(s, i, '"');
        } else if (c == '(') {
            t.kind = Token::Open;
            ++i;
        } else if (c == ')') {
            t.kind = Token::Close;
            ++i;
        } else if (c == '?') {
            t.kind = Token::Any;
            ++i;
        } else if (c == '$') {
            t.kind = Token::Name;
            size_t j = ++i;
            while (j < s.size() && (isalnum((unsigned char)s[j]) || s[j] == '_')) ++j;
            t.text = s.substr(i, j - i);
            i = j;
        } else if (isxdigit((unsigned char)c)) {
            size_t j = i;
            while (j < s.size() && isxdigit((unsigned char)s[j])) ++j;
            t.text = s.substr(i, j - i);
            if (t.text.size() % 2) throw std::runtime_error("odd hex digit count in '" + t.text + "'");
            i = j;
        } else {
            throw std::runtime_error(std::string("unexpected character '") + c + "'");
        }
        if (i < s.size() && s[i] == '*') {
            size_t j = ++i;
            while (j < s.size() && isdigit((unsigned char)s[j])) ++j;
            if (j == i) throw std::runtime_error("missing count after *");
            t.repeat = atoi(s.substr(i, j - i).c_str());
            i = j;
        }
        toks.push_back(t);
    }
    return toks;
}

class PatternParser {
public:
    explicit PatternParser(const std::map<std::string, Pattern>& defs) : defs_(defs) {}

    Pattern parse(const std::string& text)
    {
        toks_ = tokenize(text);
        pos_ = 0;
        Pattern p = sequence();
        if (pos_ != toks_.size()) throw std::runtime_error("unbalanced )");
        return p;
    }

private:
    Pattern sequence()
    {
        Pattern p;
        while (pos_ < toks_.size() && toks_[pos_].kind != Token::Close) {
            const Token& t = toks_[pos_++];
            Pattern one;
            switch (t.kind) {
            case Token::Hex:
                for (size_t k = 0; k < t.text.size(); k += 2)
                    one.push_back((int)strtoul(t.text.substr(k, 2).c_str(), nullptr, 16));
                break;
            case Token::Text:
                for (char c : t.text) one.push_back((unsigned char)c);
                break;
            case Token::Any:
                one.push_back(-1);
                break;
            case Token::Name: {
                auto it = defs_.find(t.text);
                if (it == defs_.end()) throw std::runtime_error("unknown name $" + t.text);
                one = it->second;
                break;
            }
            case Token::Open: {
                one = sequence();
                if (pos_ >= toks_.size()) throw std::runtime_error("missing )");
                int rep = toks_[pos_++].repeat; // the repeat count sits on ')'
                Pattern r;
                for (int k = 0; k < rep; ++k) r.insert(r.end(), one.begin(), one.end());
                one = r;
                break;
            }
            case Token::Close:
                break;
            }
            int rep = t.kind == Token::Open ? 1 : t.repeat;
            for (int k = 0; k < rep; ++k) p.insert(p.end(), one.begin(), one.end());
        }
        return p;
    }

    const std::map<std::string, Pattern>& defs_;
    std::vector<Token> toks_;
    size_t pos_ = 0;
};

// Empty string when the bytes fit the pattern, else what is wrong.
std::string compare(const Pattern& want, const std::string& got)
{
    size_t n = std::min(want.size(), got.size());
    for (size_t i = 0; i < n; ++i) {
        if (want[i] >= 0 && want[i] != (unsigned char)got[i]) {
            size_t from = i >= 8 ? i - 8 : 0;
            std::string w;
            for (size_t k = from; k < std::min(want.size(), i + 9); ++k)
                w += want[k] < 0 ? std::string("??") : strf("%02x", want[k]), w += ' ';
            return strf("%zu bytes (expected %zu); first difference at offset %zu: got [%s] expected [%s]",
                        got.size(), want.size(), i, hex(got, from, i + 9 - from).c_str(),
                        trim(w).c_str());
        }
    }
    if (got.empty() && !want.empty()) return strf("nothing arrived (expected %zu bytes)", want.size());
    if (want.size() != got.size()) {
        size_t from = n >= 16 ? n - 16 : 0;
        return strf("%zu bytes, expected %zu (the first %zu agree); bytes around the end: [%s]",
                    got.size(), want.size(), n, hex(got, from, 32).c_str());
    }
    return {};
}

// ---------------------------------------------------------------- steps table

struct Step {
    int line = 0;
    std::string kind;  // "press" or "select"
    std::string label;
    int id = 0;
    std::vector<std::pair<int, std::string>> fields; // press: field id -> text
    std::string caption, prompt;                      // select
    std::string port;                                 // COM1, LPT1 or "-"
    Pattern expected;                                 // press
    std::string line_settings;                        // select: e.g. "9600 8N1 DTR" or "-"
};

std::vector<std::string> splitBars(const std::string& s)
{
    std::vector<std::string> parts;
    std::string cur;
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\\' && quoted && i + 1 < s.size()) {
            cur += c;
            cur += s[++i];
            continue;
        }
        if (c == '"') quoted = !quoted;
        if (c == '|' && !quoted) {
            parts.push_back(trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(trim(cur));
    return parts;
}

std::vector<std::pair<int, std::string>> parseFields(const std::string& s)
{
    std::vector<std::pair<int, std::string>> fields;
    size_t i = 0;
    while (i < s.size()) {
        if (isspace((unsigned char)s[i])) {
            ++i;
            continue;
        }
        if (s[i] == '-' && fields.empty()) break; // "-": no fields
        size_t eq = s.find('=', i);
        if (eq == std::string::npos || eq + 1 >= s.size() || s[eq + 1] != '"')
            throw std::runtime_error("field must be written id=\"text\"");
        int id = atoi(s.substr(i, eq - i).c_str());
        i = eq + 2;
        fields.emplace_back(id, unescape(s, i, '"'));
    }
    return fields;
}

std::vector<Step> loadSteps(const std::wstring& path)
{
    std::string content;
    if (!readWholeFile(path, content)) throw Abort{"cannot read the steps table " + narrow(path)};
    std::istringstream in(content);
    std::map<std::string, Pattern> defs;
    std::vector<Step> steps;
    std::string raw;
    int lineNo = 0;
    std::string pending;
    int pendingLine = 0;
    auto handle = [&](const std::string& text, int at) {
        try {
            std::string l = trim(text);
            if (l.rfind("def ", 0) == 0) {
                size_t eq = l.find('=');
                if (eq == std::string::npos) throw std::runtime_error("def without =");
                std::string name = trim(l.substr(4, eq - 4));
                defs[name] = PatternParser(defs).parse(l.substr(eq + 1));
                return;
            }
            size_t sp = l.find(' ');
            Step st;
            st.line = at;
            st.kind = l.substr(0, sp);
            auto cols = splitBars(l.substr(sp + 1));
            if (st.kind == "press") {
                if (cols.size() != 5) throw std::runtime_error("press needs 5 columns");
                st.label = cols[0];
                st.id = atoi(cols[1].c_str());
                st.fields = parseFields(cols[2]);
                st.port = cols[3];
                st.expected = PatternParser(defs).parse(cols[4]);
            } else if (st.kind == "select") {
                if (cols.size() != 6) throw std::runtime_error("select needs 6 columns");
                st.label = cols[0];
                st.id = atoi(cols[1].c_str());
                st.caption = cols[2];
                st.prompt = cols[3];
                st.port = cols[4];
                st.line_settings = cols[5];
            } else {
                throw std::runtime_error("unknown row kind '" + st.kind + "'");
            }
            steps.push_back(st);
        } catch (const std::exception& e) {
            throw Abort{strf("steps table line %d: %s", at, e.what())};
        }
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string t = trim(raw);
        bool continuation = !raw.empty() && isspace((unsigned char)raw[0]) && !t.empty() && t[0] != '#';
        if (continuation && !pending.empty()) {
            pending += ' ' + t;
            continue;
        }
        if (!pending.empty()) handle(pending, pendingLine);
        pending.clear();
        if (t.empty() || t[0] == '#') continue;
        pending = t;
        pendingLine = lineNo;
    }
    if (!pending.empty()) handle(pending, pendingLine);
    return steps;
}

// ---------------------------------------------------------------- capture files

class Capture {
public:
    explicit Capture(std::wstring path) : path_(std::move(path)) {}

    long long size() const
    {
        WIN32_FILE_ATTRIBUTE_DATA a;
        if (!GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &a)) return 0;
        return ((long long)a.nFileSizeHigh << 32) | a.nFileSizeLow;
    }

    std::string readFrom(long long offset) const
    {
        HANDLE h = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return {};
        LARGE_INTEGER li;
        li.QuadPart = offset;
        SetFilePointerEx(h, li, nullptr, FILE_BEGIN);
        std::string data;
        char buf[65536];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
        CloseHandle(h);
        return data;
    }

private:
    std::wstring path_;
};

// ---------------------------------------------------------------- windows of the program

DWORD g_pid = 0;
HANDLE g_process = nullptr;

std::wstring className(HWND w)
{
    wchar_t buf[256] = {};
    GetClassNameW(w, buf, 256);
    return buf;
}

std::wstring windowText(HWND w)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &len)) return {};
    std::wstring s(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, len + 1, (LPARAM)s.data(), SMTO_NORMAL, 2000, &got)) return {};
    s.resize(got);
    return s;
}

struct FindArgs {
    std::wstring cls, title;
    bool anyTitle;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND w, LPARAM lp)
{
    auto* a = (FindArgs*)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != g_pid) return TRUE;
    if (className(w) != a->cls) return TRUE;
    if (!a->anyTitle) {
        wchar_t buf[512] = {};
        GetWindowTextW(w, buf, 512);
        if (a->title != buf) return TRUE;
    }
    a->found.push_back(w);
    return TRUE;
}

std::vector<HWND> programWindows(const std::wstring& cls, const std::wstring* title)
{
    FindArgs a{cls, title ? *title : std::wstring(), title == nullptr, {}};
    EnumWindows(collect, (LPARAM)&a);
    return a.found;
}

HWND findWindow(const std::wstring& cls, const std::wstring& title)
{
    auto v = programWindows(cls, &title);
    return v.empty() ? nullptr : v.front();
}

HWND waitWindow(const std::wstring& cls, const std::wstring& title, int timeoutMs)
{
    HWND w = nullptr;
    waitFor(timeoutMs, [&] { return (w = findWindow(cls, title)) != nullptr; });
    return w;
}

std::vector<HWND> children(HWND parent, const std::wstring& cls)
{
    struct A {
        std::wstring cls;
        std::vector<HWND> v;
    } a{cls, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM lp) -> BOOL {
            auto* a = (A*)lp;
            if (className(w) == a->cls) a->v.push_back(w);
            return TRUE;
        },
        (LPARAM)&a);
    return a.v;
}

// The text of a message box: its one static child with text.
std::wstring boxText(HWND box)
{
    for (HWND s : children(box, L"Static")) {
        std::wstring t = windowText(s);
        if (!t.empty()) return t;
    }
    return {};
}

bool programRunning() { return g_process && WaitForSingleObject(g_process, 0) == WAIT_TIMEOUT; }

// ---------------------------------------------------------------- screenshots

std::wstring g_captureDir;

void screenshot(const std::string& name, HWND w)
{
    sleepMs(700); // let it paint
    RECT r{0, 0, 0, 0};
    if (w) GetWindowRect(w, &r);
    std::wstring req = g_captureDir + L"\\shot.req";
    std::wstring tmp = g_captureDir + L"\\shot.tmp";
    writeWholeFile(tmp, strf("%s %ld %ld %ld %ld\n", name.c_str(), r.left, r.top, r.right - r.left,
                             r.bottom - r.top));
    MoveFileExW(tmp.c_str(), req.c_str(), MOVEFILE_REPLACE_EXISTING);
    bool done = waitFor(20000, [&] { return GetFileAttributesW(req.c_str()) == INVALID_FILE_ATTRIBUTES; }, 100);
    check(done, "screenshot " + name, "the harness took no picture within 20 s");
}

// ---------------------------------------------------------------- clicking and waiting
//
// A click is posted, never sent: a button may open a modal message box. To
// know that its handler has finished, a second message is posted behind it
// to an edit of the same dialog (EM_SETLIMITTEXT with a fresh value) and
// the edit's limit is read back until it shows that value. Posted messages
// are handled in order, so by then the click has been handled too, unless
// the handler is waiting in a message box, whose own loop handles the
// marker; so a message box is looked for as well.

unsigned g_markerSeq = 0;

HWND markerEdit(HWND dlg)
{
    auto edits = children(dlg, L"Edit");
    return edits.empty() ? nullptr : edits.front();
}

unsigned postMarker(HWND edit)
{
    unsigned value = 100000 + (++g_markerSeq);
    PostMessageW(edit, EM_SETLIMITTEXT, value, 0);
    return value;
}

bool markerSeen(HWND edit, unsigned value)
{
    DWORD_PTR limit = 0;
    if (!SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 200, &limit)) return false;
    return limit == value;
}

// Message boxes and dialogs of the program other than the known ones.
HWND newDialog(const std::vector<HWND>& known)
{
    for (HWND w : programWindows(L"#32770", nullptr))
        if (std::find(known.begin(), known.end(), w) == known.end()) return w;
    return nullptr;
}

struct ClickResult {
    bool done = false; // the handler returned
    HWND box = nullptr; // a message box appeared
};

ClickResult clickAndWait(HWND dlg, HWND button, const std::vector<HWND>& known, int timeoutMs = 30000)
{
    ClickResult r;
    HWND edit = markerEdit(dlg);
    PostMessageW(button, BM_CLICK, 0, 0);
    unsigned value = edit ? postMarker(edit) : 0;
    waitFor(timeoutMs, [&] {
        if ((r.box = newDialog(known)) != nullptr) return true;
        if (!IsWindow(dlg)) return r.done = true;
        if (edit && markerSeen(edit, value)) {
            r.box = newDialog(known);
            r.done = r.box == nullptr;
            return true;
        }
        if (!edit) {
            sleepMs(500);
            return r.done = true;
        }
        return false;
    });
    return r;
}

// Waits until the panel has handled everything posted to it so far.
bool waitIdle(HWND dlg, int timeoutMs = 30000)
{
    HWND edit = markerEdit(dlg);
    if (!edit) {
        sleepMs(500);
        return true;
    }
    unsigned value = postMarker(edit);
    return waitFor(timeoutMs, [&] { return !IsWindow(dlg) || markerSeen(edit, value); });
}

// Answers a message box with the given button; true when the box went away.
bool answer(HWND box, int buttonId)
{
    waitFor(3000, [&] { return IsWindowVisible(box) != FALSE; });
    HWND b = GetDlgItem(box, buttonId);
    if (b)
        PostMessageW(b, BM_CLICK, 0, 0);
    else
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return waitFor(5000, [&] { return !IsWindow(box); });
}

// Dismisses a box nobody expected, reporting what it said.
std::string dismissUnexpected(HWND box)
{
    wchar_t title[256] = {};
    GetWindowTextW(box, title, 256);
    std::string what = "unexpected message box \"" + narrow(title) + "\": \"" + narrow(boxText(box)) + "\"";
    if (!answer(box, IDOK)) answer(box, IDCANCEL);
    return what;
}

// ---------------------------------------------------------------- bytes on the ports

struct Ports {
    Capture com, lpt;
    Capture& get(const std::string& name) { return name == "LPT1" ? lpt : com; }
};

// Waits until the port has at least `want` new bytes and has been quiet
// for a moment, or has been quiet for longer.
std::string collectBytes(Capture& c, long long start, size_t want)
{
    long long last = c.size();
    auto changed = Clock::now();
    auto end = Clock::now() + milliseconds(30000);
    for (;;) {
        sleepMs(50);
        long long now = c.size();
        if (now != last) {
            last = now;
            changed = Clock::now();
        }
        auto quiet = Clock::now() - changed;
        if ((size_t)(last - start) >= want && quiet >= milliseconds(400)) break;
        if (quiet >= milliseconds(1500)) break;
        if (Clock::now() >= end) break;
    }
    return c.readFrom(start);
}

// ---------------------------------------------------------------- program start

bool startProgram(const std::wstring& exe)
{
    if (g_process) CloseHandle(g_process);
    g_process = nullptr;
    g_pid = 0;
    std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    g_process = pi.hProcess;
    g_pid = pi.dwProcessId;
    return true;
}

const wchar_t kMainClass[] = L"rizeviziz";
const wchar_t kMainTitle[] = L"RURiriro(内部使用) -V4.22";

HWND waitMainWindow()
{
    HWND w = nullptr;
    waitFor(20000, [&] {
        auto v = programWindows(kMainClass, nullptr);
        if (!v.empty()) w = v.front();
        return w != nullptr && IsWindowVisible(w);
    });
    return w;
}

// ---------------------------------------------------------------- the scenario

struct LineSettings {
    unsigned baud = 0;
    int bits = 0, parenb = -1, cstopb = -1, dtr = -1;
    int tcsetattrCalls = 0, modemCalls = 0;
};

LineSettings parseLineLog(const std::string& text)
{
    LineSettings s;
    std::istringstream in(text);
    std::string l;
    auto field = [&](const std::string& key) -> long {
        size_t p = l.find(" " + key + "=");
        return p == std::string::npos ? -1 : atol(l.c_str() + p + key.size() + 2);
    };
    while (std::getline(in, l)) {
        if (l.rfind("tcsetattr", 0) == 0) {
            ++s.tcsetattrCalls;
            s.baud = (unsigned)field("baud");
            s.bits = (int)field("bits");
            s.parenb = (int)field("parenb");
            s.cstopb = (int)field("cstopb");
        } else if (l.rfind("modem", 0) == 0) {
            ++s.modemCalls;
            s.dtr = (int)field("dtr");
        }
    }
    return s;
}

std::string describe(const LineSettings& s)
{
    if (!s.tcsetattrCalls) return "no line settings were applied to the serial port";
    std::string d = strf("%u baud, %d data bits, %s, %d stop bit(s)", s.baud, s.bits,
                         s.parenb ? "parity" : "no parity", s.cstopb ? 2 : 1);
    d += s.modemCalls ? (s.dtr ? ", DTR on" : ", DTR off") : ", DTR not touched";
    return d;
}

class Scenario {
public:
    Scenario(std::wstring exe, std::vector<Step> steps, std::wstring captureDir)
        : exe_(std::move(exe)), steps_(std::move(steps)),
          ports_{Capture(captureDir + L"\\serial.bin"), Capture(captureDir + L"\\parallel.bin")},
          lineLog_(captureDir + L"\\line.log")
    {
    }

    void run()
    {
        mainWindow();
        aboutBox();
        epsonPanel();
        exitQuestion();
        escapeKey();
    }

private:
    HWND openPanel(int command, const std::wstring& title, const std::string& name)
    {
        PostMessageW(main_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        HWND dlg = waitWindow(L"#32770", title, 10000);
        if (!dlg) throw Abort{strf("menu command %d opened no dialog titled \"%s\"", command, narrow(title).c_str())};
        waitFor(3000, [&] { return IsWindowVisible(dlg) != FALSE; });
        pass("menu command " + std::to_string(command) + " opens " + name);
        return dlg;
    }

    void mainWindow()
    {
        if (!startProgram(exe_)) throw Abort{"cannot start " + narrow(exe_)};
        main_ = waitMainWindow();
        if (!main_) throw Abort{"no visible window of class rizeviziz within 20 s"};
        pass("main window of class rizeviziz appears");
        wchar_t title[256] = {};
        GetWindowTextW(main_, title, 256);
        check(std::wstring(title) == kMainTitle, "main window title",
              "title is \"" + narrow(title) + "\", expected \"" + narrow(kMainTitle) + "\"");
        screenshot("main-window", main_);
    }

    void aboutBox()
    {
        HWND about = openPanel(40017, L"关于dozi", "the About box");
        screenshot("about-box", about);
        HWND ok = GetDlgItem(about, 1);
        check(ok && windowText(ok) == L"确定", "About box has 确定 (id 1)",
              ok ? "button 1 reads \"" + narrow(windowText(ok)) + "\"" : "no control with id 1");
        HWND site = GetDlgItem(about, 1024);
        check(site && windowText(site) == L"访问网站", "About box has 访问网站 (id 1024)",
              site ? "button 1024 reads \"" + narrow(windowText(site)) + "\"" : "no control with id 1024");
        bool blurb = false;
        for (HWND s : children(about, L"Static"))
            if (windowText(s).find(L"本软件是针对ZEVUV系列打印机的测试程序") == 0) blurb = true;
        check(blurb, "About box text", "no static text starting with 本软件是针对ZEVUV系列打印机的测试程序");
        if (!ok) throw Abort{"cannot close the About box"};
        PostMessageW(ok, BM_CLICK, 0, 0);
        bool closed = waitFor(5000, [&] { return !IsWindow(about); });
        if (!check(closed, "确定 closes the About box", "the About box is still open after 5 s"))
            throw Abort{"the About box does not close"};
    }

    void epsonPanel()
    {
        HWND dlg = openPanel(40047, L"EPSON模式", "the EPSON模式 panel");
        screenshot("epson-panel", dlg);
        std::vector<HWND> known{dlg};
        for (const Step& st : steps_) {
            if (!IsWindow(dlg)) throw Abort{"the EPSON模式 panel closed unexpectedly"};
            if (st.kind == "select")
                selectStep(dlg, known, st);
            else
                pressStep(dlg, known, st);
        }
        screenshot("epson-panel-used", dlg);

        // Esc, which the dialog manager turns into IDCANCEL, leaves the panel open.
        PostMessageW(GetDlgItem(dlg, 1074), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageW(GetDlgItem(dlg, 1074), WM_KEYUP, VK_ESCAPE, 0xC0010001);
        waitIdle(dlg);
        check(IsWindow(dlg) != FALSE, "Esc leaves the EPSON模式 panel open", "the panel closed on Esc");
        // The panel has no owner: the main window and its menu stay usable.
        check(IsWindowEnabled(main_) != FALSE, "the main window stays enabled under the panel",
              "the main window is disabled while the panel is open");

        HWND close = GetDlgItem(dlg, 1);
        if (!close) throw Abort{"the panel has no 关闭 (id 1)"};
        long long com0 = ports_.com.size(), lpt0 = ports_.lpt.size();
        PostMessageW(close, BM_CLICK, 0, 0);
        bool closed = waitFor(5000, [&] { return !IsWindow(dlg); });
        if (!check(closed, "关闭 closes the EPSON模式 panel", "the panel is still open after 5 s"))
            throw Abort{"the panel does not close"};
        sleepMs(300);
        check(ports_.com.size() == com0 && ports_.lpt.size() == lpt0, "关闭 writes nothing",
              "bytes arrived while closing the panel");
    }

    void setFields(HWND dlg, const Step& st)
    {
        for (auto& [id, text] : st.fields) {
            HWND f = GetDlgItem(dlg, id);
            if (!f) throw std::runtime_error(strf("no field with id %d", id));
            std::wstring w = widen(text);
            DWORD_PTR r = 0;
            SendMessageTimeoutW(f, WM_SETTEXT, 0, (LPARAM)w.c_str(), SMTO_NORMAL, 5000, &r);
            if (windowText(f) != w) throw std::runtime_error(strf("field %d did not take the text", id));
        }
    }

    void pressStep(HWND dlg, const std::vector<HWND>& known, const Step& st)
    {
        std::string name = strf("[%d] %s", st.id, st.label.c_str());
        try {
            setFields(dlg, st);
        } catch (const std::exception& e) {
            fail(name, e.what());
            return;
        }
        HWND button = GetDlgItem(dlg, st.id);
        if (!button) {
            fail(name, strf("the panel has no control with id %d", st.id));
            return;
        }
        long long com0 = ports_.com.size(), lpt0 = ports_.lpt.size();
        trace("click %d", st.id);
        ClickResult r = clickAndWait(dlg, button, known);
        trace("handled: done=%d box=%p", r.done, (void*)r.box);
        std::string problem;
        if (r.box) {
            problem = dismissUnexpected(r.box);
            waitIdle(dlg);
        } else if (!r.done) {
            problem = "the button's handler did not finish within 30 s";
        }
        std::string got;
        std::string other;
        if (st.port == "-") {
            sleepMs(600);
            got = ports_.com.readFrom(com0) + ports_.lpt.readFrom(lpt0);
        } else {
            bool lpt = st.port == "LPT1";
            got = collectBytes(ports_.get(st.port), lpt ? lpt0 : com0, st.expected.size());
            other = lpt ? ports_.com.readFrom(com0) : ports_.lpt.readFrom(lpt0);
        }
        std::string diff = compare(st.expected, got);
        if (!diff.empty()) problem += (problem.empty() ? "" : "; ") + (st.port == "-" ? "expected no bytes, " : st.port + ": ") + diff;
        if (!other.empty())
            problem += (problem.empty() ? "" : "; ") +
                       strf("%zu bytes went to %s as well: [%s]", other.size(), st.port == "LPT1" ? "COM1" : "LPT1",
                            hex(other, 0, 24).c_str());
        if (problem.empty())
            pass(name + strf(" (%zu bytes on %s)", got.size(), st.port == "-" ? "no port" : st.port.c_str()));
        else
            fail(name, problem);
    }

    void selectStep(HWND dlg, std::vector<HWND>& known, const Step& st)
    {
        std::string name = strf("[%d] %s", st.id, st.label.c_str());
        HWND radio = GetDlgItem(dlg, st.id);
        if (!radio) throw Abort{strf("the panel has no control with id %d", st.id)};
        long long com0 = ports_.com.size(), lpt0 = ports_.lpt.size();
        long long log0 = lineLog_.size();
        ClickResult r = clickAndWait(dlg, radio, known);
        if (!r.box) {
            fail(name, "no message box appeared");
            return;
        }
        wchar_t title[256] = {};
        GetWindowTextW(r.box, title, 256);
        std::wstring text = boxText(r.box);
        if (!promptShot_) {
            promptShot_ = true;
            waitFor(3000, [&] { return IsWindowVisible(r.box) != FALSE; });
            screenshot("port-prompt", r.box);
        }
        check(narrow(title) == st.caption && narrow(text) == st.prompt, name + ": prompt",
              "box \"" + narrow(title) + "\" says \"" + narrow(text) + "\"; expected \"" + st.caption + "\" saying \"" +
                  st.prompt + "\"");
        if (!answer(r.box, IDOK)) throw Abort{"the prompt did not go away after OK"};
        // A failed open shows one more box.
        HWND edit = markerEdit(dlg);
        unsigned value = edit ? postMarker(edit) : 0;
        HWND extra = nullptr;
        waitFor(15000, [&] {
            if ((extra = newDialog(known)) != nullptr) return true;
            return !edit || markerSeen(edit, value);
        });
        if (extra) {
            fail(name + ": port opens", dismissUnexpected(extra));
            waitIdle(dlg);
        }
        DWORD_PTR state = 0;
        SendMessageTimeoutW(radio, BM_GETCHECK, 0, 0, SMTO_NORMAL, 2000, &state);
        check(state == BST_CHECKED, name + ": radio button marked", "the radio button is not checked");
        sleepMs(400);
        check(ports_.com.size() == com0 && ports_.lpt.size() == lpt0, name + ": no bytes written",
              "selecting the interface wrote bytes");
        if (st.line_settings != "-") {
            LineSettings s = parseLineLog(lineLog_.readFrom(log0));
            std::string want = st.line_settings; // "<baud> 8N1 [DTR]"
            unsigned baud = (unsigned)atol(want.c_str());
            bool dtr = want.find("DTR") != std::string::npos;
            bool ok = s.tcsetattrCalls > 0 && s.baud == baud && s.bits == 8 && s.parenb == 0 && s.cstopb == 0;
            check(ok, name + ": serial line " + strf("%u baud, 8 data bits, no parity, 1 stop bit", baud),
                  "observed: " + describe(s));
            if (dtr)
                check(s.modemCalls > 0 && s.dtr == 1, name + ": DTR raised", "observed: " + describe(s));
        }
    }

    void exitQuestion()
    {
        const std::wstring caption = L"退出", text = L"您确定退出本程序?";
        for (int round = 0; round < 2; ++round) {
            bool yes = round == 1;
            PostMessageW(main_, WM_COMMAND, MAKEWPARAM(40002, 0), 0);
            HWND box = waitWindow(L"#32770", caption, 10000);
            if (!box) {
                fail("退出 asks first", "no message box \"退出\" within 10 s");
                throw Abort{"no exit question"};
            }
            check(boxText(box) == text, strf("退出 asks \"您确定退出本程序?\" (round %d)", round + 1),
                  "the box says \"" + narrow(boxText(box)) + "\"");
            check(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO), "the exit question has Yes and No",
                  "Yes/No buttons missing");
            if (!yes) {
                waitFor(3000, [&] { return IsWindowVisible(box) != FALSE; });
                screenshot("exit-question", box);
            }
            if (!answer(box, yes ? IDYES : IDNO)) throw Abort{"the exit question did not go away"};
            if (!yes) {
                sleepMs(1500);
                check(programRunning() && IsWindow(main_), "answering No keeps the program running",
                      "the program ended");
            } else {
                bool ended = WaitForSingleObject(g_process, 10000) == WAIT_OBJECT_0;
                DWORD code = 1;
                if (ended) GetExitCodeProcess(g_process, &code);
                check(ended && code == 0, "answering Yes ends the program with code 0",
                      ended ? strf("exit code %lu", code) : "still running after 10 s");
                if (!ended) TerminateProcess(g_process, 1);
            }
        }
    }

    void escapeKey()
    {
        if (!startProgram(exe_)) throw Abort{"cannot start the program again"};
        main_ = waitMainWindow();
        if (!main_) throw Abort{"no main window after the second start"};
        PostMessageW(main_, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        HWND box = nullptr;
        bool ended = waitFor(10000, [&] {
            if (!box) box = waitWindow(L"#32770", L"退出", 0);
            return WaitForSingleObject(g_process, 0) == WAIT_OBJECT_0;
        });
        check(!box, "Esc does not ask", "the exit question appeared");
        DWORD code = 1;
        if (ended) GetExitCodeProcess(g_process, &code);
        check(ended && code == 0, "Esc in the main window ends the program",
              ended ? strf("exit code %lu", code) : "still running after 10 s");
        if (!ended) TerminateProcess(g_process, 1);
    }

    std::wstring exe_;
    std::vector<Step> steps_;
    Ports ports_;
    Capture lineLog_;
    HWND main_ = nullptr;
    bool promptShot_ = false;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--lengths") {
        // Prints each step's expected length: a check of the table itself.
        try {
            for (const Step& st : loadSteps(argv[2]))
                if (st.kind == "press")
                    printf("line %d: [%d] %s: %zu bytes on %s\n", st.line, st.id, st.label.c_str(),
                           st.expected.size(), st.port.c_str());
        } catch (const Abort& a) {
            printf("%s\n", a.why.c_str());
            return 1;
        }
        return 0;
    }
    if (argc != 5) {
        fprintf(stderr, "usage: driver.exe <program.exe> <steps table> <capture dir> <artifact dir>\n");
        return 2;
    }
    g_trace = _wgetenv(L"E2E_TRACE") != nullptr;
    std::wstring exe = argv[1], table = argv[2];
    g_captureDir = argv[3];
    std::wstring artifacts = argv[4];
    g_log = _wfopen((artifacts + L"\\driver.log").c_str(), L"wb");

    int rc = 0;
    try {
        std::vector<Step> steps = loadSteps(table);
        Scenario(exe, steps, g_captureDir).run();
    } catch (const Abort& a) {
        fail("scenario", a.why + " (the remaining checks were skipped)");
    }
    if (g_process && WaitForSingleObject(g_process, 0) == WAIT_TIMEOUT) TerminateProcess(g_process, 1);
    out("%d passed, %d failed\n", g_passed, g_failed);
    rc = g_failed || !g_passed ? 1 : 0;
    writeWholeFile(g_captureDir + L"\\driver.rc", strf("%d\n", rc));
    if (g_log) fclose(g_log);
    return rc;
}
