// Drives PosPrinterTester.exe like a user and checks what reaches the ports.
//
// usage: driver.exe <program.exe> <capture dir> <artifact dir> <group> <steps file>...
//        driver.exe --lengths <steps file>     (prints each press row's expected length)
//
// Starts the program once, runs the steps of the given files in order (all
// of one group) and ends the program. The step kinds are listed in kKinds
// near the end; e2e/README.md describes them.
//
// The capture dir holds serial.bin and parallel.bin (every byte that reached
// each port, appended as it arrives; not com1.bin/lpt1.bin, which Windows
// would open as the ports themselves) and line.log (serial line settings applied
// to COM1). Creating <capture dir>\sync.req asks the capture process to take
// in every byte written so far; it deletes the file when done. Screenshots
// are asked for by writing <capture dir>\shot.req ("name x y w h"); the
// harness takes the picture and deletes the file.
//
// Appends one PASS/FAIL line per check and a closing "N passed, N failed" to
// <artifact dir>\driver.log. Exit code 0 only when every check passed.

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
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

std::string g_where; // the steps file and line being run, for failure lines

void fail(const std::string& name, const std::string& why)
{
    ++g_failed;
    out("FAIL %s: %s%s\n", name.c_str(), why.c_str(), g_where.empty() ? "" : (" [" + g_where + "]").c_str());
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
//   <238.bin>      the bytes of a file in the data dir (E2E_DATA)
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
    enum Kind { Hex, Text, Name, Any, File, Open, Close } kind;
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
        } else if (c == '<') {
            size_t j = s.find('>', i);
            if (j == std::string::npos) throw std::runtime_error("unterminated <");
            t.kind = Token::File;
            t.text = s.substr(i + 1, j - i - 1);
            i = j + 1;
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

// A file of the data dir that the run provides (E2E_DATA, a Windows path).
std::string dataFile(const std::string& name)
{
    const wchar_t* dir = _wgetenv(L"E2E_DATA");
    if (!dir) throw std::runtime_error("<" + name + ">: no data dir (E2E_DATA is not set)");
    std::string bytes;
    if (!readWholeFile(std::wstring(dir) + L"\\" + widen(name), bytes))
        throw std::runtime_error("<" + name + ">: cannot read " + narrow(dir) + "\\" + name);
    return bytes;
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
            case Token::File:
                for (char c : dataFile(t.text)) one.push_back((unsigned char)c);
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

std::wstring g_captureDir;

// Returns once the capture process has taken in every byte written to the
// ports so far. The program's writes are synchronous, so after a handler has
// returned its bytes are all in the capture files.
void syncPorts()
{
    std::wstring req = g_captureDir + L"\\sync.req";
    if (!writeWholeFile(req, "sync\n")) throw Abort{"cannot ask the capture process to sync"};
    if (!waitFor(5000, [&] { return GetFileAttributesW(req.c_str()) == INVALID_FILE_ATTRIBUTES; }, 5))
        throw Abort{"the capture process did not sync within 5 s"};
}

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

LRESULT sendTo(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_NORMAL, 5000, &r);
    return (LRESULT)r;
}

// Top-level windows of the program with the class (and title, if given).
std::vector<HWND> programWindows(const std::wstring& cls, const std::wstring* title = nullptr)
{
    struct Args {
        std::wstring cls;
        const std::wstring* title;
        std::vector<HWND> found;
    } a{cls, title, {}};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* a = (Args*)lp;
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != g_pid || className(w) != a->cls) return TRUE;
            wchar_t buf[512] = {};
            GetWindowTextW(w, buf, 512);
            if (!a->title || *a->title == buf) a->found.push_back(w);
            return TRUE;
        },
        (LPARAM)&a);
    return a.found;
}

using Dialogs = std::vector<HWND>;

Dialogs programDialogs() { return programWindows(L"#32770"); }

// A dialog or message box of the program that was not there before.
HWND newDialog(const Dialogs& before)
{
    for (HWND w : programDialogs())
        if (std::find(before.begin(), before.end(), w) == before.end()) return w;
    return nullptr;
}

std::vector<HWND> children(HWND parent, const std::wstring& cls = {})
{
    struct A {
        std::wstring cls;
        std::vector<HWND> v;
    } a{cls, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM lp) -> BOOL {
            auto* a = (A*)lp;
            if (a->cls.empty() || className(w) == a->cls) a->v.push_back(w);
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

std::string titleOf(HWND w)
{
    wchar_t buf[512] = {};
    GetWindowTextW(w, buf, 512);
    return narrow(buf);
}

bool programRunning() { return g_process && WaitForSingleObject(g_process, 0) == WAIT_TIMEOUT; }

// ---------------------------------------------------------------- knowing a handler has finished
//
// Clicks and keys are posted, never sent: a handler may show a modal box. To
// know that a dialog has handled them, a marker is posted behind them to a
// push button of the same dialog (BM_SETSTATE pushed) and read back with
// BM_GETSTATE. Messages posted to windows of one thread are handled in
// order, so once the marker shows, everything before it has been handled,
// unless a handler is waiting in a message box or nested dialog, whose own
// loop handles the marker; so new dialogs are looked for as well. The
// button is released again at once.

HWND markerButton(HWND dlg, HWND avoid)
{
    HWND fallback = nullptr;
    for (HWND b : children(dlg, L"Button")) {
        if (b == avoid || GetParent(b) != dlg) continue;
        LONG type = GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return b;
        if (!fallback && type != BS_GROUPBOX) fallback = b;
    }
    return fallback ? fallback : avoid;
}

bool pushed(HWND b) { return (sendTo(b, BM_GETSTATE) & BST_PUSHED) != 0; }

void release(HWND b)
{
    if (IsWindow(b) && pushed(b)) sendTo(b, BM_SETSTATE, FALSE);
}

struct Settled {
    bool done = false;   // everything posted was handled
    bool closed = false; // the dialog went away
    HWND box = nullptr;  // a new dialog or message box appeared
};

// Posts what `post` posts to `dlg` (or its controls), then waits until it
// has been handled, the dialog has closed or a new dialog has appeared.
template <class Post>
Settled settle(HWND dlg, const Dialogs& before, Post&& post, HWND clicked = nullptr, int timeoutMs = 30000)
{
    Settled r;
    HWND marker = markerButton(dlg, clicked);
    if (!marker) throw Abort{"the dialog \"" + titleOf(dlg) + "\" has no button to post a marker to"};
    release(marker);
    post();
    PostMessageW(marker, BM_SETSTATE, TRUE, 0);
    waitFor(timeoutMs, [&] {
        if ((r.box = newDialog(before)) != nullptr) return true;
        if (!IsWindow(dlg)) return r.closed = true;
        if (pushed(marker)) {
            r.box = newDialog(before);
            return r.done = r.box == nullptr;
        }
        return false;
    }, 10);
    if (!r.box) release(marker);
    return r;
}

// Waits until the window has handled everything posted to it so far.
void idle(HWND w)
{
    if (className(w) == L"#32770" && markerButton(w, nullptr))
        settle(w, programDialogs(), [] {});
    else
        sendTo(w, WM_NULL);
}

// Answers a message box with the given button; true when the box went away.
bool answer(HWND box, int buttonId)
{
    waitFor(3000, [&] { return IsWindowVisible(box) != FALSE; }, 10);
    HWND b = GetDlgItem(box, buttonId);
    if (b)
        PostMessageW(b, BM_CLICK, 0, 0);
    else
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return waitFor(5000, [&] { return !IsWindow(box); }, 10);
}

// A new dialog is looked at once it shows: until then its texts may be unset.
HWND shown(HWND w)
{
    waitFor(3000, [&] { return IsWindowVisible(w) != FALSE; }, 10);
    return w;
}

std::string describeBox(HWND box)
{
    shown(box);
    return "\"" + titleOf(box) + "\" saying \"" + narrow(boxText(box)) + "\"";
}

// Dismisses a box nobody expected, reporting what it said.
std::string dismissUnexpected(HWND box)
{
    std::string what = "unexpected dialog " + describeBox(box);
    if (!answer(box, IDOK) && !answer(box, IDCANCEL)) throw Abort{what + " does not go away"};
    return what;
}

// ---------------------------------------------------------------- screenshots

void screenshot(const std::string& name, HWND w)
{
    waitFor(3000, [&] { return IsWindowVisible(w) != FALSE; }, 10);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    idle(w);
    // The painted window reaches the X server when the program next waits.
    sleepMs(150);
    RECT r{0, 0, 0, 0};
    GetWindowRect(w, &r);
    std::wstring req = g_captureDir + L"\\shot.req";
    std::wstring tmp = g_captureDir + L"\\shot.tmp";
    writeWholeFile(tmp, strf("%s %ld %ld %ld %ld\n", name.c_str(), r.left, r.top, r.right - r.left,
                             r.bottom - r.top));
    MoveFileExW(tmp.c_str(), req.c_str(), MOVEFILE_REPLACE_EXISTING);
    bool done = waitFor(20000, [&] { return GetFileAttributesW(req.c_str()) == INVALID_FILE_ATTRIBUTES; }, 20);
    check(done, "screenshot " + name, "the harness took no picture within 20 s");
}

// ---------------------------------------------------------------- program start

const wchar_t kMainClass[] = L"rizeviziz";

bool startProgram(const std::wstring& exe)
{
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

HWND waitMainWindow()
{
    HWND w = nullptr;
    waitFor(20000, [&] {
        auto v = programWindows(kMainClass);
        if (!v.empty()) w = v.front();
        return w != nullptr && IsWindowVisible(w);
    });
    return w;
}

// ---------------------------------------------------------------- serial line log

struct LineSettings {
    unsigned baud = 0;
    int bits = 0, parenb = -1, parodd = -1, cstopb = -1, dtr = -1;
    int tcsetattrCalls = 0, modemCalls = 0;
};

// The settings in force after the logged calls (the last call wins).
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
            s.parodd = (int)field("parodd");
            s.cstopb = (int)field("cstopb");
        } else if (l.rfind("modem", 0) == 0) {
            ++s.modemCalls;
            s.dtr = (int)field("dtr");
        }
    }
    return s;
}

