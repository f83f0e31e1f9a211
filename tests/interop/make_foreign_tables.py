#!/usr/bin/python3
"""Writes SOLUC-like timetable tables with another writer (python3-dbf), in
the flavours a timetabling program may leave: dBase III with numeric DIA and
HORA, dBase III with character DIA and HORA, and Visual FoxPro (integer DIA,
nullable text, binary numbers, currency, date-time). cp1252 text throughout.

    make_foreign_tables.py FOLDER

EXPECTED holds, for each table, the fields and records as the table store
must read them (names, type letters, lengths, decimals; text forms, null
for a blank value of a non-string field).
"""
import datetime
import os
import sys

import dbf

SOLUC_TEXT = "MARCO C(1); PROF C(4); CODGRUPO C(10); TAREA C(4); ASIG C(6); AULA C(6)"
TEXT_FIELDS = [["MARCO", "C", 1, 0], ["PROF", "C", 4, 0], ["CODGRUPO", "C", 10, 0],
               ["TAREA", "C", 4, 0], ["ASIG", "C", 6, 0], ["AULA", "C", 6, 0]]

TEXT_ROWS = [
    ["A", "P001", "1\u00baESO-A", "LEC", "MAT", "A-12"],
    ["B", "P002", "2\u00baBACH-B", "GUA", "ING", "Aula \u00f1"],
    ["A", "P003", "X", "", "EF", ""],
    ["", "\u20acuro", "\u00d1and\u00fa", "T\u00bd", "\u00c1\u00c9\u00cd", "\u0152"],
]
DELETED_TEXT = ["A", "P009", "BORRADO", "LEC", "MAT", "A-1"]

EXPECTED = {
    "SOLUC3N.DBF": (
        [["DIA", "N", 1, 0], ["HORA", "N", 2, 0]] + TEXT_FIELDS,
        [["1", "1"] + TEXT_ROWS[0], ["5", "12"] + TEXT_ROWS[1], ["0", "3"] + TEXT_ROWS[2],
         ["3", None] + TEXT_ROWS[3]],
    ),
    "SOLUC3C.DBF": (
        [["DIA", "C", 1, 0], ["HORA", "C", 2, 0]] + TEXT_FIELDS,
        [["1", "1"] + TEXT_ROWS[0], ["5", "12"] + TEXT_ROWS[1], ["0", "3"] + TEXT_ROWS[2],
         ["3", ""] + TEXT_ROWS[3]],
    ),
    "SOLUCV.DBF": (
        [["DIA", "I", 4, 0], ["HORA", "N", 2, 0]] + TEXT_FIELDS +
        [["HORAS", "B", 8, 0], ["IMPORTE", "Y", 8, 0], ["CUANDO", "T", 8, 0],
         ["ACTIVO", "L", 1, 0], ["FECHA", "D", 8, 0]],
        [["1", "1"] + TEXT_ROWS[0] + ["2.25", "1234.25", "05/03/2024 08:30:00", "Verdadero",
                                      "05/03/2024"],
         ["-7", "12"] + TEXT_ROWS[1][:5] + [""] +
         ["-0.5", "-3.5", "31/12/1999 23:59:59", "Falso", "31/12/1999"]],
    ),
}


def _write(path, layout, dbf_type, rows, deleted=None):
    table = dbf.Table(path, layout, dbf_type=dbf_type, codepage="cp1252")
    table.open(dbf.READ_WRITE)
    try:
        for i, row in enumerate(rows):
            if deleted is not None and i == 1:
                table.append(deleted)
                dbf.delete(table[-1])
            table.append(row)
    finally:
        table.close()


def write_tables(folder):
    numeric = [(1, 1), (5, 12), (0, 3), (3, None)]
    _write(os.path.join(folder, "SOLUC3N.DBF"), "DIA N(1,0); HORA N(2,0); " + SOLUC_TEXT, "db3",
           [n + tuple(t) for n, t in zip(numeric, TEXT_ROWS)],
           deleted=(2, 2) + tuple(DELETED_TEXT))
    character = [("1", "1"), ("5", "12"), ("0", "3"), ("3", "")]
    _write(os.path.join(folder, "SOLUC3C.DBF"), "DIA C(1); HORA C(2); " + SOLUC_TEXT, "db3",
           [c + tuple(t) for c, t in zip(character, TEXT_ROWS)],
           deleted=("2", "2") + tuple(DELETED_TEXT))
    _write(os.path.join(folder, "SOLUCV.DBF"),
           "DIA I; HORA N(2,0); " + SOLUC_TEXT.replace("AULA C(6)", "AULA C(6) NULL") +
           "; HORAS B; IMPORTE Y; CUANDO T; ACTIVO L; FECHA D", "vfp",
           [(1, 1) + tuple(TEXT_ROWS[0]) +
            (2.25, 1234.25, datetime.datetime(2024, 3, 5, 8, 30), True, datetime.date(2024, 3, 5)),
            (-7, 12) + tuple(TEXT_ROWS[1][:5]) + (None,) +
            (-0.5, -3.5, datetime.datetime(1999, 12, 31, 23, 59, 59), False,
             datetime.date(1999, 12, 31))])


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    write_tables(sys.argv[1])
