#pragma once
// Tables as the catalogue hands them out: copies, never references into it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wf::standin {

using FieldValue = std::optional<std::string>;  // nothing = NULL

struct TableRow {
    std::uint32_t id = 0;  // stable while the server runs; cursors refer to rows by it
    std::vector<FieldValue> values;
};

struct TableSnapshot {
    std::string name;
    std::vector<std::string> columns;
    std::vector<TableRow> rows;
    std::optional<std::size_t> identityColumn = std::nullopt;  // the server numbers it; no client may set it

    // Position of a column, found without regard to case.
    std::optional<std::size_t> columnIndex(std::string_view column) const;
};

}  // namespace wf::standin
