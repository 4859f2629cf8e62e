# GameModules built with CMake, in this tree and from the package (lib/cmake/ZorvGame).
#
# What every GameModule DLL links with: the C and C++ runtimes inside, so that the game is one
# file, and a PE header that the oldest Windows the module runs on loads (4.0 on i686, where
# the 95 family's loader refuses anything above it; 5.2 on x86_64).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(_zorv_pe_version 4,--minor-os-version,0,--major-subsystem-version,4,--minor-subsystem-version,0)
else()
  set(_zorv_pe_version 5,--minor-os-version,2,--major-subsystem-version,5,--minor-subsystem-version,2)
endif()
set(ZORV_GAME_MODULE_LINK_OPTIONS -static -static-libgcc -static-libstdc++
                                  "LINKER:--major-os-version,${_zorv_pe_version}")
unset(_zorv_pe_version)

# zorv_add_game_module(NAME SOURCES...): the GameModule NAME.dll (no "lib" prefix) from the
# sources, exporting what it defines of zorv_game_module.h. Link ZorvGame::Desktop to use the
# desktop utility library.
function(zorv_add_game_module name)
  add_library(${name} SHARED ${ARGN})
  target_link_libraries(${name} PRIVATE ZorvGame::GameModule)
  set_target_properties(${name} PROPERTIES PREFIX "")
endfunction()
