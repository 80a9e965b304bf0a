# SPDX-License-Identifier: MIT
"""Checks the findings documents that validate-sarif.sh made.

Usage: check_findings_documents.py SCHEMA DIRECTORY

Every FILE.sarif in DIRECTORY must be strict UTF-8 JSON that the SARIF 2.1.0 schema accepts, every FILE.json
strict UTF-8 JSON with the document's four members. The logs named clean*.sarif must hold no result, and
those named every*.sarif together a result of every rule their tool lists, so that no check goes unvalidated.
Prints each fault and exits with 1 if there was one.
"""

import json
import pathlib
import sys

import jsonschema


def load_strictly(path):
    """The JSON in path; invalid UTF-8, a NaN or a repeated member name are faults, not quietly read."""

    def refuse_repeats(pairs):
        names = [name for name, _ in pairs]
        if len(names) != len(set(names)):
            raise ValueError(f"a member name repeated in one object: {names}")
        return dict(pairs)

    def refuse_constant(name):
        raise ValueError(f"{name} is not JSON")

    text = path.read_bytes().decode("utf-8")
    return json.loads(text, object_pairs_hook=refuse_repeats, parse_constant=refuse_constant)


def sarif_faults(validator, path, log):
    faults = [f"{path}: {'/'.join(map(str, error.absolute_path))}: {error.message}"
              for error in validator.iter_errors(log)]
    results = [result for run in log.get("runs", []) for result in run.get("results", [])]
    if path.name.startswith("clean") and results:
        faults.append(f"{path}: {len(results)} results in a clean script's log")
    return faults, results


def main(schema_path, directory):
    schema = json.loads(pathlib.Path(schema_path).read_text(encoding="utf-8"))
    validator = jsonschema.Draft202012Validator(schema, format_checker=jsonschema.FormatChecker())
    faults, rules, every_rule_seen = [], set(), set()
    directory = pathlib.Path(directory)
    for path in sorted(directory.glob("*.sarif")):
        try:
            log = load_strictly(path)
        except ValueError as error:
            faults.append(f"{path}: not strict UTF-8 JSON: {error}")
            continue
        found, results = sarif_faults(validator, path, log)
        faults += found
        if path.name.startswith("every"):
            rules |= {rule["id"] for run in log["runs"] for rule in run["tool"]["driver"]["rules"]}
            every_rule_seen |= {result["ruleId"] for result in results}
    if not rules or rules - every_rule_seen:
        faults.append(f"no result in every*.sarif for the rules {sorted(rules - every_rule_seen) or 'at all'}")
    for path in sorted(directory.glob("*.json")):
        try:
            document = load_strictly(path)
            members = ["findings", "summary", "unread_files", "version"]
            if sorted(document) != members:
                faults.append(f"{path}: members {sorted(document)}, not {members}")
        except ValueError as error:
            faults.append(f"{path}: not strict UTF-8 JSON: {error}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
