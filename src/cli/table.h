#pragma once
// Text in columns, for the terminal.

#include <string>
#include <vector>

namespace velmaron::cli {

// The rows with every column but the last padded to its widest cell (counted in characters,
// not bytes), two blanks apart; each row ended by a line break.
std::string Columns(const std::vector<std::vector<std::string>>& rows);

// A CSV field: quoted where it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

} // namespace velmaron::cli
