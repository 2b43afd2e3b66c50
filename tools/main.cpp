// brumvelda-tabla: looks into, checks and fills the game's three table files without the game.
#include "platform/console.h"
#include "tools/commands.h"
#include "tools/help_text.h"
#include "tools/output.h"

#include <chrono>
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

bool parseSeed(const std::string& text, std::optional<uint32_t>& seed)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long long value = std::stoull(text);
    if (value > 4294967295ULL)
        return false;
    seed = uint32_t(value);
    return true;
}

int run(std::vector<std::string> args)
{
    if (args.empty())
        return usageError("hiányzik a parancs (check, dump, import vagy shuffle)");
    if (args[0] == "--help" || args[0] == "-h") {
        const bool written = tabla::writeOut(tabla::HelpText);
        if (tabla::finishOutput() && written)
            return tabla::ExitOk;
        std::fprintf(stderr, "brumvelda-tabla: a kimenet nem írható ki\n");
        return tabla::ExitFailure;
    }

    const std::string command = args[0];
    // shuffle takes "--seed N" before its file: the same seed gives the same order.
    std::optional<uint32_t> seed;
    if (command == "shuffle" && args.size() >= 2 && args[1] == "--seed") {
        if (args.size() < 3 || !parseSeed(args[2], seed))
            return usageError("a --seed után 0 és 4294967295 közötti egész szám álljon");
        args.erase(args.begin() + 1, args.begin() + 3);
    }
    if (command != "check" && command != "dump" && command != "import" && command != "shuffle")
        return usageError("ismeretlen parancs: " + quoted(command));
    if (args.size() < 2)
        return usageError("a(z) " + command + " parancs után meg kell adni a fájlt");
    if (args.size() > 2)
        return usageError("fölösleges argumentum: " + quoted(args[2]));

    const std::string& path = args[1];
    std::optional<tabla::TableKind> kind = tabla::tableKindOf(path);
    if (!kind)
        return usageError(
            path
            + ": a fájl kiterjesztése .lis (feladványlista), .jat (játékosnyilvántartás) vagy .tor "
              "(a körök naplója) legyen");

    if (command == "check")
        return tabla::runCheck(*kind, path);
    if (command == "dump")
        return tabla::runDump(*kind, path);
    if (command == "shuffle")
        return tabla::runShuffle(
            *kind, path,
            seed ? *seed : uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
    return tabla::runImport(*kind, path);
}

} // namespace

int main(int argc, char** argv)
{
    platform::prepareStandardStreams();
    try {
        return run(platform::arguments(argc, argv));
    } catch (const std::exception& error) {
        // Whatever went wrong (out of memory included) ends the tool with a message, never an abort.
        std::fprintf(stderr, "brumvelda-tabla: %s\n", error.what());
        return tabla::ExitFailure;
    }
}