char parityOf(const LineSettings& s) { return !s.parenb ? 'N' : s.parodd ? 'O' : 'E'; }

std::string describe(const LineSettings& s)
{
    if (!s.tcsetattrCalls) return "no line settings were applied to the serial port";
    return strf("%u %d%c%d", s.baud, s.bits, parityOf(s), s.cstopb ? 2 : 1) +
           (s.modemCalls ? (s.dtr ? " DTR" : " DTR off") : " DTR untouched");
}

// A wanted line, "<baud> <data bits><parity N|E|O><stop bits 1|2> [DTR]".
struct LineWant {
    unsigned baud = 0;
    int bits = 8;
    char parity = 'N';
    int stop = 1;
    bool dtr = false;
};

LineWant parseLine(const std::string& text)
{
    std::istringstream in(text);
    std::string baud, frame, dtr, extra;
    in >> baud >> frame >> dtr >> extra;
    LineWant w;
    char parity = frame.size() == 3 ? (char)toupper((unsigned char)frame[1]) : 0;
    if (baud.empty() || baud.find_first_not_of("0123456789") != std::string::npos || frame.size() != 3 ||
        frame[0] < '5' || frame[0] > '8' || (parity != 'N' && parity != 'E' && parity != 'O') ||
        (frame[2] != '1' && frame[2] != '2') || (!dtr.empty() && dtr != "DTR") || !extra.empty())
        throw std::runtime_error("line must read like \"9600 8N1 DTR\" or \"19200 7E2\", not \"" + text + "\"");
    w.baud = (unsigned)atol(baud.c_str());
    w.bits = frame[0] - '0';
    w.parity = parity;
    w.stop = frame[2] - '0';
    w.dtr = !dtr.empty();
    return w;
}

bool lineMatches(const LineSettings& seen, const LineWant& w)
{
    bool frame = seen.tcsetattrCalls > 0 && seen.baud == w.baud && seen.bits == w.bits &&
                 parityOf(seen) == w.parity && (seen.cstopb ? 2 : 1) == w.stop;
    bool dtr = w.dtr ? seen.modemCalls > 0 && seen.dtr == 1 : seen.dtr != 1;
    return frame && dtr;
}

// ---------------------------------------------------------------- steps

struct Field {
    enum Kind { Text, Item, Check } kind = Text;
    int id = 0;
    std::string text; // Text
    int value = 0;    // Item: index; Check: 1 on, 0 off
};

constexpr int kSelf = INT_MIN;    // id "-": the current window itself
constexpr int kAny = INT_MIN + 1; // id "any": some control of the current dialog

struct Step {
    std::string where; // file:line
    std::string kind;
    std::vector<std::string> cols; // after the kind; cols[0] is the label
    const std::string& label() const { return cols[0]; }
    // Filled by the kind's parse function where it applies:
    int id = 0;
    std::vector<Field> fields;
    Pattern pattern;
    std::string expected; // expect: the wanted observation
    std::string property; // expect: text, checked, items, item N, ...
    LineWant line;
    bool checkLine = false;
    std::string shot; // optional screenshot name (last column of select, box, exit)
    std::string owner; // box: the message box's owner: dialog, main or none
    double seconds = 0; // paced, quiet
};

int parseInt(const std::string& s, const char* what)
{
    char* end = nullptr;
    long v = strtol(s.c_str(), &end, 10);
    if (s.empty() || *end) throw std::runtime_error(std::string(what) + " must be a number, not \"" + s + "\"");
    return (int)v;
}

std::vector<Field> parseFields(const std::string& s)
{
    std::vector<Field> fields;
    if (s == "-") return fields;
    size_t i = 0;
    while (i < s.size()) {
        if (isspace((unsigned char)s[i])) {
            ++i;
            continue;
        }
        size_t eq = s.find('=', i);
        if (eq == std::string::npos || eq + 1 >= s.size())
            throw std::runtime_error("a field is written id=\"text\", id=#N or id=on|off");
        Field f;
        f.id = parseInt(s.substr(i, eq - i), "a field id");
        i = eq + 1;
        if (s[i] == '"') {
            ++i;
            f.text = unescape(s, i, '"');
        } else {
            size_t end = s.find_first_of(" \t", i);
            std::string v = s.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i += v.size();
            if (v == "on" || v == "off") {
                f.kind = Field::Check;
                f.value = v == "on";
            } else if (v.size() > 1 && v[0] == '#') {
                f.kind = Field::Item;
                f.value = parseInt(v.substr(1), "an item number");
            } else {
                throw std::runtime_error("field value \"" + v + "\" is neither \"text\", #N nor on|off");
            }
        }
        fields.push_back(f);
    }
    return fields;
}

void checkPort(const std::string& port)
{
    if (port != "COM1" && port != "LPT1" && port != "NET" && port != "-")
        throw std::runtime_error("port must be COM1, LPT1, NET or -, not \"" + port + "\"");
}

int answerId(const std::string& a)
{
    if (a == "OK") return IDOK;
    if (a == "Cancel") return IDCANCEL;
    if (a == "Yes") return IDYES;
    if (a == "No") return IDNO;
    throw std::runtime_error("answer must be OK, Cancel, Yes or No, not \"" + a + "\"");
}

// ---------------------------------------------------------------- the session

struct Ports {
    Capture com, lpt, net;
};

// Port sizes at one moment, to see what was written after it.
struct PortMark {
    long long com, lpt, net;
};

struct Frame {
    HWND dlg;
    std::string title;
    bool ownerless;
};

class Session {
public:
    Session(std::wstring exe, const std::wstring& captureDir)
        : lineLog(captureDir + L"\\line.log"), exe_(std::move(exe)),
          ports_{Capture(captureDir + L"\\serial.bin"), Capture(captureDir + L"\\parallel.bin"),
                 Capture(captureDir + L"\\network.bin")}
    {
    }

    void start()
    {
        if (!startProgram(exe_)) throw Abort{"cannot start " + narrow(exe_)};
        main = waitMainWindow();
        if (!main) throw Abort{"no visible window of class rizeviziz within 20 s"};
        pass("program starts: main window of class rizeviziz appears");
    }

    // The window steps act on: the innermost open dialog, else the main window.
    HWND current() const { return stack.empty() ? main : stack.back().dlg; }

    HWND dialog() const
    {
        if (stack.empty()) throw Abort{"no dialog is open"};
        return stack.back().dlg;
    }

