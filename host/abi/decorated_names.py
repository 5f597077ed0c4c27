#!/usr/bin/env python3
"""The host API's Windows names, made from the host API headers alone.

The real host is built by Microsoft's compiler and exports its API under
Microsoft's decorated names (`?oapiGetSysStep@@YANXZ`); our Windows build is
made by MinGW's g++, which names the same functions the Itanium way
(`_Z14oapiGetSysStepv`) and calls them the same way (cdecl functions,
thiscall members). clang reads the headers once for each target and says how
each declaration is named there; declared in the same order, the two readings
pair up one to one. The Microsoft names are clang's exactly, as Microsoft's
compiler writes them: a returned pointer's own `const` is part of the name
(`?GetHandle@VESSEL@@QBEQAXXZ`), though an undecorated export list does not
show it. From the pairs come:

  --imports FILE  a dlltool definition that makes the module's calls import
                  the decorated names from orbiter.exe (ITANIUM == DECORATED);
  --exports FILE  a linker definition that makes the host stand-in export
                  the decorated names as aliases of its own (DECORATED = ITANIUM).

    decorated_names.py --clang CLANG --include DIR [--include DIR]...
                       [--imports FILE] [--exports FILE]
"""
import argparse
import json
import subprocess
import sys

MSVC_TARGET = "i686-pc-windows-msvc"
MINGW_TARGET = "i686-w64-mingw32"
FUNCTION_KINDS = ("FunctionDecl", "CXXMethodDecl", "CXXConstructorDecl")

def declarations(clang, includes, target):
    """Every function the headers declare without defining, in order: (name, type, mangled)."""
    command = [clang, "--target=" + target, "-x", "c++", "-std=c++17", "-fsyntax-only",
               "-nostdinc", "-nostdinc++", "-Xclang", "-ast-dump=json", "-"]
    for directory in includes:
        command[1:1] = ["-I", directory]
    result = subprocess.run(command, input="#include <Orbitersdk.h>\n", capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("decorated_names: clang could not read the headers for %s:\n%s" % (target, result.stderr))
    found = []

    def walk(node):
        if node.get("kind") in FUNCTION_KINDS and "mangledName" in node and not node.get("isImplicit"):
            defined = any(child.get("kind") == "CompoundStmt" for child in node.get("inner", []))
            if not defined and node.get("inline") is not True:
                found.append((node["name"], node["type"]["qualType"], node["mangledName"]))
        for child in node.get("inner", []):
            walk(child)

    walk(json.loads(result.stdout))
    return found


def paired_names(clang, includes):
    """(Itanium name as the linker writes it, decorated name) for every declaration."""
    decorated = declarations(clang, includes, MSVC_TARGET)
    itanium = declarations(clang, includes, MINGW_TARGET)
    if len(decorated) != len(itanium):
        sys.exit("decorated_names: the two readings differ in length (%d, %d)" % (len(decorated), len(itanium)))
    pairs = []
    for (name, qual_type, msvc), (other_name, other_type, gnu) in zip(decorated, itanium):
        if (name, qual_type) != (other_name, other_type):
            sys.exit("decorated_names: %s %s does not pair with %s %s" % (name, qual_type, other_name, other_type))
        # The object files' C names carry one leading underscore on i686;
        # definition files are written without it.
        gnu = gnu[1:]
        pairs.append((gnu, msvc))
        # g++ names a constructor twice (complete and base object); both are
        # the one constructor the host exports.
        if "C1E" in gnu:
            pairs.append((gnu.replace("C1E", "C2E", 1), msvc))
    return pairs


def write(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--clang", required=True)
    parser.add_argument("--include", action="append", required=True)
    parser.add_argument("--imports")
    parser.add_argument("--exports")
    options = parser.parse_args()
    pairs = paired_names(options.clang, options.include)
    if options.imports:
        write(options.imports, ["LIBRARY orbiter.exe", "EXPORTS"] + ["  %s == %s" % pair for pair in pairs])
    if options.exports:
        exported = dict((msvc, gnu) for gnu, msvc in pairs)
        write(options.exports, ["EXPORTS"] + ["  %s = %s" % item for item in exported.items()])


if __name__ == "__main__":
    main()
