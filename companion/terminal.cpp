#include "terminal.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }
void SetStdinBinary() { _setmode(_fileno(stdin), _O_BINARY); }
#else
#include <unistd.h>

bool StderrIsTerminal() { return ::isatty(2) != 0; }
void SetStdinBinary() {}
#endif
