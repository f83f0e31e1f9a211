#!/usr/bin/python3
"""Writes sample tables through the table store (write_sample_tables) into a
scratch folder and checks them with check_readers.py.

    run_written_tables.py WRITE_SAMPLE_TABLES DBFDUMP
"""
import os
import subprocess
import sys
import tempfile


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    writer, dbfdump = sys.argv[1:]
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([writer, folder], check=True)
        return subprocess.run([sys.executable, os.path.join(here, "check_readers.py"),
                               "--dbfdump", dbfdump, folder]).returncode


if __name__ == "__main__":
    sys.exit(main())
