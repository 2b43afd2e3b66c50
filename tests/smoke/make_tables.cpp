// Prepares and inspects the program folder's table files for the smoke test and the start-up benchmark.
//   make_tables write FOLDER PUZZLES [PLAYER]   puzzle list of PUZZLES records (and a register with PLAYER)
//   make_tables count FOLDER                    prints "puzzles=N players=M"
#include "storage/file_names.h"
#include "storage/paths.h"
#include "storage/schemas.h"
#include "storage/table.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

void closeWritten(storage::Table& table)
{
    const storage::SaveOutcome saved = table.close();
    if (!saved.ok())
        throw std::runtime_error(saved.error);
}

std::string puzzleText(int n)
{
    // Varied letters so the records are not all alike; 39 characters at most.
    static const char* const words[] = {"ALMA", "K\xD6RTE", "SZILVA", "BARACK", "DI\xD3", "MOGYOR\xD3"};
    std::string text = words[n % 6];
    text += ' ';
    text += words[(n / 6) % 6];
    text += ' ';
    text += words[(n / 36) % 6];
    return text.substr(0, 39);
}

void writeTables(const std::string& folder, int puzzles, const char* player)
{
    storage::Table list(storage::puzzleColumns());
    list.setFilePath(storage::pathIn(folder, storage::PuzzleListFile));
    list.open();
    for (int n = 0; n < puzzles; ++n) {
        list.append();
        list.setString(storage::puzzle::Szoveg, puzzleText(n));
        list.setInt(storage::puzzle::Nyelv, 1 + n % 2);
        list.setString(storage::puzzle::Sugo1, n % 3 ? "Gy\xFCm\xF6lcs" : "");
        list.setString(storage::puzzle::Sugo2, "");
        list.setInt(storage::puzzle::Fokozat, 1 + n % 4);
        list.setInt(storage::puzzle::Kategoria, 1 + n % 16);
        list.post();
    }
    closeWritten(list);
    if (!player)
        return;
    storage::Table players(storage::playerColumns());
    storage::configurePlayerRegister(players);
    players.setFilePath(storage::pathIn(folder, storage::PlayerRegisterFile));
    players.open();
    players.append();
    players.setString(storage::player::Nev, player);
    players.setInt(storage::player::OsszPont, 120);
    players.setInt(storage::player::Jatszott, 4);
    players.post();
    closeWritten(players);
}

int count(storage::Table& table, const std::string& path)
{
    table.setFilePath(path);
    table.open();
    const int n = table.recordCount();
    table.closeWithoutSaving(); // read only: nothing is written back
    return n;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        const std::string command = argc > 2 ? argv[1] : "";
        if (command == "write" && argc >= 4) {
            writeTables(argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : nullptr);
            return 0;
        }
        if (command == "count" && argc == 3) {
            storage::Table list(storage::puzzleColumns());
            storage::Table players(storage::playerColumns());
            storage::configurePlayerRegister(players);
            const int puzzles = count(list, storage::pathIn(argv[2], storage::PuzzleListFile));
            const int registered = count(players, storage::pathIn(argv[2], storage::PlayerRegisterFile));
            std::printf("puzzles=%d players=%d\n", puzzles, registered);
            return 0;
        }
        std::fprintf(stderr, "usage: make_tables write FOLDER PUZZLES [PLAYER] | count FOLDER\n");
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_tables: %s\n", error.what());
        return 1;
    }
}