    HWND control(int id) const
    {
        HWND c = GetDlgItem(dialog(), id);
        if (!c) throw std::runtime_error(strf("\"%s\" has no control with id %d", stack.back().title.c_str(), id));
        return c;
    }

    // Before each step: the program runs and the current dialog is still open.
    void ready() const
    {
        if (!programRunning()) throw Abort{"the program has ended"};
        if (!stack.empty() && !IsWindow(stack.back().dlg))
            throw Abort{"\"" + stack.back().title + "\" closed unexpectedly"};
    }

    PortMark mark()
    {
        syncPorts();
        return {ports_.com.size(), ports_.lpt.size(), ports_.net.size()};
    }

    // What reached each port since the mark, background copies around it set aside.
    std::pair<std::string, std::string> writtenSince(const PortMark& m)
    {
        auto [com, lpt] = rawSince(m);
        return {withoutBackground(com), withoutBackground(lpt)};
    }

    // Every byte that reached each port since the mark.
    std::pair<std::string, std::string> rawSince(const PortMark& m)
    {
        syncPorts();
        return {ports_.com.readFrom(m.com), ports_.lpt.readFrom(m.lpt)};
    }

    // What the network printer received since the mark. A press returns only
    // when the printer has confirmed every byte, so nothing is in flight.
    std::string networkSince(const PortMark& m) const { return ports_.net.readFrom(m.net); }

    // The byte count of a port now, without waiting for the capture.
    long long sizeNow(const std::string& port) const
    {
        return port == "LPT1" ? ports_.lpt.size() : ports_.com.size();
    }

    // Whole copies of the background before and after the bytes, set aside.
    std::string withoutBackground(std::string bytes) const
    {
        if (background.empty()) return bytes;
        while (bytes.starts_with(background)) bytes.erase(0, background.size());
        while (bytes.ends_with(background)) bytes.resize(bytes.size() - background.size());
        return bytes;
    }

    // Empty when nothing reached either port since the mark, else what did.
    std::string silenceSince(const PortMark& m)
    {
        auto [com, lpt] = writtenSince(m);
        std::string what;
        if (!com.empty()) what += strf("%zu bytes on COM1 [%s] ", com.size(), hex(com, 0, 24).c_str());
        if (!lpt.empty()) what += strf("%zu bytes on LPT1 [%s] ", lpt.size(), hex(lpt, 0, 24).c_str());
        const std::string net = networkSince(m);
        if (!net.empty()) what += strf("%zu bytes on NET [%s]", net.size(), hex(net, 0, 24).c_str());
        return trim(what);
    }

    // Waits for a new dialog titled `title`; anything else fails the group.
    HWND awaitDialog(const Dialogs& before, const std::string& title, const std::string& name)
    {
        HWND dlg = nullptr;
        waitFor(10000, [&] { return (dlg = newDialog(before)) != nullptr; }, 10);
        if (!dlg) {
            fail(name, "no dialog \"" + title + "\" appeared within 10 s");
            throw Abort{"the dialog did not open"};
        }
        if (titleOf(shown(dlg)) != title) {
            fail(name, dismissUnexpected(dlg) + ", expected \"" + title + "\"");
            throw Abort{"the dialog did not open"};
        }
        return dlg;
    }

    // Checks a newly opened dialog's owner and makes it the current dialog.
    void push(HWND dlg, const std::string& title, const std::string& owner, const std::string& name)
    {
        HWND want = owner == "main" ? main : owner == "panel" ? dialog() : nullptr;
        HWND got = GetWindow(dlg, GW_OWNER);
        auto who = [&](HWND w) {
            return w == nullptr ? std::string("none") : w == main ? std::string("main") : "\"" + titleOf(w) + "\"";
        };
        check(got == want, name + ": owner is " + owner, "owner is " + who(got));
        stack.push_back({dlg, title, owner == "none"});
        if (mainUsable())
            check(IsWindowEnabled(main) != FALSE, name + ": the main window stays enabled",
                  "the main window is disabled while \"" + title + "\" is open");
    }

    // No open dialog has an owner, so the main window must stay usable.
    bool mainUsable() const
    {
        return std::all_of(stack.begin(), stack.end(), [](const Frame& f) { return f.ownerless; });
    }

    void pop() { stack.pop_back(); }

    // Sets the fields of the current dialog as a user would leave them.
    void setFields(const std::vector<Field>& fields)
    {
        HWND dlg = dialog();
        bool notified = false;
        for (const Field& f : fields) {
            HWND c = control(f.id);
            std::wstring cls = className(c);
            bool list = cls == L"ListBox";
            switch (f.kind) {
            case Field::Text: {
                std::wstring w = widen(f.text);
                sendTo(c, WM_SETTEXT, 0, (LPARAM)w.c_str());
                if (windowText(c) != w) throw std::runtime_error(strf("field %d did not take the text", f.id));
                break;
            }
            case Field::Item:
                if (!list && cls != L"ComboBox") throw std::runtime_error(strf("field %d is no list", f.id));
                if (sendTo(c, list ? LB_SETCURSEL : CB_SETCURSEL, f.value) != f.value)
                    throw std::runtime_error(strf("field %d has no item %d", f.id, f.value));
                // A user's choice notifies the dialog (LBN_SELCHANGE and CBN_SELCHANGE are both 1).
                PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(f.id, 1), (LPARAM)c);
                notified = true;
                break;
            case Field::Check:
                sendTo(c, BM_SETCHECK, f.value ? BST_CHECKED : BST_UNCHECKED);
                if ((int)sendTo(c, BM_GETCHECK) != (f.value ? BST_CHECKED : BST_UNCHECKED))
                    throw std::runtime_error(strf("field %d did not take the check state", f.id));
                break;
            }
        }
        if (notified) {
            Settled r = settle(dlg, programDialogs(), [] {});
            if (r.box) throw std::runtime_error("choosing an item showed " + dismissUnexpected(r.box));
        }
    }

    // Clicks a control of the current dialog and waits for the outcome.
    Settled click(int id, const Dialogs& before)
    {
        HWND c = control(id);
        return settle(dialog(), before, [&] { PostMessageW(c, BM_CLICK, 0, 0); }, c);
    }

    HWND main = nullptr;
    std::vector<Frame> stack;
    Capture lineLog;
    std::string background; // what a background writer may write between steps

private:
    std::wstring exe_;
    Ports ports_;
};

// ---------------------------------------------------------------- step kinds
//
// Each kind has a parse function (checks the columns when the files are
// loaded, fills Step) and a run function. A run function reports its checks
// with check/pass/fail; std::runtime_error fails the step, Abort ends the group.

using Defs = std::map<std::string, Pattern>;

void parseNothing(Step&, const Defs&) {}

void parseId(Step& st, const Defs&) { st.id = parseInt(st.cols[1], "the id"); }

void join(std::string& problems, const std::string& more)
{
    if (!more.empty()) problems += (problems.empty() ? "" : "; ") + more;
}

// Compares what reached the ports since the mark with PORT and PATTERN; empty when right.
std::string judgeBytes(Session& s, const PortMark& m, const std::string& port, const Pattern& want,
                       std::string& summary)
{
    auto [com, lpt] = s.writtenSince(m);
    const std::string net = s.networkSince(m);
    if (port == "NET") {
        summary = strf("%zu bytes on NET", net.size());
        std::string problem = compare(want, net);
        if (!problem.empty()) problem = "NET: " + problem;
        if (!com.empty() || !lpt.empty())
            join(problem, strf("%zu bytes went to COM1 and %zu to LPT1 as well", com.size(), lpt.size()));
        return problem;
    }
    if (!net.empty()) return strf("%zu bytes went to the network printer: [%s]", net.size(), hex(net, 0, 24).c_str());
    if (port == "-") {
        summary = "nothing written";
        if (com.empty() && lpt.empty()) return {};
        return strf("expected no bytes, got %zu on COM1 [%s] and %zu on LPT1 [%s]", com.size(),
                    hex(com, 0, 24).c_str(), lpt.size(), hex(lpt, 0, 24).c_str());
    }
    const std::string& got = port == "LPT1" ? lpt : com;
    const std::string& other = port == "LPT1" ? com : lpt;
    summary = strf("%zu bytes on %s", got.size(), port.c_str());
    std::string problem = compare(want, got);
    if (!problem.empty()) problem = port + ": " + problem;
    if (!other.empty())
        problem += (problem.empty() ? "" : "; ") + strf("%zu bytes went to %s as well: [%s]", other.size(),
                                                        port == "LPT1" ? "COM1" : "LPT1", hex(other, 0, 24).c_str());
    return problem;
}


