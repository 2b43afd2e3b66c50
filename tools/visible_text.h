#pragma once
// Text in messages as the user can see it: characters that show nothing, and bytes that are no UTF-8, are
// written by their code.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tabla {

// `text` (UTF-8 as read) between „ and ”, with each invisible character as <U+XXXX> and each undecodable
// byte as <0xXX>.
std::string quotedVisible(std::string_view text);

// The first character of a text field that no table may hold: a control character (a zero byte included,
// typed raw or as \t, \n or \r) or a byte that is no UTF-8. `offset` is where it starts in the field.
struct BadCharacter
{
    std::size_t offset;
    std::string message;
};
std::optional<BadCharacter> findBadCharacter(std::string_view field);

// Characters (not bytes) in `text` before `offset`: the column a message names is counted as the user sees
// it.
std::size_t charactersBefore(std::string_view text, std::size_t offset);

} // namespace tabla
