# The module's export and import tables, read with the build's own objdump (runs on both
# architectures: it needs no Wine).
add_test(NAME module_tables
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${ZORV_TRIPLET}-objdump
                 -DMODULE=$<TARGET_FILE:ZORVgame> -P ${PROJECT_SOURCE_DIR}/cmake/check-module-tables.cmake)