// What a click left behind: a box nobody expected, or a handler that never returned.
std::string leftover(Session& s, const Settled& r)
{
    if (r.box) {
        std::string what = dismissUnexpected(r.box);
        if (IsWindow(s.current())) idle(s.current());
        return what;
    }
    return r.done || r.closed ? "" : "the handler did not finish within 30 s";
}

// A column that may be quoted to keep its blanks (a title " ").
std::string unquoted(const std::string& col)
{
    if (col.size() < 2 || col[0] != '"') return col;
    size_t i = 1;
    std::string text = unescape(col, i, '"');
    if (i != col.size()) throw std::runtime_error("text after the closing quote in " + col);
    return text;
}

// open LABEL | MENU COMMAND | DIALOG TITLE | OWNER(main|none)
void parseOpen(Step& st, const Defs&)
{
    st.id = parseInt(st.cols[1], "the menu command");
    st.cols[2] = unquoted(st.cols[2]);
    if (st.cols[3] != "main" && st.cols[3] != "none") throw std::runtime_error("owner must be main or none");
}

void runOpen(Session& s, const Step& st)
{
    Dialogs before = programDialogs();
    PostMessageW(s.main, WM_COMMAND, MAKEWPARAM(st.id, 0), 0);
    HWND dlg = s.awaitDialog(before, st.cols[2], st.label());
    pass(st.label() + strf(": menu command %d opens \"%s\"", st.id, st.cols[2].c_str()));
    s.push(dlg, st.cols[2], st.cols[3], st.label());
}

// opens LABEL | BUTTON ID | DIALOG TITLE | OWNER(panel|main|none)
void parseOpens(Step& st, const Defs&)
{
    st.id = parseInt(st.cols[1], "the button id");
    st.cols[2] = unquoted(st.cols[2]);
    const std::string& o = st.cols[3];
    if (o != "panel" && o != "main" && o != "none") throw std::runtime_error("owner must be panel, main or none");
}

void runOpens(Session& s, const Step& st)
{
    Dialogs before = programDialogs();
    PostMessageW(s.control(st.id), BM_CLICK, 0, 0);
    HWND dlg = s.awaitDialog(before, st.cols[2], st.label());
    pass(st.label() + strf(": button %d opens \"%s\"", st.id, st.cols[2].c_str()));
    s.push(dlg, st.cols[2], st.cols[3], st.label());
}

// shot NAME
void runShot(Session& s, const Step& st) { screenshot(st.label(), s.current()); }

// select LABEL | RADIO ID | PROMPT CAPTION | PROMPT TEXT | PORT | LINE [| SHOT]
void parseSelect(Step& st, const Defs&)
{
    st.id = parseInt(st.cols[1], "the radio button id");
    checkPort(st.cols[4]);
    st.checkLine = st.cols[5] != "-";
    if (st.checkLine) st.line = parseLine(st.cols[5]);
    if (st.checkLine && st.cols[4] != "COM1") throw std::runtime_error("a serial line needs port COM1");
    if (st.cols.size() > 6) st.shot = st.cols[6];
}

void checkBox(HWND box, const std::string& caption, const std::string& text, const std::string& name)
{
    std::string gotCaption = titleOf(shown(box)), gotText = narrow(boxText(box));
    check(gotCaption == caption && gotText == text, name,
          "box " + describeBox(box) + "; expected \"" + caption + "\" saying \"" + text + "\"");
}

void runSelect(Session& s, const Step& st)
{
    const std::string name = st.label();
    HWND radio = s.control(st.id);
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    long long log0 = s.lineLog.size();
    Settled r = s.click(st.id, before);
    if (!r.box) throw std::runtime_error("no prompt appeared");
    checkBox(r.box, st.cols[2], st.cols[3], name + ": prompt");
    if (!st.shot.empty()) screenshot(st.shot, r.box);
    if (!answer(r.box, IDOK)) throw Abort{"the prompt did not go away after OK"};
    // A port that fails to open shows one more box.
    Settled after = settle(s.dialog(), before, [] {});
    check(!after.box && after.done, name + ": port opens", leftover(s, after));
    check(sendTo(radio, BM_GETCHECK) == BST_CHECKED, name + ": radio button checked", "the radio button is not checked");
    std::string noise = s.silenceSince(m);
    check(noise.empty(), name + ": nothing written", "selecting the interface wrote " + noise);

    LineSettings seen = parseLineLog(s.lineLog.readFrom(log0));
    if (st.cols[4] != "COM1") {
        check(seen.tcsetattrCalls == 0, name + ": the serial line is left alone", "observed " + describe(seen));
    } else if (st.checkLine) {
        check(lineMatches(seen, st.line), name + ": serial line " + st.cols[5], "observed " + describe(seen));
    } else {
        check(seen.tcsetattrCalls > 0, name + ": the serial line is set up", "no line settings were applied");
    }
}

// press LABEL | ID | FIELDS | PORT | PATTERN
void parsePress(Step& st, const Defs& defs)
{
    st.id = parseInt(st.cols[1], "the id");
    st.fields = parseFields(st.cols[2]);
    checkPort(st.cols[3]);
    st.pattern = PatternParser(defs).parse(st.cols[4]);
    if (st.cols[3] == "-" && !st.pattern.empty()) throw std::runtime_error("port - takes no pattern");
}

void runPress(Session& s, const Step& st)
{
    s.setFields(st.fields);
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    Settled r = s.click(st.id, before);
    std::string problems = leftover(s, r), summary;
    join(problems, judgeBytes(s, m, st.cols[3], st.pattern, summary));
    check(problems.empty(), st.label() + " (" + summary + ")", problems);
}

// box LABEL | ID | FIELDS | CAPTION | TEXT | ANSWER | PORT | PATTERN [| SHOT [| OWNER(dialog|main|none)]]
void parseBox(Step& st, const Defs& defs)
{
    st.id = parseInt(st.cols[1], "the id");
    st.fields = parseFields(st.cols[2]);
    answerId(st.cols[5]);
    checkPort(st.cols[6]);
    st.pattern = PatternParser(defs).parse(st.cols[7]);
    if (st.cols[6] == "-" && !st.pattern.empty()) throw std::runtime_error("port - takes no pattern");
    if (st.cols.size() > 8 && st.cols[8] != "-") st.shot = st.cols[8];
    st.owner = st.cols.size() > 9 ? st.cols[9] : "dialog";
    if (st.owner != "dialog" && st.owner != "main" && st.owner != "none")
        throw std::runtime_error("the box's owner must be dialog, main or none");
}

void runBox(Session& s, const Step& st)
{
    s.setFields(st.fields);
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    Settled r = s.click(st.id, before);
    if (!r.box) {
        std::string summary, problems = "no message box appeared";
        join(problems, judgeBytes(s, m, st.cols[6], st.pattern, summary));
        throw std::runtime_error(problems);
    }
    checkBox(r.box, st.cols[3], st.cols[4], st.label() + ": message box");
    HWND owner = GetWindow(r.box, GW_OWNER);
    HWND want = st.owner == "dialog" ? s.dialog() : st.owner == "main" ? s.main : nullptr;
    check(owner == want, st.label() + ": the box's owner is " + st.owner,
          "the box is owned by " + (owner == s.main ? std::string("the main window")
                                    : owner ? "\"" + titleOf(owner) + "\"" : std::string("nothing")));
    if (!st.shot.empty()) screenshot(st.shot, r.box);
    int button = answerId(st.cols[5]);
    if (!GetDlgItem(r.box, button)) throw std::runtime_error("the box has no " + st.cols[5] + " button");
    if (!answer(r.box, button)) throw Abort{"the message box did not go away"};
    Settled after = IsWindow(s.dialog()) ? settle(s.dialog(), before, [] {}) : Settled{false, true, nullptr};
    std::string problems = leftover(s, after), summary;
    join(problems, judgeBytes(s, m, st.cols[6], st.pattern, summary));
    check(problems.empty(), st.label() + " (" + st.cols[5] + ", " + summary + ")", problems);
}

