#!/usr/bin/env python3
"""A module DLL's imports from orbiter.exe, byte for byte against the names
Microsoft's compiler gives the host SDK's own declarations.

The host's export list is undecorated text, which cannot tell a returned
pointer's own `const` (`Q`) from a plain one (`P`); the loader can. So every
function the SDK's headers declare is decorated by clang's Microsoft mangling
(`--target=i686-pc-windows-msvc`), and each import must be one of those
names exactly.

    check-decorated-imports.py DLL SDK_INCLUDE SYSTEM_INCLUDE
"""
import json
import os
import re
import subprocess
import sys
import tempfile

FUNCTION_KINDS = ("FunctionDecl", "CXXMethodDecl", "CXXConstructorDecl", "CXXDestructorDecl")


def imports_from_host(dll):
    """The names the DLL imports from orbiter.exe, in table order."""
    table = subprocess.run(["i686-w64-mingw32-objdump", "-p", dll], capture_output=True, text=True, check=True).stdout
    names, from_host = [], False
    for line in table.splitlines():
        if "DLL Name:" in line:
            from_host = line.split()[-1].lower() == "orbiter.exe"
        elif from_host and re.match(r"\t[0-9a-f]+\t", line):
            names.append(line.split()[-1])
    return names


def declared_names(source, sdk_include, system_include):
    """The decorated name of every function `source` declares, with the SDK's folders at hand."""
    with tempfile.TemporaryDirectory() as shim:
        # The SDK includes its Lua header as "lua\\lua.h", which clang reads
        # as a folder and a file for a Windows target.
        os.mkdir(os.path.join(shim, "lua"))
        with open(os.path.join(shim, "lua", "lua.h"), "w") as lua:
            lua.write('#include "%s/Lua/lua.h"\n' % sdk_include)
        command = ["clang++-14", "--target=i686-pc-windows-msvc", "-std=c++17", "-fsyntax-only", "-nostdlibinc",
                   "-isystem", system_include, "-I", shim, "-I", sdk_include,
                   "-Xclang", "-ast-dump=json", "-x", "c++", "-"]
        result = subprocess.run(command, input=source, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("clang could not read the SDK's headers:\n" + result.stderr[-3000:])
    names = set()
    stack = [json.loads(result.stdout)]
    while stack:
        node = stack.pop()
        if node.get("kind") in FUNCTION_KINDS and "mangledName" in node:
            names.add(node["mangledName"])
        stack.extend(node.get("inner", []))
    return names


def sdk_names(sdk_include, system_include):
    """Every function the SDK declares, under the name Microsoft's compiler gives it: what the
    SDK's headers declare, less what the system headers standing in for Windows' declare."""
    prelude = "class ATMOSPHERE;\nclass Instrument_User;\n#include <Orbitersdk.h>\n"
    system = "".join("#include <%s>\n" % name for name in sorted(os.listdir(system_include))
                     if os.path.isfile(os.path.join(system_include, name)))
    return (declared_names(prelude, sdk_include, system_include)
            - declared_names(system, sdk_include, system_include))


def main():
    dll, sdk_include, system_include = sys.argv[1:4]
    imports = imports_from_host(dll)
    declared = sdk_names(os.path.abspath(sdk_include), os.path.abspath(system_include))
    foreign = [name for name in imports if name not in declared]
    for name in foreign:
        print("  not a name the SDK declares: " + name)
    print("%s: %d imports from orbiter.exe, %d byte for byte names of the SDK's declarations (of %d)"
          % (os.path.basename(dll), len(imports), len(imports) - len(foreign), len(declared)))
    sys.exit(1 if foreign or not imports else 0)


if __name__ == "__main__":
    main()
