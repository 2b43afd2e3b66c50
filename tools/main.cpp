// brumvelda-tabla: looks into, checks and fills the game's two table files without the game.
#include "tools/commands.h"
#include "tools/help_text.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

int usageError(const std::string& message)
{
    std::fprintf(stderr, "brumvelda-tabla: %s\nSegítség: brumvelda-tabla --help\n", message.c_str());
    return tabla::ExitUsage;
}

std::string quoted(const std::string& text) { return "\xE2\x80\x9E" + text + "\xE2\x80\x9D"; }

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError("hiányzik a parancs (check, dump vagy import)");
    if (args[0] == "--help" || args[0] == "-h") {
        std::fwrite(tabla::HelpText.data(), 1, tabla::HelpText.size(), stdout);
        return tabla::ExitOk;
    }

    const std::string& command = args[0];
    if (command != "check" && command != "dump" && command != "import")
        return usageError("ismeretlen parancs: " + quoted(command));
    if (args.size() < 2)
        return usageError("a(z) " + command + " parancs után meg kell adni a fájlt");
    if (args.size() > 2)
        return usageError("fölösleges argumentum: " + quoted(args[2]));

    const std::string& path = args[1];
    std::optional<tabla::TableKind> kind = tabla::tableKindOf(path);
    if (!kind)
        return usageError(
            path + ": a fájl kiterjesztése .lis (feladványlista) vagy .jat (játékosnyilvántartás) legyen");

    if (command == "check")
        return tabla::runCheck(*kind, path);
    if (command == "dump")
        return tabla::runDump(*kind, path);
    return tabla::runImport(*kind, path);
}
