#!/usr/bin/python3
"""Writes the sample school: the ZARP files of a small, fictitious secondary
school (IES Río Almar) and a SOLUC timetable as the timetabling program would
compute it. The school's data is not clean, as real data rarely is: every
kind of warning of the run report shows up in it (see README.md). Run with
Debian's /usr/bin/python3 (python3-dbf) from this folder:

    /usr/bin/python3 make_samples.py

The files are committed; this script documents how they were made.
"""
import os

import dbf

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "escuela")
CENTRE = "05000123"
STAMP = "150920250812"


def col(text, width):
    """Left-justified in a fixed width (cut when longer)."""
    return text[:width].ljust(width)


def write(name, records):
    lines = ["0" + col(name, 50) + col(CENTRE, 8) + STAMP]
    lines += records
    lines.append("9" + col(name, 50) + col(CENTRE, 8) + STAMP + str(len(records)))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


SUBJECTS = [  # code, long code, name
    ("LCL", "LENGUA-CAST", "Lengua Castellana y Literatura"),
    ("MAT", "MATEMATICAS", "Matemáticas"),
    ("ING", "INGLES", "Primera Lengua Extranjera: Inglés"),
    ("GEH", "GEOGRAFIA-HISTORIA", "Geografía e Historia"),
    ("BYG", "BIOLOGIA-GEOLOGIA", "Biología y Geología"),
    ("FYQ", "FISICA-QUIMICA", "Física y Química"),
    ("EF", "EDUCACION-FISICA", "Educación Física"),
    ("MUS", "MUSICA", "Música"),
    ("TEC", "TECNOLOGIA", "Tecnología y Digitalización"),
    ("REL", "RELIGION", "Religión / Atención Educativa"),
    ("FIL", "FILOSOFIA", "Filosofía: Historia del pensamiento occidental, de la Grecia clásica a "
     "la filosofía contemporánea, con comentario de textos"),
    ("mat", "MATEMATICAS-DUP", "Matemáticas (línea repetida en minúsculas)"),
]
ACTIVITIES = [  # code, name, task code
    ("GUA", "Guardia de pasillo y patio", "GUA"),
    ("REU", "Reunión de departamento", "REU"),
    ("TUT", "Tutoría con familias", "TUT"),
]
TEACHERS = [  # abbreviation, name, department
    ("AGM", "Ana García Martín", "Lengua Castellana y Literatura"),
    ("JLP", "José Luis Pérez Sánchez", "Matemáticas"),
    ("MRN", "María Rodríguez Núñez", "Inglés"),
    ("CFL", "Carmen Fernández López", "Geografía e Historia"),
    ("PGS", "Pablo Gómez Sáez", "Biología y Geología"),
    ("LMR", "Lucía Martínez Ruiz", "Física y Química"),
    ("JIH", "Javier Iglesias Hernández", "Educación Física"),
    ("ECB", "Elena Castro Blanco", "Música"),
    ("RDV", "Raúl Díaz Vega", "Tecnología"),
    ("SOT", "Sofía Ortega Torres", "Religión"),
    ("agm", "Ana García (repetida en minúsculas)", "Lengua Castellana y Literatura"),
    # Name longer than PROFT.NOMBRE (80), department longer than PROFT.DEPART (40).
    ("IRM", "María Inmaculada de los Remedios Ramos-Villaverde Montes de Oca y García de la Torre",
     "Orientación y Atención a la Diversidad del Alumnado"),
]
ROOMS = [  # abbreviation, short, name
    ("AULA101", "A101", "Aula 101 - primera planta"),
    ("AULA102", "A102", "Aula 102 - primera planta"),
    ("AULA201", "A201", "Aula 201 - segunda planta"),
    ("AULA202", "A202", "Aula 202 - segunda planta"),
    ("LABCIEN", "LAB", "Laboratorio de Ciencias"),
    ("GIMNASIO", "GIM", "Gimnasio y pista polideportiva"),
    ("MUSICA", "MUS", "Aula de Música"),
    ("TALLER", "TAL", "Taller de Tecnología"),
    # Name longer than AULAT.NOMBRE (80).
    ("BIBLIO", "BIB", "Biblioteca y sala de estudio de la planta baja, junto a la conserjería y la "
     "sala de profesores"),
]
GROUPS = [  # unit, short, level, course, label, shift
    ("1ESOA", "1A", "ESO", "1", "1º ESO A", "M"),
    ("1ESOB", "1B", "ESO", "1", "1º ESO B", "M"),
    ("2ESOA", "2A", "ESO", "2", "2º ESO A", "M"),
    ("1BACA", "1BA", "BAC", "1", "1º Bach A", "MAÑ"),
    ("PMAR", "PM", "", "2", "Diversif.", "M"),
]
CURRICULUM = {  # (level, course) -> {subject: hours text}
    ("ESO", "1"): {"LCL": "4", "MAT": "4", "ING": "4", "GEH": "3", "BYG": "3", "EF": "2",
                   "MUS": "2,5", "TEC": "2", "REL": "1"},
    ("ESO", "2"): {"LCL": "4", "MAT": "4", "ING": "3", "GEH": "3", "FYQ": "3", "EF": "2",
                   "MUS": "2", "TEC": "2.5", "REL": "0,5"},  # below 1: raised to 1
    ("BAC", "1"): {"LCL": "3", "MAT": "4", "ING": "3", "FIL": "3", "FYQ": "4", "BYG": "4",
                   "EF": "2", "REL": " "},
}
SUBJECT_TEACHER = {"LCL": "AGM", "MAT": "JLP", "ING": "MRN", "GEH": "CFL", "BYG": "PGS",
                   "FYQ": "LMR", "EF": "JIH", "MUS": "ECB", "TEC": "RDV", "REL": "SOT",
                   "FIL": "CFL"}
