#pragma once

// Whether stderr is a terminal (progress is shown only there).
bool StderrIsTerminal();
// Standard input reads bytes unchanged (Windows would translate CR LF).
void SetStdinBinary();
