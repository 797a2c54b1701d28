// Finds the arguments in a process's command line: platform-free, so the
// start-up code's one piece of parsing is tested natively.
#pragma once

// The rest of `commandLine` after the program's own name and the blanks
// and tabs around it. A quoted name ends at its closing quote, or at the
// end of the line if it has none. Null for a null command line.
const char* commandLineTail(const char* commandLine);
