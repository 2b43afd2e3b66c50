#pragma once
// The standard streams and the arguments of a console program (the table tool).

#include <string>
#include <vector>

namespace platform {

// POSIX: keeps file descriptors 0, 1 and 2 taken, so a table or lock file opened later never lands on them (a
// closed stdout would otherwise be some file the tool writes its output into); a closed stdout or stderr
// stays unwritable. Windows: the streams carry bytes as they are, without line-end translation or an end at
// ^Z.
void prepareStandardStreams();

// The arguments after the program's name, in UTF-8. Windows takes them from the UTF-16 command line: the
// narrow one would have lost every letter outside the system's code page.
std::vector<std::string> arguments(int argc, char** argv);

} // namespace platform
