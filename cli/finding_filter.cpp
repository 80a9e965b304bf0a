// SPDX-License-Identifier: MIT
#include "finding_filter.h"

#include "messages.h"

#include <algorithm>
#include <optional>

namespace qxrfanuc::cli {

namespace {

// The check of the table with the name, if there is one.
std::optional<Check> check_called(std::string_view name) {
    for (const auto& info : checks) {
        if (info.name == name) {
            return info.check;
        }
    }
    return std::nullopt;
}

} // namespace

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
            if (const auto check = check_called(names.substr(0, comma))) {
                silenced.set(static_cast<std::size_t>(*check));
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
        const auto check = check_called(name);
        if (!check) {
            return std::unexpected("unknown check " + quoted(name) + "; --help lists the checks");
        }
        named.push_back(*check);
        more = comma < names.size();
        names.remove_prefix(std::min(comma + 1, names.size()));
    }
    return named;
}

} // namespace qxrfanuc::cli
