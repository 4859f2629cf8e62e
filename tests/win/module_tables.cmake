# The module's export and import tables, read with the build's own objdump (runs on both
# architectures: it needs no Wine).
add_test(NAME module_tables
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${ZORV_TRIPLET}-objdump
                 -DMODULE=$<TARGET_FILE:ZORVgame> -P ${PROJECT_SOURCE_DIR}/cmake/check-module-tables.cmake)

# The PE header of every shipped file and, on i686, each imported function against the oldest
# Windows it must load on: the module and the sample game 2000, the tools XP.
set(shipped ZORVgame:2000)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND shipped ZorvDice:2000 zorvdesk:XP xtrahost:XP)
endif()
foreach(entry ${shipped})
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 target)
  list(GET entry 1 floor)
  set(list_args "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(list_args -DLIST=${PROJECT_SOURCE_DIR}/cmake/windows-imports.txt -DFLOOR=${floor})
  endif()
  add_test(NAME imports_${target}
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${ZORV_TRIPLET}-objdump -DFILE=$<TARGET_FILE:${target}>
                   ${list_args} -P ${PROJECT_SOURCE_DIR}/cmake/check-imports.cmake)
endforeach()
