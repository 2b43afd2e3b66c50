#include "tools/output.h"

#include <cstdio>

namespace tabla {

bool writeOut(std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && !std::ferror(stdout);
}

bool finishOutput() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

} // namespace tabla