SUBJECT_ROOM = {"EF": "GIMNASIO", "MUS": "MUSICA", "TEC": "TALLER", "BYG": "LABCIEN",
                "FYQ": "LABCIEN"}
# Assignments of a group the groups file lacks (no level, course nor hours).
UNKNOWN_GROUP_ASSIGNMENTS = [("3ESOC", "MAT"), ("3ESOC", "LCL")]
# Slots: one with a day letter that is none of L M X J V S D, one that ends
# before it starts (both at start times of the week, so no hour moves).
ODD_SLOTS = [("Q", "0830", "0925"), ("S", "1335", "1300")]
GROUP_ROOM = {"1ESOA": "AULA101", "1ESOB": "AULA102", "2ESOA": "AULA201", "1BACA": "AULA202",
              "PMAR": "AULA9"}
DAYS = "LMXJV"
TIMES = [("0830", "0925"), ("0925", "1020"), ("1020", "1115"), ("1145", "1240"),
         ("1240", "1335"), ("1335", "1430")]


def main():
    os.makedirs(HERE, exist_ok=True)
    write("ZARP_ASIGNAT.TXT",
          ["1" + col(c, 4) + col(l, 20) + n for c, l, n in SUBJECTS])
    write("ZARP_ACTIVIDADES.TXT",
          ["1" + col(c, 4) + col(n, 60) + col(t, 3) for c, n, t in ACTIVITIES])
    write("ZARP_PROF.TXT",
          ["1" + col(a, 4) + col(n, 90) + d for a, n, d in TEACHERS])
    write("ZARP_AULAS.TXT",
          ["1" + col(a, 10) + col(s, 4) + " " * 70 + n for a, s, n in ROOMS])
    write("ZARP_GRUPO.TXT",
          ["1" + col(u, 10) + col(s, 4) + col(lv, 3) + "   " + col(c, 3) + col(lb, 10) + col(sh, 3)
           for u, s, lv, c, lb, sh in GROUPS])
    assignments = []
    for unit, _, level, course, _, _ in GROUPS:
        plan = CURRICULUM.get((level or "ESO", course), {})
        for subject in plan:
            assignments.append("1" + col(unit, 10) + "    " + col(subject, 4))
    for unit, subject in UNKNOWN_GROUP_ASSIGNMENTS:
        assignments.append("1" + col(unit, 10) + "    " + col(subject, 4))
    write("ZARP_ASIGNATGRUPO.TXT", assignments)
    hours = []
    for (level, course), plan in CURRICULUM.items():
        for subject, h in plan.items():
            hours.append("1" + col(level, 3) + "   " + col(course, 3) + " " * 13 + col(subject, 4)
                         + col(h, 6))
    write("ZARP_ASIGNATCURSO.TXT", hours)
    slots = []
    number = 0
    for day in DAYS:
        for start, end in TIMES:
            number += 1
            slots.append("1" + "   " + "%04d" % number + day + start + end)
    for day, start, end in ODD_SLOTS:
        number += 1
        slots.append("1" + "   " + "%04d" % number + day + start + end)
    write("ZARP_SESIONES.TXT", slots)
    # The activities file once more, its name in small letters: the run reads
    # ZARP_ACTIVIDADES.TXT and says so (same bytes, so any reader is right).
    with open(os.path.join(HERE, "ZARP_ACTIVIDADES.TXT"), "rb") as f:
        activities = f.read()
    with open(os.path.join(HERE, "zarp_actividades.txt"), "wb") as f:
        f.write(activities)
    write_soluc()


def write_soluc():
    path = os.path.join(HERE, "SOLUC.DBF")
    table = dbf.Table(path, "DIA N(1,0); HORA N(2,0); MARCO C(1); PROF C(4); CODGRUPO C(10); "
                      "TAREA C(10); ASIG C(10); AULA C(10)", dbf_type="db3", codepage="cp1252")
    table.open(dbf.READ_WRITE)
    for unit, _, level, course, _, _ in GROUPS[:4]:
        plan = list(CURRICULUM[(level, course)])
        slot = 0
        for subject in plan:
            for _ in range(2):
                day, hour = divmod(slot, len(TIMES))
                slot += 1
                room = SUBJECT_ROOM.get(subject, GROUP_ROOM[unit])
                table.append((day + 1, hour + 1, "0", SUBJECT_TEACHER[subject], unit, "*LEC",
                              subject, room))
    # An activity, a group and a room the tables do not know, and a lesson the
    # timetable could not place (day 0).
    table.append((5, 6, "0", "AGM", "", "*GUA", "", "PATIO"))
    table.append((5, 5, "0", "JLP", "3ESOC", "*LEC", "MAT", "AULA301"))
    table.append((0, 0, "0", "MRN", "1ESOA", "*LEC", "ING", "AULA101"))
    # An hour the week does not have (no slot), and another unknown group.
    table.append((4, 7, "0", "ECB", "2ESOA", "*LEC", "MUS", "MUSICA"))
    table.append((3, 2, "0", "SOT", "4ESOA", "*LEC", "REL", "AULA101"))
    table.close()


if __name__ == "__main__":
    main()
