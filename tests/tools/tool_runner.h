#pragma once
// Runs the built table tool with the given arguments and standard input, in a given folder.

#include "storage/temp_folder.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace tabla::testing {

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline ToolRun runTool(const storage::testing::TempFolder& folder, const std::string& arguments,
                       const std::string& input = "")
{
    const std::string in = folder.path() + "/../" + "tabla-in-" + std::to_string(::getpid());
    const std::string out = in + ".out", err = in + ".err";
    storage::testing::writeBytes(in, input);
    std::string command = "cd " + shellQuoted(folder.path()) + " && " + shellQuoted(BRUMVELDA_TABLA) + " "
        + arguments + " <" + shellQuoted(in) + " >" + shellQuoted(out) + " 2>" + shellQuoted(err);
    int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = storage::testing::readBytes(out);
    run.err = storage::testing::readBytes(err);
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

} // namespace tabla::testing