// click LABEL | ID
void runClick(Session& s, const Step& st)
{
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    Settled r = s.click(st.id, before);
    std::string problems = leftover(s, r);
    join(problems, s.silenceSince(m));
    check(problems.empty(), st.label(), problems);
}

// expect LABEL | ID | PROPERTY, ID "-" for the current window itself or "any"
// for some control of the current dialog.
void parseExpect(Step& st, const Defs&)
{
    const std::string& id = st.cols[1];
    st.id = id == "-" ? kSelf : id == "any" ? kAny : parseInt(id, "the id");
    const std::string& p = st.cols[2];
    auto quoted = [&](size_t from) {
        if (from >= p.size() || p[from] != '"') throw std::runtime_error("a quoted text must follow = in " + p);
        size_t i = from + 1;
        std::string text = unescape(p, i, '"');
        if (i != p.size()) throw std::runtime_error("text after the closing quote in " + p);
        return text;
    };
    if (p.rfind("text=", 0) == 0) {
        st.property = "text";
        st.expected = quoted(5);
    } else if (p == "drops-all") {
        st.property = "drop";
        st.expected = "every item shows";
    } else if (p == "checked" || p == "unchecked" || p == "enabled" || p == "disabled") {
        st.property = p == "checked" || p == "unchecked" ? "check" : "state";
        st.expected = p;
    } else if (p.rfind("items=", 0) == 0 || p.rfind("selected=", 0) == 0) {
        size_t eq = p.find('=');
        st.property = p.substr(0, eq);
        st.expected = std::to_string(parseInt(p.substr(eq + 1), "the count"));
    } else if (p.rfind("item ", 0) == 0 && p.find('=') != std::string::npos) {
        size_t eq = p.find('=');
        st.property = "item";
        st.fields = {Field{Field::Item, 0, {}, parseInt(trim(p.substr(5, eq - 5)), "the item number")}};
        st.expected = quoted(eq + 1);
    } else {
        throw std::runtime_error("unknown property \"" + p + "\"");
    }
}

// Drops a combo box's list down: do all its items show without scrolling?
std::string dropView(HWND combo)
{
    sendTo(combo, CB_SHOWDROPDOWN, TRUE);
    HWND list = nullptr;
    waitFor(2000, [&] {
        for (HWND w : programWindows(L"ComboLBox"))
            if (IsWindowVisible(w)) list = w;
        return list != nullptr;
    }, 10);
    std::string seen = "the list does not drop down";
    if (list) {
        RECT r{};
        GetClientRect(list, &r);
        int items = (int)sendTo(combo, CB_GETCOUNT), height = (int)sendTo(list, LB_GETITEMHEIGHT);
        int shown = height > 0 ? (r.bottom - r.top) / height : 0;
        seen = shown >= items ? "every item shows" : strf("%d of %d items show", shown, items);
    }
    sendTo(combo, CB_SHOWDROPDOWN, FALSE);
    return seen;
}

// The control's value of the step's property, written as the step writes it.
std::string observe(HWND c, const Step& st)
{
    if (st.property == "drop") return dropView(c);
    bool list = className(c) == L"ListBox";
    if (st.property == "text") return narrow(windowText(c));
    if (st.property == "check") {
        LRESULT v = sendTo(c, BM_GETCHECK);
        return v == BST_CHECKED ? "checked" : v == BST_UNCHECKED ? "unchecked" : "indeterminate";
    }
    if (st.property == "state") return IsWindowEnabled(c) ? "enabled" : "disabled";
    if (st.property == "items") return std::to_string((int)sendTo(c, list ? LB_GETCOUNT : CB_GETCOUNT));
    if (st.property == "selected") return std::to_string((int)sendTo(c, list ? LB_GETCURSEL : CB_GETCURSEL));
    int n = st.fields.front().value;
    int len = (int)sendTo(c, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, n);
    if (len < 0) return "(no item " + std::to_string(n) + ")";
    std::wstring text(len + 1, L'\0');
    sendTo(c, list ? LB_GETTEXT : CB_GETLBTEXT, n, (LPARAM)text.data());
    text.resize(wcsnlen(text.c_str(), len));
    return narrow(text);
}

void runExpect(Session& s, const Step& st)
{
    std::string what = st.property == "text" || st.property == "item" ? "\"" + st.expected + "\"" : st.expected;
    if (st.id == kAny) {
        for (HWND c : children(s.dialog()))
            if (observe(c, st) == st.expected) return pass(st.label());
        return fail(st.label(), "no control of \"" + s.stack.back().title + "\" has " + st.property + " " + what);
    }
    HWND c = st.id == kSelf ? s.current() : s.control(st.id);
    std::string got = observe(c, st);
    bool quotedValue = st.property == "text" || st.property == "item";
    check(got == st.expected, st.label(),
          st.property + " is " + (quotedValue ? "\"" + got + "\"" : got) + ", expected " + what);
}

// esc LABEL: Esc leaves the current dialog open and writes nothing.
void runEsc(Session& s, const Step& st)
{
    HWND dlg = s.dialog();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dlg, nullptr), &gui);
    HWND target = gui.hwndFocus && (gui.hwndFocus == dlg || IsChild(dlg, gui.hwndFocus)) ? gui.hwndFocus : dlg;
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    Settled r = settle(dlg, before, [&] {
        PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    });
    std::string problems = r.closed || !IsWindow(dlg) ? "the dialog closed on Esc" : leftover(s, r);
    join(problems, s.silenceSince(m));
    if (s.mainUsable() && !IsWindowEnabled(s.main)) join(problems, "the main window is disabled");
    check(problems.empty(), st.label(), problems);
    if (!IsWindow(dlg)) throw Abort{"\"" + s.stack.back().title + "\" closed"};
}

// close LABEL | ID: the button closes the current dialog and writes nothing.
void runClose(Session& s, const Step& st)
{
    HWND dlg = s.dialog();
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    Settled r = s.click(st.id, before);
    std::string problems = r.box ? dismissUnexpected(r.box) : "";
    if (!waitFor(5000, [&] { return !IsWindow(dlg); }, 10)) join(problems, "the dialog is still open after 5 s");
    join(problems, s.silenceSince(m));
    check(problems.empty(), st.label(), problems);
    if (IsWindow(dlg)) throw Abort{"\"" + s.stack.back().title + "\" does not close"};
    s.pop();
}

// exit LABEL | MENU COMMAND | CAPTION | TEXT | ANSWER(Yes|No) [| SHOT]: the
// command asks first; Yes ends the program with code 0, No keeps it running.
void parseExit(Step& st, const Defs&)
{
    st.id = parseInt(st.cols[1], "the menu command");
    if (st.cols[4] != "Yes" && st.cols[4] != "No") throw std::runtime_error("answer must be Yes or No");
    if (st.cols.size() > 5) st.shot = st.cols[5];
}

bool endsWithCodeZero(const std::string& name)
{
    bool ended = WaitForSingleObject(g_process, 10000) == WAIT_OBJECT_0;
    DWORD code = 1;
    if (ended) GetExitCodeProcess(g_process, &code);
    return check(ended && code == 0, name, ended ? strf("exit code %lu", code) : "still running after 10 s");
}

void runExit(Session& s, const Step& st)
{
    Dialogs before = programDialogs();
    PostMessageW(s.main, WM_COMMAND, MAKEWPARAM(st.id, 0), 0);
    HWND box = nullptr;
    if (!waitFor(10000, [&] { return (box = newDialog(before)) != nullptr; }, 10))
        throw Abort{"no question \"" + st.cols[2] + "\" within 10 s"};
    checkBox(box, st.cols[2], st.cols[3], st.label() + ": asks");
    check(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO), st.label() + ": Yes and No", "Yes/No buttons missing");
    if (!st.shot.empty()) screenshot(st.shot, box);
    if (!answer(box, st.cols[4] == "Yes" ? IDYES : IDNO)) throw Abort{"the question did not go away"};
    if (st.cols[4] == "Yes") {
        endsWithCodeZero(st.label() + ": Yes ends the program with code 0");
        return;
    }
    sendTo(s.main, WM_NULL);
    check(WaitForSingleObject(g_process, 500) == WAIT_TIMEOUT && IsWindow(s.main),
          st.label() + ": No keeps the program running", "the program ended");
}

