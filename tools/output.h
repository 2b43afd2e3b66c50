#pragma once
// The tool's standard output, every write checked: a full disk, a closed pipe or a closed stdout is an error.

#include <string_view>

namespace tabla {

// Writes to stdout; false once any write has failed.
bool writeOut(std::string_view text);
// Flushes stdout; false when it or any earlier write failed or came up short.
bool finishOutput();

} // namespace tabla
