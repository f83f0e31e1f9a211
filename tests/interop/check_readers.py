#!/usr/bin/python3
"""Reads every .DBF table in a folder with three independent readers
(dbfread, python3-dbf and GDAL's ogrinfo) and compares what they read with
what the table store reads (dbfdump's JSON): field names, types, sizes and
every value.

    check_readers.py --dbfdump PATH FOLDER

Exit status: 0 when all agree; 1 with a list of the disagreements; 77 when
/usr/bin/python3 lacks dbfread or dbf, or ogrinfo is missing (test skipped).

Known differences between the readers, allowed for here:
  * python3-dbf returns C values right-padded and field names in lower case;
  * GDAL decodes language driver 0x57 as ISO-8859-1 (so bytes 0x80-0x9F come
    back as U+0080-U+009F), trims leading blanks too, returns blank strings
    as null and logicals as the stored letter;
  * the table store gives numbers with at most 15 significant digits, so
    numbers are compared at that precision.
"""
import argparse
import datetime
import glob
import json
import os
import re
import shutil
import subprocess
import sys

try:
    import dbf
    import dbfread
except ImportError as e:  # pragma: no cover - depends on the machine
    print(f"SKIP: {sys.executable} lacks a reader module ({e}); "
          "install python3-dbfread and python3-dbf", file=sys.stderr)
    sys.exit(77)

SKIP = 77


def ours(dbfdump, path):
    out = subprocess.run([dbfdump, path], capture_output=True, check=False)
    if out.returncode != 0:
        raise RuntimeError(f"dbfdump {path}: {out.stderr.decode('utf-8', 'replace').strip()}")
    return json.loads(out.stdout.decode("utf-8"))


def same_number(mine, theirs):
    """mine: the table store's text or None; theirs: a number, its text, or None."""
    if theirs is None or mine is None:
        return theirs is None and mine is None
    try:
        return float(mine) == float("%.15g" % float(theirs))
    except ValueError:
        return False


def as_logical(mine):
    return {"Verdadero": True, "Falso": False, None: None}.get(mine, "?")


def as_date(mine):
    if mine is None or mine == "":
        return None
    return datetime.datetime.strptime(mine, "%d/%m/%Y").date()


def same_value(ftype, mine, theirs):
    if ftype in ("C", "V"):
        return mine == theirs
    if ftype in ("N", "F", "I", "+", "O", "B", "Y"):
        return same_number(mine, theirs)
    if ftype == "L":
        return as_logical(mine) == theirs
    if ftype == "D":
        return as_date(mine) == theirs
    return True  # types the other readers decode differently are not compared


class Report:
    def __init__(self):
        self.problems = []

    def fields(self, table, reader, mine, theirs):
        if mine != theirs:
            self.problems.append(f"{table}: {reader}: fields differ\n"
                                 f"    ours:   {mine}\n    theirs: {theirs}")
            return False
        return True

    def records(self, table, reader, doc, rows, compare):
        mine = doc["records"]
        if len(mine) != len(rows):
            self.problems.append(f"{table}: {reader}: {len(rows)} records, ours {len(mine)}")
            return
        for n, (a, b) in enumerate(zip(mine, rows)):
            for field, x, y in zip(doc["fields"], a, b):
                if not compare(field["type"], x, y):
                    self.problems.append(
                        f"{table}: {reader}: record {n + 1} field {field['name']}: "
                        f"ours {x!r}, theirs {y!r}")


def check_dbfread(report, table, path, doc):
    t = dbfread.DBF(path, char_decode_errors="strict")
    fields = [[f.name, f.type, f.length, f.decimal_count] for f in t.fields]
    expected = [[f["name"], f["type"], f["length"], f["decimals"]] for f in doc["fields"]]
    if report.fields(table, "dbfread", expected, fields):
        rows = [[rec[f.name] for f in t.fields] for rec in t]
        report.records(table, "dbfread", doc, rows, same_value)


