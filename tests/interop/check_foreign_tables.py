#!/usr/bin/python3
"""Tables written by another writer (make_foreign_tables.py, python3-dbf) are
read by the table store (dbfdump) with the expected fields and values.

    check_foreign_tables.py DBFDUMP

Exit status 0, 1 with the differences, 77 when python3-dbf is missing.
"""
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
try:
    import make_foreign_tables
except ImportError as e:  # pragma: no cover - depends on the machine
    print(f"SKIP: {sys.executable} lacks python3-dbf ({e})", file=sys.stderr)
    sys.exit(77)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    dbfdump = sys.argv[1]
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        make_foreign_tables.write_tables(folder)
        for table, (fields, rows) in sorted(make_foreign_tables.EXPECTED.items()):
            out = subprocess.run([dbfdump, os.path.join(folder, table)], capture_output=True)
            if out.returncode != 0:
                problems.append(f"{table}: dbfdump failed: {out.stderr.decode('utf-8', 'replace')}")
                continue
            doc = json.loads(out.stdout.decode("utf-8"))
            got = [[f["name"], f["type"], f["length"], f["decimals"]] for f in doc["fields"]]
            if got != fields:
                problems.append(f"{table}: fields\n    read:     {got}\n    expected: {fields}")
            for n, (a, b) in enumerate(zip(doc["records"], rows)):
                if a != b:
                    problems.append(f"{table}: record {n + 1}\n    read:     {a}\n    expected: {b}")
            if len(doc["records"]) != len(rows):
                problems.append(f"{table}: {len(doc['records'])} records read, {len(rows)} expected")
            print(f"{table}: {len(doc['records'])} records checked")
    if problems:
        print("DIFFERENCES:", file=sys.stderr)
        for p in problems:
            print("  " + p, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
