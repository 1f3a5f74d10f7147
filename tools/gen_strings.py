#!/usr/bin/env python3
"""Generates the builtin string table (C++) and the .rc STRINGTABLE from strings.tsv.

usage: gen_strings.py strings.tsv out.cpp out.rc
The C++ table holds UTF-8 bytes; the .rc file is UTF-8 and is compiled with code page
65001, so LoadStringA hands out the texts in the process's ANSI code page.
"""
import sys


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            key, text = line.split("\t", 1)
            rows.append((int(key), text.replace("\\n", "\n")))
    return rows


def c_literal(text):
    out = []
    for b in text.encode("utf-8"):
        if b == 0x22 or b == 0x5C:
            out.append("\\" + chr(b))
        elif 0x20 <= b < 0x7F:
            out.append(chr(b))
        else:
            out.append("\\%03o" % b)
    return '"' + "".join(out) + '"'


def rc_literal(text):
    return '"' + text.replace('"', '""').replace("\n", "\\n") + '"'


def main():
    src, out_cpp, out_rc = sys.argv[1:4]
    rows = read_table(src)
    with open(out_cpp, "w", encoding="utf-8") as f:
        f.write("// Generated from resources/strings.tsv by tools/gen_strings.py. Do not edit.\n")
        f.write('#include "common/Strings.h"\n\n#include <iterator>\n\nnamespace zu {\nnamespace {\n')
        f.write("struct Entry { int id; const char* text; };\nconstexpr Entry kTable[] = {\n")
        for key, text in rows:
            f.write("    {%d, %s},\n" % (key, c_literal(text)))
        f.write("};\n}  // namespace\n\n")
        f.write("std::string BuiltinStrings::load(int id) const {\n")
        f.write("    for (const Entry& e : kTable)\n        if (e.id == id) return e.text;\n")
        f.write("    return {};\n}\n\n}  // namespace zu\n")
    with open(out_rc, "w", encoding="utf-8") as f:
        f.write("// Generated from resources/strings.tsv by tools/gen_strings.py. Do not edit.\n")
        f.write("STRINGTABLE\nBEGIN\n")
        for key, text in rows:
            f.write("    %d %s\n" % (key, rc_literal(text)))
        f.write("END\n")


if __name__ == "__main__":
    main()