def check_python_dbf(report, table, path, doc):
    t = dbf.Table(path)
    t.open(dbf.READ_ONLY)
    try:
        names = list(t.field_names)
        fields = []
        for name in names:
            ftype, size, dec, _ = t.field_info(name)
            ftype = chr(ftype) if isinstance(ftype, int) else str(ftype)
            fields.append([name.upper(), ftype, size, dec])
        expected = [[f["name"], f["type"], f["length"], f["decimals"]] for f in doc["fields"]]
        if report.fields(table, "python3-dbf", expected, fields):
            rows = []
            for rec in t:
                if dbf.is_deleted(rec):
                    continue
                row = []
                for name in names:
                    v = rec[name]
                    if isinstance(v, str):
                        v = v.rstrip(" ")
                    elif v is not None and not isinstance(v, (int, float, datetime.date)):
                        v = None if v == dbf.Unknown else bool(v)  # dbf's logical types
                    row.append(v)
                rows.append(row)
            report.records(table, "python3-dbf", doc, rows, same_value)
    finally:
        t.close()


FIELD_LINE = re.compile(r"^([^\s:][^:]*): (\w+) \((\d+)\.(\d+)\)$")
VALUE_LINE = re.compile(r"^  (.+?) \((\w+)\) = (.*)$")


def gdal_schema(field):
    t, width, dec = field["type"], field["length"], field["decimals"]
    if t in ("C", "L"):
        return [field["name"], "String", width, 0]
    if t in ("N", "F"):
        if dec > 0:
            return [field["name"], "Real", width, dec]
        return [field["name"], "Integer" if width < 10 else "Integer64", width, 0]
    return [field["name"], t, width, dec]


def gdal_latin1(mine):
    """What GDAL gives for the table store's text: cp1252 bytes read as ISO-8859-1."""
    return mine.encode("cp1252").decode("latin-1")


def gdal_same_value(ftype, mine, theirs):
    if ftype in ("C", "V"):
        return gdal_latin1(mine or "").strip(" ") == (theirs or "")
    if ftype == "L":
        if theirs is None or theirs in ("?", ""):
            return mine is None
        return as_logical(mine) == (theirs in ("T", "t", "Y", "y"))
    if ftype == "D":
        return as_date(mine) == (None if theirs is None else
                                 datetime.datetime.strptime(theirs, "%Y/%m/%d").date())
    return same_value(ftype, mine, theirs)


def check_gdal(report, table, path, doc):
    out = subprocess.run(["ogrinfo", "-ro", "-al", path], capture_output=True, check=False)
    if out.returncode != 0:
        report.problems.append(f"{table}: GDAL: ogrinfo failed: {out.stderr.decode().strip()}")
        return
    fields, rows, row = [], [], None
    for line in out.stdout.decode("utf-8").split("\n"):
        if line.startswith("OGRFeature("):
            row = []
            rows.append(row)
        elif row is None:
            m = FIELD_LINE.match(line)
            if m:
                fields.append([m.group(1), m.group(2), int(m.group(3)), int(m.group(4))])
        else:
            m = VALUE_LINE.match(line)
            if m:
                value = m.group(3)
                row.append(None if value == "(null)" else value)
    expected = [gdal_schema(f) for f in doc["fields"]]
    if report.fields(table, "GDAL", expected, fields):
        report.records(table, "GDAL", doc, rows, gdal_same_value)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--dbfdump", required=True)
    parser.add_argument("folder")
    args = parser.parse_args()
    if shutil.which("ogrinfo") is None:
        print("SKIP: ogrinfo (gdal-bin) is not installed", file=sys.stderr)
        return SKIP
    tables = sorted(p for p in glob.glob(os.path.join(args.folder, "*"))
                    if p.upper().endswith(".DBF"))
    if not tables:
        print(f"no .DBF table in {args.folder}", file=sys.stderr)
        return 1
    report = Report()
    for path in tables:
        table = os.path.basename(path)
        doc = ours(args.dbfdump, path)
        for check in (check_dbfread, check_python_dbf, check_gdal):
            try:
                check(report, table, path, doc)
            except Exception as e:  # a reader that fails on the table is a disagreement
                report.problems.append(f"{table}: {check.__name__}: {type(e).__name__}: {e}")
        print(f"{table}: {len(doc['fields'])} fields, {len(doc['records'])} records compared")
    if report.problems:
        print("DISAGREEMENTS:", file=sys.stderr)
        for p in report.problems:
            print("  " + p, file=sys.stderr)
        return 1
    print(f"all readers agree on {len(tables)} tables")
    return 0


if __name__ == "__main__":
    sys.exit(main())
