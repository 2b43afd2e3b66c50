#pragma once
// An in-memory player register in name order under the Hungarian collation; names are given and read in
// UTF-8.

#include "storage/collation.h"
#include "storage/cp1250.h"
#include "storage/schemas.h"
#include "storage/table.h"

#include <gtest/gtest.h>

#include <string>

namespace storage::testing {

class PlayerTableTest : public ::testing::Test
{
protected:
    Table t {playerColumns()};

    void SetUp() override
    {
        collation::useLocale("hu_HU");
        configurePlayerRegister(t);
        t.open(); // no file path: kept in memory only
    }
    Table::RecordId add(const std::string& utf8Name, int total = 0, int rounds = 0)
    {
        t.append();
        t.setString(player::Nev, cp1250::fromUtf8(utf8Name));
        t.setInt(player::OsszPont, total);
        t.setInt(player::Jatszott, rounds);
        t.post();
        return t.currentRecordId().value();
    }
    std::string current() { return cp1250::toUtf8(t.asString(player::Nev)); }
};

} // namespace storage::testing
