#include "plugins/PluginCatalogue.h"

#include "app/Helpers.h"

const PluginRecord* PluginCatalogue::at(PluginKind kind, int row) const {
    const auto& records = list(kind);
    return row >= 0 && row < static_cast<int>(records.size()) ? &records[static_cast<std::size_t>(row)] : nullptr;
}

int FindPluginRow(const std::vector<PluginRecord>& list, const std::string& fileName, bool ignoreCase) {
    const std::string wanted = ignoreCase ? LowerCase(fileName) : fileName;
    for (std::size_t row = 0; row < list.size(); ++row)
        if ((ignoreCase ? LowerCase(list[row].fileName) : list[row].fileName) == wanted) return static_cast<int>(row);
    return -1;
}
