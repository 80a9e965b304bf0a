// SPDX-License-Identifier: MIT
#include "finding_filter.h"

#include "messages.h"

#include <algorithm>

namespace qxrfanuc::cli {

CheckSet silenced_on(std::string_view line) {
    CheckSet silenced;
    const auto comment = line.find("//");
    if (comment == std::string_view::npos) {
        return silenced;
    }
    for (auto at = line.find(silencing_mark, comment); at != std::string_view::npos;
         at = line.find(silencing_mark, at + 1)) {
        std::string_view names = line.substr(at + silencing_mark.size());
        names = names.substr(0, names.find_first_of(" \t\r\n"));
        while (!names.empty()) {
            const auto comma = std::min(names.find(','), names.size());
            for (const auto& info : checks) {
                if (info.name == names.substr(0, comma)) {
                    silenced.set(static_cast<std::size_t>(info.check));
                }
            }
            names.remove_prefix(std::min(comma + 1, names.size()));
        }
    }
    return silenced;
}

bool FindingFilter::shows(Check check, const CheckSet& silenced) const {
    const bool kept = selected.empty() || std::ranges::find(selected, check) != selected.end();
    return kept && std::ranges::find(ignored, check) == ignored.end() &&
           !silenced.test(static_cast<std::size_t>(check));
}

std::expected<std::vector<Check>, std::string> checks_named(std::string_view names) {
    std::vector<Check> named;
    for (bool more = true; more;) {
        const auto comma = std::min(names.find(','), names.size());
        const std::string_view name = names.substr(0, comma);
        std::size_t row = 0;
        while (row < checks.size() && checks.at(row).name != name) {
            ++row;
        }
        if (row == checks.size()) {
            return std::unexpected("unknown check " + quoted(name) + "; --help lists the checks");
        }
        named.push_back(checks.at(row).check);
        more = comma < names.size();
        names.remove_prefix(std::min(comma + 1, names.size()));
    }
    return named;
}

} // namespace qxrfanuc::cli
