# On Windows the module is the DLL the real host loads. The real host is
# orbiter.exe, built by Microsoft's compiler: it exports its API under
# Microsoft's decorated names. From the host API headers come both sides of
# that contract (decorated_names.py):
# - orbiter_imports, an import library through which the module's calls
#   import the decorated names from orbiter.exe;
# - the host stand-in itself, built as orbiter.exe, exporting those names as
#   aliases of its own beside everything else it has (for the bench), so that
#   every Windows test goes through the import table the real host resolves.
find_program(GV_CLANGXX NAMES clang++-14 clang++ REQUIRED)
find_program(GV_PYTHON NAMES python3 REQUIRED)
find_program(GV_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)

set(names_dir ${CMAKE_CURRENT_BINARY_DIR}/abi)
set(imports_def ${names_dir}/orbiter-imports.def)
set(exports_def ${names_dir}/orbiter-exports.def)
set(imports_lib ${names_dir}/liborbiter-imports.a)
file(GLOB api_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/include/*.h)
add_custom_command(OUTPUT ${imports_def} ${exports_def}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${names_dir}
  COMMAND ${GV_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/abi/decorated_names.py --clang ${GV_CLANGXX}
          --include ${CMAKE_CURRENT_SOURCE_DIR}/abi --include ${CMAKE_CURRENT_SOURCE_DIR}/include
          --imports ${imports_def} --exports ${exports_def}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/abi/decorated_names.py ${CMAKE_CURRENT_SOURCE_DIR}/abi/windows.h ${api_headers}
  COMMENT "Naming the host API as orbiter.exe exports it")
add_custom_command(OUTPUT ${imports_lib}
  COMMAND ${GV_DLLTOOL} -d ${imports_def} -l ${imports_lib}
  DEPENDS ${imports_def})
add_custom_target(orbiter_names DEPENDS ${imports_lib} ${exports_def})

add_library(orbiter_imports INTERFACE)
target_link_libraries(orbiter_imports INTERFACE ${imports_lib})
add_dependencies(orbiter_imports orbiter_names)

# A DLL under the real host's name; the linker exports everything it has,
# the decorated aliases too, but not the compiler's runtime linked into it:
# each program has its own.
set_target_properties(vesselhost PROPERTIES OUTPUT_NAME orbiter SUFFIX .exe LINK_DEPENDS ${exports_def})
target_link_options(vesselhost PRIVATE -Wl,--export-all-symbols
                    -Wl,--exclude-libs=libgcc.a:libgcc_eh.a:libstdc++.a:libwinpthread.a:libpthread.a ${exports_def})
add_dependencies(vesselhost orbiter_names)
