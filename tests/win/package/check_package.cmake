cmake_minimum_required(VERSION 3.25)
# The package as a game author receives it: cpack makes the ZIP, unpacked into an empty folder,
# and everything below takes its headers, library, module and programs from there only:
#   (a) the sample game built from samples/dice with find_package(ZorvGame), then the package's
#       demo script run with it (check-demo.cmake);
#   (b) a tiny game built with the README's g++ line, run with a script of its own, and a DLL
#       built with it that refers to every function the library's header declares;
#   the package's zorvdesk --help, and no path of this machine's source or build folder inside.
# Usage: cmake -DBUILD=<build folder> -DSOURCE=<source folder> -DEMULATOR=<Wine command>
#              -DCXX=<MinGW g++> -DGENERATOR=<CMake generator> -P check_package.cmake
set(work ${BUILD}/package-test)
set(pkg ${work}/pkg)

# run(<what> [IN <folder>] COMMAND ...): the command's output in `output`; fails on an error.
function(run what)
  cmake_parse_arguments(ARG "" "IN" "COMMAND" ${ARGN})
  if(NOT ARG_IN)
    set(ARG_IN ${work})
  endif()
  execute_process(COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${ARG_IN} OUTPUT_VARIABLE out
                  ERROR_VARIABLE out RESULT_VARIABLE rc TIMEOUT 240)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/unpacked ${work}/tiny)
run("cpack" COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD}/CPackConfig.cmake -B ${work}/cpack)
file(GLOB zip ${work}/cpack/*.zip)
file(SIZE ${zip} size)
message("${zip}: ${size} bytes")
run("unpacking" IN ${work}/unpacked COMMAND ${CMAKE_COMMAND} -E tar xf ${zip})
file(GLOB top ${work}/unpacked/*)
file(RENAME ${top} ${pkg})

execute_process(COMMAND grep -rlaF -e ${SOURCE} -e ${BUILD} ${pkg} OUTPUT_VARIABLE leaks
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "files with a path of this machine's source or build folder:\n${leaks}")
endif()

# (a) The demo script installs ..\samples\ZorvDice.dll: from the package folder, the one just
# built in the folder beside it.
run("configuring the sample" COMMAND ${CMAKE_COMMAND} -G ${GENERATOR} -S ${pkg}/samples/dice
    -B ${work}/samples -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${pkg}
    -DCMAKE_TOOLCHAIN_FILE=${pkg}/cmake/toolchain-mingw-w64.cmake)
run("building the sample" COMMAND ${CMAKE_COMMAND} --build ${work}/samples)
execute_process(COMMAND ${CMAKE_COMMAND} "-DHOST=${EMULATOR};${pkg}/tools/xtrahost.exe"
                        -DSCRIPT=${pkg}/samples/demo.xts -P ${SOURCE}/cmake/check-demo.cmake
                WORKING_DIRECTORY ${pkg} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the demo script failed with the sample game built from the package")
endif()

# (b) The README's command line as it stands, for the tiny game.
file(READ ${pkg}/README.md readme)
string(REGEX MATCH "## Writing a GameModule.*" readme "${readme}")
string(REGEX MATCH "\ng\\+\\+ (\\\\\n|[^\n])*" line "${readme}")
string(REPLACE "\\\n" " " line "${line}")
separate_arguments(args UNIX_COMMAND "${line}")
list(POP_FRONT args)
list(TRANSFORM args REPLACE "^my_game.cpp$" ${CMAKE_CURRENT_LIST_DIR}/tiny_game.cpp)
list(TRANSFORM args REPLACE "^MyGame.dll$" ${work}/tiny/TinyGame.dll)
run("the README's g++ line" IN ${pkg} COMMAND ${CXX} ${args})

# The same line links a DLL that takes the address of every function zorv_desktop.h declares: a
# DLL is linked with no reference left open, so anything declared that the library lacks fails.
file(STRINGS ${pkg}/sdk/zorv_desktop.h declared REGEX "^[A-Za-z][A-Za-z0-9_ ]*[ *]+[A-Za-z0-9_]+\\(")
list(TRANSFORM declared REPLACE "^[^(]*[ *]([A-Za-z0-9_]+)\\(.*" "reinterpret_cast<const void*>(\\1)")
list(LENGTH declared count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} functions found in zorv_desktop.h")
endif()
list(JOIN declared ",\n  " addresses)
file(WRITE ${work}/tiny/every_function.cpp "#include \"zorv_desktop.h\"\n"
     "extern \"C\" __declspec(dllexport) const void* const zorvEveryFunction[] = {\n  ${addresses}};\n")
list(TRANSFORM args REPLACE "^.*tiny_game.cpp$" ${work}/tiny/every_function.cpp
     OUTPUT_VARIABLE every)
list(TRANSFORM every REPLACE "^.*TinyGame.dll$" ${work}/tiny/EveryFunction.dll)
run("linking every declared function" IN ${pkg} COMMAND ${CXX} ${every})
run("the tiny game" IN ${work}/tiny COMMAND ${EMULATOR} ${pkg}/tools/xtrahost.exe
    ..\\pkg\\ZORVgame.x32 ${CMAKE_CURRENT_LIST_DIR}/tiny_game.xts)
foreach(expected
    "gameStartDlgzorv\\(\\)\n    -> \"[^\"]+\\\\\\\\Desktops\\\\\\\\dZORV_Tiny\\\\\\\\\", code 0x00000000"
    "gameScoreDlgzorv\\(\"7\"\\)\n    -> 12, code 0x00000000"
    "stat \"TinyTotal\" -> \"12\""
    "gameStopDlgzorv\\(\\)\n    -> 1, code 0x00000000")
  if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "the tiny game's transcript lacks: ${expected}\n${output}")
  endif()
endforeach()

run("zorvdesk --help" COMMAND ${EMULATOR} ${pkg}/tools/zorvdesk.exe --help)
if(NOT output MATCHES "stat NAME")
  message(FATAL_ERROR "zorvdesk --help lists no commands:\n${output}")
endif()
