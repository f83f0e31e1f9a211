#!/usr/bin/python3
"""check_chm.py <ZARP.chm> <ZARP.hhp> [<src dir>]

Checks the compiled help with the chmlib tools: every page of the project is
in the file, with the contents and the index; every link of the contents, the
index and the pages leads to a page that is there; every page is reachable
from the contents; and help context 3 maps to the main window's page under a
"/page.htm" path (no build-machine path), as HTML Help looks it up. With the
source folder, every message the runs show to the user ("No existe ...",
"Proceso finalizado"), every fixed part of the table store's messages
about a table ("está dañada: ", "la cabecera promete ") and every kind of
warning of the run report ("duplicado", "sin_horas", ...) must be explained
in some page.
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

MAIN_WINDOW_CONTEXT = 3
MAIN_WINDOW_PAGE = "/ventana_principal.htm"


def project_sections(hhp_path):
    sections, current = {}, None
    with open(hhp_path, encoding="cp1252") as f:
        for raw in f:
            line = raw.strip()
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], [])
            elif line and current is not None:
                current.append(line)
    return sections


def context_map(folder):
    """{context number: topic path} from #IVB and #STRINGS."""
    with open(os.path.join(folder, "#IVB"), "rb") as f:
        ivb = f.read()
    with open(os.path.join(folder, "#STRINGS"), "rb") as f:
        strings = f.read()
    (size,) = struct.unpack_from("<I", ivb, 0)
    if size != len(ivb) - 4 or size % 8:
        raise AssertionError(f"#IVB: byte count {size} does not fit {len(ivb)} bytes")
    result = {}
    for pos in range(4, 4 + size, 8):
        context, offset = struct.unpack_from("<II", ivb, pos)
        end = strings.index(b"\0", offset)
        result[context] = strings[offset:end].decode("cp1252")
    return result


def local_links(sitemap_text):
    return re.findall(r'<param\s+name="Local"\s+value="([^"]+)"', sitemap_text, re.I)


def run_messages(src_dir):
    """The fixed texts the runs show: Show("...") and RequiredInput's message."""
    pattern = re.compile(r'(?:\.Show|RequiredInput)\(\s*(?:\w+,\s*"[^"]*",\s*)?"((?:[^"\\]|\\.)*)"')
    texts = set()
    for sub in ("export", "import"):
        folder = os.path.join(src_dir, sub)
        for name in sorted(os.listdir(folder)):
            if name.endswith(".cpp"):
                with open(os.path.join(folder, name), encoding="latin-1") as f:
                    for literal in pattern.findall(f.read()):
                        texts.add(re.sub(r"\\x([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)),
                                         literal))
    return texts


def table_texts(src_dir):
    """The fixed parts of the table store's messages about a whole table
    (src/tables/dbf_texts.cpp): each string literal, adjacent ones joined,
    blanks at its ends stripped."""
    with open(os.path.join(src_dir, "tables", "dbf_texts.cpp"), encoding="latin-1") as f:
        code = "".join(line for line in f if not line.lstrip().startswith("#"))
    literal = r'"(?:[^"\\]|\\.)*"'
    texts = set()
    for run in re.findall(literal + r"(?:\s*" + literal + r")*", code):
        text = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', run))
        text = re.sub(r"\\x([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)), text).strip()
        if len(text) >= 4:
            texts.add(text)
    return texts


def report_kinds(src_dir):
    """The names of the report's warning kinds, as src/core/report.cpp spells them."""
    with open(os.path.join(src_dir, "core", "report.cpp"), encoding="latin-1") as f:
        text = f.read()
    # Each row of the table of kinds starts with its enumerator and its name.
    return re.findall(r'\{k[A-Za-z]+, "([a-z_]+)"', text)


def page_text(html_text):
    import html
    return " ".join(html.unescape(re.sub(r"<[^>]+>", " ", html_text)).split())


def main():
    chm, hhp = sys.argv[1], sys.argv[2]
    src_dir = sys.argv[3] if len(sys.argv) > 3 else None
    failures = []

    def check(ok, what):
        if not ok:
            failures.append(what)

    sections = project_sections(hhp)
    options = dict(line.split("=", 1) for line in sections["OPTIONS"] if "=" in line)
    contents, index = options["Contents file"], options["Index file"]
    pages = [p for p in sections["FILES"] if p.lower().endswith((".htm", ".html"))]

    listing = subprocess.run(["enum_chmLib", chm], check=True, capture_output=True).stdout
    names = {line.split()[-1].decode("cp1252") for line in listing.splitlines()[3:] if line.split()}
    for name in pages + sections["FILES"] + [contents, index]:
        check("/" + name in names, f"/{name} missing from the .chm")
    for special in ("/#IVB", "/#STRINGS", "/#SYSTEM", "/#TOPICS", "/#WINDOWS", "/$WWKeywordLinks/BTree"):
        check(special in names, f"{special} missing from the .chm")

    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["extract_chmLib", chm, out], check=True, capture_output=True)

        toc = open(os.path.join(out, contents), encoding="cp1252").read()
        idx = open(os.path.join(out, index), encoding="cp1252").read()
        toc_links, idx_links = local_links(toc), local_links(idx)
        check(len(idx_links) >= 20, f"index has only {len(idx_links)} entries")
        for link in toc_links + idx_links:
            check("/" + link in names, f"contents/index link {link} leads nowhere")
        help_text = ""
        for page in pages:
            check(page in toc_links, f"{page} is not in the contents")
            text = open(os.path.join(out, page), encoding="cp1252").read()
            help_text += page_text(text) + " "
            check(re.search(r"<title>[^<]+</title>", text) is not None, f"{page} has no title")
            for href in re.findall(r'href="([^"#:]+)(?:#[^"]*)?"', text):
                check("/" + href in names, f"{page} links to missing {href}")

        contexts = context_map(out)
        check(contexts.get(MAIN_WINDOW_CONTEXT) == MAIN_WINDOW_PAGE,
              f"context {MAIN_WINDOW_CONTEXT} maps to {contexts.get(MAIN_WINDOW_CONTEXT)!r}, "
              f"not {MAIN_WINDOW_PAGE!r}")
        for context, topic in contexts.items():
            check(re.fullmatch(r"/[^/]+\.htm", topic) is not None and topic in names,
                  f"context {context} maps to {topic!r}, not a page of the .chm")

        messages = set()
        if src_dir:
            messages = run_messages(src_dir)
            check(len(messages) >= 9, f"only {len(messages)} run messages found in {src_dir}")
            table = table_texts(src_dir)
            check(len(table) >= 5, f"only {len(table)} table store texts found in {src_dir}")
            messages |= table
            for message in sorted(messages):
                check(message in help_text, f"message {message!r} is not explained in the help")
            kinds = report_kinds(src_dir)
            check(len(kinds) >= 13, f"only {len(kinds)} warning kinds found in {src_dir}")
            for kind in kinds:
                check(re.search(r"\b" + kind + r"\b", help_text) is not None,
                      f"warning kind {kind!r} is not explained in the help")

        with open(os.path.join(out, "#SYSTEM"), "rb") as f:
            system = f.read()
        for name in (contents, index):
            check(name.encode() in system, f"#SYSTEM does not name {name}")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(pages)} pages, contexts {sorted(contexts)}, "
          f"{len(messages) if src_dir else 'no'} run messages checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