// escape-exits LABEL: Esc in the main window ends the program without asking.
void runEscapeExits(Session& s, const Step& st)
{
    Dialogs before = programDialogs();
    PostMessageW(s.main, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    HWND box = nullptr;
    waitFor(10000, [&] {
        if (!box) box = newDialog(before);
        return !programRunning();
    }, 10);
    check(!box, st.label() + ": no question", box ? "a dialog appeared: " + describeBox(box) : "");
    endsWithCodeZero(st.label() + ": the program ends with code 0");
}

// background LABEL | PATTERN or -: from now on whole copies of PATTERN (a
// background writer's) may arrive on either port; later steps set them
// aside before and after their own bytes, never from inside them. "-" ends it.
void parseBackground(Step& st, const Defs& defs)
{
    if (st.cols[1] != "-") st.pattern = PatternParser(defs).parse(st.cols[1]);
    if (std::count(st.pattern.begin(), st.pattern.end(), -1)) throw std::runtime_error("a background takes no ?");
}

void runBackground(Session& s, const Step& st)
{
    s.background.assign(st.pattern.begin(), st.pattern.end());
}

double parseSeconds(const std::string& text)
{
    char* end = nullptr;
    double v = strtod(text.c_str(), &end);
    if (text.empty() || *end || !(v > 0)) throw std::runtime_error("seconds must be a positive number, not \"" + text + "\"");
    return v;
}

// paced LABEL | PORT | PATTERN | COUNT | SECONDS: the next COUNT arrivals on
// PORT are PATTERN each, SECONDS apart (from 3/4 to 3/2 of it), and the
// other port stays silent.
void parsePaced(Step& st, const Defs& defs)
{
    checkPort(st.cols[1]);
    if (st.cols[1] == "-") throw std::runtime_error("paced needs a port");
    st.pattern = PatternParser(defs).parse(st.cols[2]);
    st.id = parseInt(st.cols[3], "the count");
    if (st.id < 2 || st.pattern.empty()) throw std::runtime_error("paced needs a pattern and two arrivals or more");
    st.seconds = parseSeconds(st.cols[4]);
}

void runPaced(Session& s, const Step& st)
{
    const std::string& port = st.cols[1];
    const size_t size = st.pattern.size(), count = (size_t)st.id;
    PortMark m = s.mark();
    const long long from = port == "LPT1" ? m.lpt : m.com;
    std::vector<Clock::time_point> arrivals;
    auto deadline = Clock::now() + milliseconds((long long)(st.seconds * 1000 * (count + 1)) + 5000);
    while (arrivals.size() < count && Clock::now() < deadline) {
        long long got = s.sizeNow(port) - from;
        while (arrivals.size() < count && got >= (long long)((arrivals.size() + 1) * size))
            arrivals.push_back(Clock::now());
        sleepMs(5);
    }
    auto [com, lpt] = s.rawSince(m);
    const std::string& bytes = port == "LPT1" ? lpt : com;
    const std::string& other = port == "LPT1" ? com : lpt;

    std::string problems;
    if (arrivals.size() < count) join(problems, strf("%zu of %zu arrivals", arrivals.size(), count));
    Pattern all;
    for (size_t k = 0; k < arrivals.size(); ++k) all.insert(all.end(), st.pattern.begin(), st.pattern.end());
    join(problems, compare(all, bytes.substr(0, all.size())));
    double shortest = 1e9, longest = 0;
    for (size_t k = 1; k < arrivals.size(); ++k) {
        double gap = std::chrono::duration<double>(arrivals[k] - arrivals[k - 1]).count();
        shortest = std::min(shortest, gap);
        longest = std::max(longest, gap);
    }
    if (arrivals.size() > 1 && (shortest < st.seconds * 0.75 || longest > st.seconds * 1.5))
        join(problems, strf("arrivals %.2f to %.2f s apart", shortest, longest));
    if (!other.empty()) join(problems, strf("%zu bytes went to the other port", other.size()));
    check(problems.empty(), st.label() + strf(" (%zu arrivals, %.2f to %.2f s apart)", arrivals.size(), shortest, longest),
          problems);
}

// quiet LABEL | SECONDS: nothing at all arrives on either port for SECONDS.
void parseQuiet(Step& st, const Defs&) { st.seconds = parseSeconds(st.cols[1]); }

void runQuiet(Session& s, const Step& st)
{
    PortMark m = s.mark();
    sleepMs((int)(st.seconds * 1000));
    auto [com, lpt] = s.rawSince(m);
    check(com.empty() && lpt.empty(), st.label(),
          strf("%zu bytes on COM1 and %zu on LPT1 within %.1f s", com.size(), lpt.size(), st.seconds));
}

// cancel LABEL | ID | FIELDS | RATE | PATTERN | SHOT [| 关闭]: with COM1 read
// at RATE bytes a second, sets FIELDS and clicks ID. After about half a
// second the press's progress window shows the bytes of PATTERN as its
// total; some seconds later its rate is about RATE or unknown (screenshot
// SHOT). Its 取消 (or with 关闭, the panel's 关闭 clicked with the mouse)
// ends the press after at most the piece being written, with the box 提示
// "已发送 N / M 字节，已取消"; COM1 then holds exactly the first N bytes of
// PATTERN; the main window answers within a second throughout. With 关闭
// the panel closes after the box. With 退出 the main window is closed
// instead: the program ends with code 0 and no box, COM1 holding the first
// bytes of PATTERN up to at most a piece after those shown; the group's
// last step.
void parseCancel(Step& st, const Defs& defs)
{
    st.id = parseInt(st.cols[1], "the id");
    st.fields = parseFields(st.cols[2]);
    st.seconds = parseInt(st.cols[3], "the rate");
    st.pattern = PatternParser(defs).parse(st.cols[4]);
    st.shot = st.cols[5];
    if (st.cols.size() > 6 && st.cols[6] != "关闭" && st.cols[6] != "退出")
        throw std::runtime_error("the way to stop must be 关闭, 退出 or left out");
    st.expected = st.cols.size() > 6 ? st.cols[6] : "取消";
}

// A user's click on a button: the mouse messages, which a window handles
// even while a press holds back posted commands.
void mouseClick(HWND button)
{
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

unsigned long long leadingNumber(const std::string& text, const char* after)
{
    size_t at = after[0] ? text.find(after) : 0;
    if (at == std::string::npos) return 0;
    return strtoull(text.c_str() + at + strlen(after), nullptr, 10);
}

void runCancel(Session& s, const Step& st)
{
    const std::string name = st.label();
    const size_t total = st.pattern.size();
    const long rateWanted = (long)st.seconds;
    const unsigned long long piece = 480; // a piece at 9600 baud: half a second of the line
    s.setFields(st.fields);
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    const std::wstring rate = g_captureDir + L"\\serial.rate";
    if (!writeWholeFile(rate, strf("%ld\n", rateWanted))) throw Abort{"cannot set the rate of COM1"};
    struct Unpace {
        std::wstring path;
        ~Unpace() { DeleteFileW(path.c_str()); }
    } unpace{rate};
    auto since = [](Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); };
    double slowest = 0; // the main window's longest answer
    auto answerMain = [&] {
        auto asked = Clock::now();
        DWORD_PTR r = 0;
        bool answered = SendMessageTimeoutW(s.main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r) != 0;
        slowest = std::max(slowest, answered ? since(asked) : 5.0);
    };
    PostMessageW(s.control(st.id), BM_CLICK, 0, 0);
    const auto clicked = Clock::now();

    std::string problems, figures, pace;
    HWND progress = nullptr;
    double appeared = 0;
    waitFor(15000, [&] {
        answerMain();
        std::vector<HWND> w = programWindows(L"PressProgress");
        progress = w.empty() || !IsWindowVisible(w[0]) ? nullptr : w[0];
        trace("%.2f s: COM1 %lld bytes, progress window %s", since(clicked), s.sizeNow("COM1"), progress ? "shown" : "not shown");
        if (!progress) return false;
        if (appeared == 0) appeared = since(clicked);
        figures = narrow(windowText(GetDlgItem(progress, 101)));
        pace = narrow(windowText(GetDlgItem(progress, 102)));
        trace("window: %s, %s", figures.c_str(), pace.c_str());
        return since(clicked) > 7.0;
    }, 100);
    if (!progress) throw Abort{name + ": no progress window within 15 s"};
    if (appeared < 0.4 || appeared > 1.5) join(problems, strf("the progress window appeared after %.2f s", appeared));
    const std::string wantTotal = strf("/ %zu 字节", total);
    if (figures.rfind("已发送 ", 0) != 0 || figures.find(wantTotal) == std::string::npos)
        join(problems, "the window says \"" + figures + "\"");
    const long paceShown = (long)leadingNumber(pace, "");
    // Empty while the port took nothing for five seconds: a pseudo-terminal
    // wakes a blocked writer only once most of its buffer has been read.
    if (!pace.empty() && (pace.find(" 字节/秒，剩余 ") == std::string::npos || paceShown < rateWanted / 2 ||
                          paceShown > rateWanted * 2))
        join(problems, "the rate line says \"" + pace + "\"");
    screenshot(st.shot, progress);

    const unsigned long long sentBefore = leadingNumber(narrow(windowText(GetDlgItem(progress, 101))), "已发送 ");
    const bool byClose = st.expected == "关闭", byExit = st.expected == "退出";
    HWND panel = s.dialog();
    if (byClose)
        mouseClick(s.control(1));
    else if (byExit)
        PostMessageW(s.main, WM_CLOSE, 0, 0);  // as the task bar's 关闭窗口 does
    else
        PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    const auto cancelled = Clock::now();
    if (byExit) {
        // The program ends without a box; COM1 shows how far the press got.
        const bool ended = waitFor(25000, [] { return !programRunning(); }, 20);
        const double stopped = since(cancelled);
        DeleteFileW(rate.c_str());
        if (!ended) throw Abort{name + ": the program did not end within 25 s of 退出"};
        s.stack.clear();
        endsWithCodeZero(name + ": the program ends with code 0");
        auto [com, lpt] = s.rawSince(m);
        if (com.size() < sentBefore || com.size() > sentBefore + piece || com.size() >= total)
            join(problems, strf("COM1 got %zu bytes; %llu were sent before 退出", com.size(), sentBefore));
        join(problems, compare(Pattern(st.pattern.begin(), st.pattern.begin() + std::min(com.size(), total)), com));
        if (!lpt.empty()) join(problems, strf("%zu bytes went to LPT1", lpt.size()));
        if (slowest > 1.0) join(problems, strf("the main window took %.2f s to answer", slowest));
        check(problems.empty(),
              name + strf(" (window after %.2f s; %zu of %zu bytes, %zu after 退出; the program ended %.2f s after it)",
                          appeared, com.size(), total, com.size() - std::min<size_t>(com.size(), sentBefore), stopped),
              problems);
        return;
    }
    HWND box = nullptr;
    waitFor(15000, [&] {
        answerMain();
        return (box = newDialog(before)) != nullptr;
    }, 20);
    const double stopped = since(cancelled);
    if (!box) throw Abort{name + ": no box within 15 s of 取消"};
    const std::string text = narrow(boxText(shown(box)));
    const unsigned long long sent = leadingNumber(text, "已发送 ");
    const std::string want = strf("已发送 %llu / %zu 字节，已取消", sent, total);
    if (titleOf(box) != "提示" || text != want) join(problems, "box " + describeBox(box));
    if (sent > sentBefore + piece)
        join(problems, strf("%llu bytes were sent after 取消 (%llu before it)", sent - sentBefore, sentBefore));
    if (IsWindow(progress)) join(problems, "the progress window is still there");
    answer(box, IDOK);
    DeleteFileW(rate.c_str());
    if (byClose) {
        if (!waitFor(5000, [&] { return !IsWindow(panel); }, 10)) join(problems, "the panel is still open after the box");
    } else {
        settle(panel, programDialogs(), [] {});
    }

    auto [com, lpt] = s.rawSince(m);
    if (sent == 0 || sent >= total) join(problems, strf("%llu of %zu bytes were sent", sent, total));
    if (com.size() != sent) join(problems, strf("COM1 got %zu bytes, the box says %llu", com.size(), sent));
    join(problems, compare(Pattern(st.pattern.begin(), st.pattern.begin() + std::min<size_t>(sent, total)), com));
    if (!lpt.empty()) join(problems, strf("%zu bytes went to LPT1", lpt.size()));
    if (slowest > 1.0) join(problems, strf("the main window took %.2f s to answer", slowest));
    const bool closed = byClose && !IsWindow(panel);
    check(problems.empty(),
          name + strf(" (window after %.2f s, %s; %llu of %zu bytes, %llu after %s, the press ended %.2f s after it; "
                      "the main window answered within %.2f s)",
                      appeared, pace.c_str(), sent, total, sent - std::min(sent, sentBefore), st.expected.c_str(),
                      stopped, slowest),
          problems);
    if (closed) s.pop();
    if (byClose && !closed) throw Abort{"\"" + s.stack.back().title + "\" does not close"};
}

// set LABEL | FIELDS: sets fields of the current dialog; no box, nothing written.
void parseSet(Step& st, const Defs&) { st.fields = parseFields(st.cols[1]); }

void runSet(Session& s, const Step& st)
{
    PortMark m = s.mark();
    s.setFields(st.fields);
    std::string noise = s.silenceSince(m);
    check(noise.empty(), st.label(), "setting the fields wrote " + noise);
}

// file LABEL | PATH | PATTERN: writes the pattern's bytes (no ?) to the
// Windows path PATH, for the program to read; its folder is created.
void parseFile(Step& st, const Defs& defs)
{
    st.pattern = PatternParser(defs).parse(st.cols[2]);
    if (std::find(st.pattern.begin(), st.pattern.end(), -1) != st.pattern.end())
        throw std::runtime_error("a file's pattern cannot hold ?");
}

void runFile(Session&, const Step& st)
{
    std::wstring path = widen(st.cols[1]);
    size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    std::string bytes(st.pattern.begin(), st.pattern.end());
    check(writeWholeFile(path, bytes), st.label() + strf(" (%zu bytes)", bytes.size()),
          "cannot write " + st.cols[1]);
}

// line LABEL | LINE: the serial line settings last applied to COM1.
void parseLineStep(Step& st, const Defs&) { st.line = parseLine(st.cols[1]); }

void runLine(Session& s, const Step& st)
{
    LineSettings seen = parseLineLog(s.lineLog.readFrom(0));
    check(lineMatches(seen, st.line), st.label() + ": serial line " + st.cols[1], "observed " + describe(seen));
}

// choose LABEL | BUTTON ID | FILTER | PATH: the button opens the system's
// open-file dialog, owned by the current dialog, with the file type FILTER
// chosen; PATH is typed as the file name and confirmed (- cancels it).
// Nothing is written.
void parseChoose(Step& st, const Defs&) { st.id = parseInt(st.cols[1], "the button id"); }

void runChoose(Session& s, const Step& st)
{
    const std::string name = st.label();
    HWND panel = s.dialog();
    Dialogs before = programDialogs();
    PortMark m = s.mark();
    PostMessageW(s.control(st.id), BM_CLICK, 0, 0);
    HWND dlg = nullptr;
    if (!waitFor(10000, [&] { return (dlg = newDialog(before)) != nullptr; }, 10))
        throw std::runtime_error("no file dialog appeared within 10 s");
    shown(dlg);
    HWND types = GetDlgItem(dlg, cmb1);
    HWND fileName = GetDlgItem(dlg, cmb13) ? GetDlgItem(dlg, cmb13) : GetDlgItem(dlg, edt1);
    if (!types || !fileName) throw Abort{"a dialog " + describeBox(dlg) + " appeared, not a file dialog"};
    check(GetWindow(dlg, GW_OWNER) == panel, name + ": owned by the panel", "another owner");
    std::wstring chosen = windowText(types);
    check(narrow(chosen) == st.cols[2], name + ": file type \"" + st.cols[2] + "\" chosen",
          "the file type shown is \"" + narrow(chosen) + "\"");
    if (st.cols[3] != "-") {
        std::wstring path = widen(st.cols[3]);
        sendTo(fileName, WM_SETTEXT, 0, (LPARAM)path.c_str());
    }
    PostMessageW(GetDlgItem(dlg, st.cols[3] == "-" ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
    if (!waitFor(5000, [&] { return !IsWindow(dlg); }, 10)) throw Abort{"the file dialog does not close"};
    Settled r = settle(panel, before, [] {});
    std::string problems = leftover(s, r);
    join(problems, s.silenceSince(m));
    check(problems.empty(), name + (st.cols[3] == "-" ? ": cancelled" : ": chosen"), problems);
}

// printer LABEL | STATE: the virtual printer on COM1 answers status requests
// as a printer in STATE from now on (ready, paper-out, cover-open, silent,
// garbage).
void parsePrinter(Step& st, const Defs&)
{
    static const char* const states[] = {"ready", "paper-out", "cover-open", "silent", "garbage"};
    if (std::find(std::begin(states), std::end(states), st.cols[1]) == std::end(states))
        throw std::runtime_error("unknown printer state " + st.cols[1]);
}

void runPrinter(Session&, const Step& st)
{
    check(writeWholeFile(g_captureDir + L"\\printer-state", st.cols[1] + "\n"), st.label(),
          "cannot write the printer state");
}

struct KindRow {
    const char* name;
    size_t minCols, maxCols; // columns after the kind, the label first
    void (*parse)(Step&, const Defs&);
    void (*run)(Session&, const Step&);
};

const KindRow kKinds[] = {
    {"open", 4, 4, parseOpen, runOpen},
    {"opens", 4, 4, parseOpens, runOpens},
    {"shot", 1, 1, parseNothing, runShot},
    {"select", 6, 7, parseSelect, runSelect},
    {"press", 5, 5, parsePress, runPress},
    {"box", 8, 10, parseBox, runBox},
    {"click", 2, 2, parseId, runClick},
    {"expect", 3, 3, parseExpect, runExpect},
    {"esc", 1, 1, parseNothing, runEsc},
    {"close", 2, 2, parseId, runClose},
    {"exit", 5, 6, parseExit, runExit},
    {"escape-exits", 1, 1, parseNothing, runEscapeExits},
    {"background", 2, 2, parseBackground, runBackground},
    {"paced", 5, 5, parsePaced, runPaced},
    {"quiet", 2, 2, parseQuiet, runQuiet},
    {"set", 2, 2, parseSet, runSet},
    {"cancel", 6, 7, parseCancel, runCancel},
    {"file", 3, 3, parseFile, runFile},
    {"line", 2, 2, parseLineStep, runLine},
    {"choose", 4, 4, parseChoose, runChoose},
    {"printer", 2, 2, parsePrinter, runPrinter},
};

const KindRow* findKind(const std::string& name)
{
    for (const KindRow& k : kKinds)
        if (name == k.name) return &k;
    return nullptr;
}

// ---------------------------------------------------------------- steps files
//
// Rows are '|'-separated, '#' starts a comment line, a line starting with
// white space continues the previous row. The first row is "group NAME";
// "def NAME = PATTERN" defines a pattern for the later rows of the same file.

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

struct StepsFile {
    std::string name, group;
    std::vector<Step> steps;
};

// {NET_PORT}, {NET_STALLED_PORT} and {NET_CLOSED_PORT}: the harness's
// network printers, on ports chosen when the run starts (left as they are
// where the run has none).
std::string withNetworkPorts(std::string text)
{
    for (const char* name : {"NET_PORT", "NET_STALLED_PORT", "NET_CLOSED_PORT"}) {
        const std::string token = std::string("{") + name + "}";
        const char* value = getenv((std::string("E2E_") + name).c_str());
        if (!value || !*value) continue;
        for (size_t at; (at = text.find(token)) != std::string::npos;) text.replace(at, token.size(), value);
    }
    return text;
}

StepsFile loadSteps(const std::wstring& path)
{
    std::string content;
    if (!readWholeFile(path, content)) throw Abort{"cannot read the steps file " + narrow(path)};
    content = withNetworkPorts(content);
    StepsFile file;
    std::string full = narrow(path);
    file.name = full.substr(full.find_last_of("\\/") + 1);
    Defs defs;
    auto handle = [&](const std::string& row, int at) {
        try {
            size_t sp = row.find_first_of(" \t");
            std::string kind = row.substr(0, sp), rest = sp == std::string::npos ? "" : trim(row.substr(sp));
            if (file.group.empty()) {
                if (kind != "group" || rest.empty() || rest.find_first_of(" \t|") != std::string::npos)
                    throw std::runtime_error("the first row must be \"group NAME\"");
                file.group = rest;
                return;
            }
            if (kind == "def") {
                size_t eq = rest.find('=');
                if (eq == std::string::npos) throw std::runtime_error("def without =");
                defs[trim(rest.substr(0, eq))] = PatternParser(defs).parse(rest.substr(eq + 1));
                return;
            }
            const KindRow* k = findKind(kind);
            if (!k) throw std::runtime_error("unknown step kind '" + kind + "'");
            Step st;
            st.where = strf("%s:%d", file.name.c_str(), at);
            st.kind = kind;
            st.cols = splitBars(rest);
            if (st.cols.size() < k->minCols || st.cols.size() > k->maxCols)
                throw std::runtime_error(strf("%s takes %zu columns, this row has %zu", k->name, k->maxCols,
                                              st.cols.size()));
            k->parse(st, defs);
            file.steps.push_back(std::move(st));
        } catch (const std::exception& e) {
            throw Abort{strf("%s line %d: %s", file.name.c_str(), at, e.what())};
        }
    };
    std::istringstream in(content);
    std::string raw, pending;
    int lineNo = 0, pendingLine = 0;
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
    if (file.group.empty()) throw Abort{file.name + ": no \"group NAME\" row"};
    return file;
}

// Runs the files of one group in one program session.
void runGroup(const std::wstring& exe, const std::string& group, const std::vector<StepsFile>& files)
{
    for (const StepsFile& f : files)
        if (f.group != group) throw Abort{f.name + " belongs to group " + f.group + ", not " + group};
    Session s(exe, g_captureDir);
    s.start();
    for (const StepsFile& f : files) {
        for (const Step& st : f.steps) {
            g_where = st.where;
            s.ready();
            trace("%s %s", st.kind.c_str(), st.label().c_str());
            try {
                findKind(st.kind)->run(s, st);
            } catch (const std::runtime_error& e) {
                fail(st.label(), e.what());
            }
        }
        g_where = f.name;
        if (!s.stack.empty()) fail(f.name, "ends with \"" + s.stack.back().title + "\" still open");
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--lengths") {
        try {
            for (const Step& st : loadSteps(argv[2]).steps)
                if (st.kind == "press" || st.kind == "box")
                    printf("%s: %s: %zu bytes\n", st.where.c_str(), st.label().c_str(), st.pattern.size());
        } catch (const Abort& a) {
            printf("%s\n", a.why.c_str());
            return 1;
        }
        return 0;
    }
    if (argc < 6) {
        fprintf(stderr, "usage: driver.exe <program.exe> <capture dir> <artifact dir> <group> <steps file>...\n");
        return 2;
    }
    g_trace = _wgetenv(L"E2E_TRACE") != nullptr;
    std::wstring exe = argv[1];
    g_captureDir = argv[2];
    std::wstring artifacts = argv[3];
    std::string group = narrow(argv[4]);
    g_log = _wfopen((artifacts + L"\\driver.log").c_str(), L"ab");
    out("== group %s\n", group.c_str());
    auto began = Clock::now();

    try {
        std::vector<StepsFile> files;
        for (int i = 5; i < argc; ++i) files.push_back(loadSteps(argv[i]));
        runGroup(exe, group, files);
    } catch (const Abort& a) {
        fail("group " + group, a.why + " (its remaining steps were skipped)");
    }
    if (programRunning()) TerminateProcess(g_process, 1);
    out("group %s: %d passed, %d failed (%.1f s)\n", group.c_str(), g_passed, g_failed,
        std::chrono::duration<double>(Clock::now() - began).count());
    int rc = g_failed || !g_passed ? 1 : 0;
    writeWholeFile(g_captureDir + L"\\driver.rc", strf("%d\n", rc));
    if (g_log) fclose(g_log);
    return rc;
}
