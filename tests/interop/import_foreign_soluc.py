#!/usr/bin/python3
"""The import run over a SOLUC written by other programs' writers:
python3-dbf as dBase III (numeric and character day and hour) and as Visual
FoxPro (integer fields), and GDAL's ogr2ogr, also with a NULL day, which GDAL
(like shapelib) writes as asterisks and which is a class not placed, in each
numeric form it writes. Each time, the sample school is exported, the
foreign SOLUC is put beside its tables and ZARP_HORARIO.TXT must hold
exactly the expected records.

    import_foreign_soluc.py TRANSVARDELZARP SAMPLE_SCHOOL

Exit status 0, 1 with the differences, 77 when a writer is missing.
"""
import os
import shutil
import subprocess
import sys
import tempfile

try:
    import dbf
except ImportError as e:  # pragma: no cover - depends on the machine
    print(f"SKIP: {sys.executable} lacks python3-dbf ({e})", file=sys.stderr)
    sys.exit(77)

FIELDS = ["DIA", "HORA", "MARCO", "PROF", "CODGRUPO", "TAREA", "ASIG", "AULA"]
ROWS = [
    (1, 1, "0", "AGM", "1ESOA", "*LEC", "LCL", "AULA101"),
    (0, 2, "0", "JLP", "1ESOA", "*LEC", "MAT", "AULA101"),   # not placed: not written
    (2, 3, "0", "JLP", "1BACA", "*TUT", "MAT", "LABCIEN"),
    (5, 6, "0", "AGM", "", "*GUA", "", "PATIO"),
    (3, 4, "1", "ECB", "2esoa", "MUS", "MUS", "MUSICA"),    # frame 1: no slot; lower-case group
]
# Slot codes of the sample school: day d, hour h -> (d - 1) * 6 + h.
EXPECTED = [
    "100011AGM 1A  LEC LCL A101",
    "100092JLP 1BA TUT MAT LAB ",
    "100305AGM     GUA     PATI",
    "1    3ECB 2eso    MUS MUS ",  # MUS is a subject: its task code is empty
]


def python_dbf(path, layout, dbf_type, text_numbers=False):
    table = dbf.Table(path, layout, dbf_type=dbf_type, codepage="cp1252")
    table.open(dbf.READ_WRITE)
    for row in ROWS:
        row = tuple(str(v) if text_numbers and i < 2 else v for i, v in enumerate(row))
        table.append(row)
    table.close()


# A class with no day: NULL in the CSV, asterisks in the table.
NULL_DAY = (None, 2, "0", "JLP", "1ESOA", "*LEC", "MAT", "AULA101")


def gdal(path, day_type="Integer", rows=ROWS):
    if not shutil.which("ogr2ogr"):
        raise FileNotFoundError("ogr2ogr (gdal-bin)")
    folder = os.path.dirname(path)
    csv = os.path.join(folder, "soluc.csv")
    with open(csv, "w", encoding="ascii") as f:
        f.write(",".join(FIELDS) + "\n")
        for row in rows:
            f.write(",".join("" if v is None else str(v) for v in row) + "\n")
    with open(csv + "t", "w", encoding="ascii") as f:
        f.write(day_type + ",Integer,String(1),String(4),String(10),String(10),String(10),"
                "String(10)\n")
    subprocess.run(["ogr2ogr", "-f", "ESRI Shapefile", path, csv], check=True,
                   capture_output=True)
    if any(v is None for row in rows for v in row):
        with open(path, "rb") as f:
            if b"**" not in f.read():
                raise AssertionError("ogr2ogr wrote no asterisks for the NULL day")


WRITERS = {
    "python3-dbf, dBase III, numeric day and hour": lambda p: python_dbf(
        p, "DIA N(1,0); HORA N(2,0); MARCO C(1); PROF C(4); CODGRUPO C(10); TAREA C(10); "
           "ASIG C(10); AULA C(10)", "db3"),
    "python3-dbf, dBase III, character day and hour": lambda p: python_dbf(
        p, "DIA C(2); HORA C(3); MARCO C(2); PROF C(4); CODGRUPO C(10); TAREA C(10); "
           "ASIG C(10); AULA C(10)", "db3", text_numbers=True),
    "python3-dbf, Visual FoxPro, integer day and hour": lambda p: python_dbf(
        p, "DIA I; HORA I; MARCO C(1); PROF C(4); CODGRUPO C(10); TAREA C(10); ASIG C(10); "
           "AULA C(10)", "vfp"),
    "GDAL ogr2ogr": gdal,
}
for _day_type in ("Integer", "Integer64", "Real", "Real(5.1)"):
    WRITERS[f"GDAL ogr2ogr, NULL day as {_day_type}"] = (
        lambda p, t=_day_type: gdal(p, t, ROWS + [NULL_DAY]))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    tool, samples = sys.argv[1:]
    problems = []
    for name, write in WRITERS.items():
        with tempfile.TemporaryDirectory() as scratch:
            zarp, vtemp = os.path.join(scratch, "zarp"), os.path.join(scratch, "vtemp")
            shutil.copytree(samples, zarp)
            os.remove(os.path.join(zarp, "SOLUC.DBF"))
            os.mkdir(vtemp)
            subprocess.run([tool, "exportar", zarp, "--vtemp", vtemp], check=True,
                           capture_output=True)
            try:
                write(os.path.join(vtemp, "SOLUC.DBF" if "GDAL" not in name else "soluc.dbf"))
            except FileNotFoundError as e:
                print(f"SKIP: {e} is missing", file=sys.stderr)
                return 77
            run = subprocess.run([tool, "importar", zarp, "--vtemp", vtemp], capture_output=True)
            if run.returncode != 0:
                problems.append(f"{name}: importar exited {run.returncode}: "
                                f"{run.stderr.decode('utf-8', 'replace')}")
                continue
            with open(os.path.join(zarp, "ZARP_HORARIO.TXT"), "rb") as f:
                lines = f.read().decode("cp1252").split("\r\n")
            data = lines[1:-2]
            if data != EXPECTED or not lines[-2].endswith("4") or lines[-1] != "":
                problems.append(f"{name}:\n    read:     {lines}\n    expected: {EXPECTED}")
            else:
                print(f"{name}: {len(data)} records as expected")
    for p in problems:
        print("DIFFERENCE: " + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
