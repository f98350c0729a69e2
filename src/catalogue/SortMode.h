#pragma once

namespace quillomat {

// The order the user chose in the sort-by box.
enum class SortMode
{
    SortByName = 0,
    SortByCategory = 1,
    SortByCompany = 2,
    SortBySearch = 3
};

} // namespace quillomat
