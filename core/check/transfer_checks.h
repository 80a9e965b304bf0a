// SPDX-License-Identifier: MIT
#pragma once

// What a transfer covers, and the checks on it that its inputs alone decide, wherever the inputs come from
// (a script's statement, the command line, a plan): values outside the window's hints, an odd QXR register,
// and the transfers before it that it meets. A transfer of N items from register F of a type covers that
// type's registers F to F+N-1, and fills (a read) or sends (a write) the QXR registers 2I to 2I+W-1, where I
// is its QXR index and W its word count (2 per R item, 12 per PR item). An R item and a PR item never meet.

#include "checks.h"
#include "latest_cover.h"
#include "statement_text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qxrfanuc {

// The generator's inputs a transfer has.
struct DecodedInputs {
    std::int16_t qxr;
    std::int16_t fanuc;
    std::int16_t items;
    RegisterType type;
    bool qxr_from_comment = false; // a comment named it; else twice the index, one of the registers that fit
};

struct TransferSpans {
    RegisterType registers; // General or Position: the unnamed type's registers are the position registers
    RegisterSpan fanuc;
    RegisterSpan qxr;
};

// The spans of a transfer of one or more items; none for fewer.
[[nodiscard]] std::optional<TransferSpans> spans_of(const DecodedInputs& inputs);

struct Transfer {
    DecodedInputs inputs;
    bool is_write = false;
    std::size_t line = 0;
};

class TransferChecks {
public:
    using Report = std::function<void(Check, std::string)>;

    // The most transfers held by default, so that memory stays bounded however many come (a stream of
    // records): more than any script under the size limit holds.
    static constexpr std::size_t most_held = std::size_t{1} << 22U;

    // With reads_meet_writes off, a read and a write never meet: for transfers printed both ways.
    explicit TransferChecks(bool reads_meet_writes = true, std::size_t held = most_held)
        : reads_meet_writes_(reads_meet_writes), held_(held) {}

    // The transfer's findings, in the order of the table of checks, against the transfers added before it.
    void check(const Transfer& transfer, const Report& report) const;
    // Holds the transfer for the checks of those after it; false, holding nothing, once as many as the
    // constructor allows are held.
    bool add(const Transfer& transfer);

private:
    // A transfer held: its inputs, from which its spans follow, so that it takes 16 bytes.
    struct Held {
        std::size_t line;
        DecodedInputs inputs;
    };
    struct Met {
        std::size_t line;
        TransferSpans spans;
    };
    [[nodiscard]] std::optional<Met> latest(const LatestCover& cover, RegisterSpan span) const;
    // The cover of the writes to the registers' type, const or not as the checks are.
    template <typename Checks> static auto& fanuc_writes(Checks& checks, RegisterType registers) {
        return registers == RegisterType::General ? checks.general_writes_ : checks.position_writes_;
    }

    bool reads_meet_writes_;
    std::size_t held_;
    std::vector<Held> held_transfers_;
    LatestCover general_writes_{-8192, 24575}; // R registers -8191 to 8191, and up to 16383 items after
    LatestCover position_writes_{-8192, 24575};
    LatestCover qxr_reads_{-32768, 65535}; // 2 x -16384 to 2 x 16383 + 32767
    LatestCover qxr_writes_{-32768, 65535};
};

} // namespace qxrfanuc
